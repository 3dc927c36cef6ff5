#include "importing/value_checks.h"

#include <map>
#include <memory>
#include <optional>

#include "ui/stop_request.h"
#include "xbase/error.h"
#include "xbase/file_names.h"
#include "xbase/numeric_fit.h"
#include "xbase/work_areas.h"

namespace tarvo::importing {

namespace {

constexpr size_t kListed = 20;
constexpr uint32_t kRowsBetweenEvents = 1000;

struct NumericField {
    int width = 0;
    int decimals = 0;
};

// The widths of the retail tables' numeric fields, each table's header read once.
class RetailFields {
public:
    explicit RetailFields(std::string database) : database_(std::move(database)) {}

    // Empty for a field that is missing or not numeric: its write has rules of its own.
    std::optional<NumericField> numeric(const std::string& table, const std::string& field) {
        auto [known, added] = tables_.try_emplace(table);
        if (added) known->second = readTable(table);
        const auto it = known->second.find(field);
        if (it == known->second.end()) return std::nullopt;
        return it->second;
    }

private:
    std::map<std::string, NumericField> readTable(const std::string& table) const {
        std::map<std::string, NumericField> fields;
        const std::filesystem::path path = xbase::findIgnoringCase(database_, table + ".Q7T");
        std::error_code ec;
        if (!std::filesystem::exists(path, ec)) return fields;
        try {
            const auto open = xbase::Table::open(path, {false, true, xbase::Driver::DBFNTX});
            for (int pos = 1; pos <= open->fieldCount(); ++pos) {
                const xbase::FieldInfo& field = open->field(pos);
                if (field.type == 'N' || field.type == 'F')
                    fields[field.name] = NumericField{field.length, field.decimals};
            }
        } catch (const xbase::Error&) {
            // A table held by another program or damaged: the steps before the preparation refuse
            // it with their own message.
        }
        return fields;
    }

    std::string database_;
    std::map<std::string, std::map<std::string, NumericField>> tables_;
};

// Places for the integer digits (and sign) of a numeric field.
int integerRoom(int width, int decimals) { return width - (decimals > 0 ? decimals + 1 : 0); }

// Whether every value the column can hold fits the field, so that its rows need no look: a column
// the table lacks gives 0, and a narrower one cannot outgrow the field, even when rounded to it.
bool alwaysFits(const xbase::Table& table, const ColumnValue& value, const NumericField& field) {
    if (value.boundedBy.empty()) return false;
    const int pos = table.fieldPos(value.boundedBy);
    if (pos == 0) return true;
    const xbase::FieldInfo& column = table.field(pos);
    if (column.type != 'N' && column.type != 'F') return false;
    const int room = integerRoom(field.width, field.decimals);
    const int needed = integerRoom(column.length, column.decimals);
    return needed < room || (needed == room && field.decimals >= column.decimals);
}

// The problems found, the first kListed of them in full.
struct Problems {
    std::string listed;
    size_t count = 0;
    void add(const std::string& text) {
        if (++count <= kListed) listed += "\n" + text;
    }
};

}  // namespace

ValueCheck checkValues(ui::Owner owner, const std::string& databaseFolder, const ImportRun& run) {
    ui::UserInteraction& ui = ui::interaction();
    RetailFields retail(databaseFolder);
    Problems problems;
    for (const SourceFeeds& source : run.feeds()) {
        xbase::Table* table = xbase::workAreas().find(source.alias);
        if (!table || source.feeds.empty()) continue;
        struct Target {
            const FieldFeed* feed;
            NumericField field;
        };
        std::vector<Target> targets;
        for (const FieldFeed& feed : source.feeds)
            if (const auto field = retail.numeric(feed.table, feed.field); field && !alwaysFits(*table, feed.value, *field))
                targets.push_back({&feed, *field});
        if (targets.empty()) continue;
        const std::string file = table->path().filename().string();
        ui.progressText(1, "Cek nilai " + file);
        SourceRow row(*table);
        uint32_t n = 0;
        for (table->goTop(); !table->eof(); table->skip()) {
            if (++n % kRowsBetweenEvents == 0) {
                ui.letEventsThrough();
                if (ui::stopRequested()) return ValueCheck::Stopped;
            }
            if (!source.takes(row)) continue;
            for (const Target& target : targets) {
                const double value = target.feed->value.of(row);
                if (xbase::fitsNumericField(value, target.field.width, target.field.decimals)) continue;
                problems.add(unfitValueText(
                    file + " record " + std::to_string(table->recNo()), target.feed->value.columns,
                    xbase::doesNotFitText(value, target.feed->field, target.field.width, target.field.decimals),
                    target.feed->table));
            }
        }
        table->goTop();
    }
    if (problems.count == 0) return ValueCheck::Passed;
    std::string text = "Import dibatalkan: " + std::to_string(problems.count) +
                       " nilai tidak muat di field tujuannya. Data toko tidak diubah." + problems.listed;
    if (problems.count > kListed) text += "\n... dan " + std::to_string(problems.count - kListed) + " lagi.";
    ui::BOXERROR(owner, text);
    return ValueCheck::Refused;
}

}  // namespace tarvo::importing
