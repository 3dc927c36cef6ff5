#include "importing/value_checks.h"

#include <memory>
#include <vector>

#include "ui/stop_request.h"
#include "xbase/error.h"
#include "xbase/file_names.h"
#include "xbase/numeric_fit.h"
#include "xbase/work_areas.h"

namespace tarvo::importing {

namespace {

constexpr size_t kListed = 20;
constexpr uint32_t kRowsBetweenEvents = 1000;

// The numeric fields of a retail table; none when it is missing or cannot be read now.
std::map<std::string, NumericField> numericFieldsOf(const std::filesystem::path& path) {
    std::map<std::string, NumericField> fields;
    std::error_code ec;
    if (!std::filesystem::exists(path, ec)) return fields;
    try {
        const auto table = xbase::Table::open(path, {false, true, xbase::Driver::DBFNTX});
        for (int pos = 1; pos <= table->fieldCount(); ++pos) {
            const xbase::FieldInfo& field = table->field(pos);
            if (field.type == 'N' || field.type == 'F') fields[field.name] = NumericField{field.length, field.decimals};
        }
    } catch (const xbase::Error&) {
        fields.clear();
    }
    return fields;
}

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

}  // namespace

std::optional<NumericField> ValueTrials::numericField(const std::string& table, const std::string& field) {
    auto [known, added] = tables_.try_emplace(table);
    if (added) known->second = numericFieldsOf(xbase::findIgnoringCase(database_, table + ".Q7T"));
    const auto it = known->second.find(field);
    if (it == known->second.end()) return std::nullopt;
    return it->second;
}

void ValueTrials::tryValue(const std::string& source, const std::string& columns, double value,
                           const std::string& table, const std::string& field) {
    if (const std::optional<NumericField> numeric = numericField(table, field))
        tryValue(source, columns, value, table, field, *numeric);
}

void ValueTrials::tryValue(const std::string& source, const std::string& columns, double value,
                           const std::string& table, const std::string& field, const NumericField& numeric) {
    if (xbase::fitsNumericField(value, numeric.width, numeric.decimals)) return;
    if (++count_ <= kListed)
        listed_ += "\n" + unfitValueText(source, columns,
                                         xbase::doesNotFitText(value, field, numeric.width, numeric.decimals), table);
}

ValueCheck ValueTrials::report(ui::Owner owner) const {
    if (count_ == 0) return ValueCheck::Passed;
    std::string text = "Import dibatalkan: " + std::to_string(count_) +
                       " nilai tidak muat di field tujuannya. Data toko tidak diubah." + listed_;
    if (count_ > kListed) text += "\n... dan " + std::to_string(count_ - kListed) + " lagi.";
    ui::BOXERROR(owner, text);
    return ValueCheck::Refused;
}

ValueCheck checkValues(ui::Owner owner, const std::string& databaseFolder, const ImportRun& run) {
    ui::UserInteraction& ui = ui::interaction();
    ValueTrials trials(databaseFolder);
    for (const SourceFeeds& source : run.feeds()) {
        xbase::Table* table = xbase::workAreas().find(source.alias);
        if (!table) continue;
        struct Target {
            const FieldFeed* feed;
            NumericField field;
        };
        std::vector<Target> targets;
        for (const FieldFeed& feed : source.feeds)
            if (const auto field = trials.numericField(feed.table, feed.field);
                field && !alwaysFits(*table, feed.value, *field))
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
            const std::string record = file + " record " + std::to_string(table->recNo());
            for (const Target& target : targets)
                trials.tryValue(record, target.feed->value.columns, target.feed->value.of(row), target.feed->table,
                                target.feed->field, target.field);
        }
        table->goTop();
    }
    return trials.report(owner);
}

}  // namespace tarvo::importing
