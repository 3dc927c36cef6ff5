#include "templates/import_run.h"

#include <ctime>
#include <stdexcept>

#include "retaildb/record_routines.h"
#include "retaildb/test_points.h"
#include "templates/template_layouts.h"
#include "xbase/dates.h"
#include "xbase/settings.h"
#include "xbase/work_areas.h"

namespace tarvo::templates {

int TemplateRow::position(const std::string& column) const {
    auto [it, added] = positions_.try_emplace(column, 0);
    if (added) it->second = table_.fieldPos(column);
    return it->second;
}

xbase::Value TemplateRow::value(const std::string& column) const {
    int pos = position(column);
    return pos == 0 ? xbase::Value() : table_.fieldGet(pos);
}

std::string TemplateRow::text(const std::string& column) const { return value(column).text(); }

std::string TemplateRow::trimmed(const std::string& column) const {
    std::string t = text(column);
    size_t first = t.find_first_not_of(' ');
    if (first == std::string::npos) return {};
    return t.substr(first, t.find_last_not_of(' ') - first + 1);
}

std::string TemplateRow::upperTrimmed(const std::string& column) const {
    std::string t = trimmed(column);
    for (char& c : t)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return t;
}

std::string TemplateRow::code(const std::string& column) const { return normaliseCode(text(column)); }

double TemplateRow::number(const std::string& column) const { return value(column).number(); }

xbase::Date TemplateRow::date(const std::string& column) const { return value(column).date(); }

ImportRun::ImportRun(ImportOptions options, std::string templateFolder, ui::Owner owner)
    : options_(std::move(options)), templateFolder_(std::move(templateFolder)), owner_(owner) {}

void ImportRun::takeStamps() {
    std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    stampDate_ = xbase::Date{local.tm_year + 1900, local.tm_mon + 1, local.tm_mday};
    char time[9];
    std::snprintf(time, sizeof time, "%02d:%02d:%02d", local.tm_hour, local.tm_min, local.tm_sec);
    stampTime_ = time;
}

bool ImportRun::templateOpen(const std::string& alias) const { return xbase::workAreas().find(alias) != nullptr; }

void ImportRun::forEachRow(const std::string& alias, const std::function<bool(const TemplateRow&)>& rule) {
    const TemplateInfo* info = findTemplate(alias);
    if (!info) throw std::invalid_argument("no template named " + alias);
    const std::string& progressText = info->progressText;
    xbase::Table* table = xbase::workAreas().find(alias);
    if (!table) return;
    ui::UserInteraction& ui = ui::interaction();
    const uint32_t total = table->recCount();
    uint32_t n = 0;
    TemplateRow row(*table);
    for (table->goTop(); !table->eof(); table->skip()) {
        ui.letEventsThrough();
        if (++n == total / 2 + 1) retaildb::testPoint(alias + "-rows");
        ui.progressText(1, progressText + std::to_string(n) + " / " + std::to_string(total));
        ui.progressBar(total == 0 ? 0 : static_cast<long>(100.0 * n / total), 100);
        if (!rule(row)) ++skipped[alias];
    }
}

void ImportRun::appendTo(const std::string& targetAlias) {
    xbase::workAreas().select(targetAlias);
    retaildb::VOAPPEND();
    ++written[targetAlias];
}

void ImportRun::closeCounted(const std::string& targetAlias, uint32_t identifierRow) {
    const xbase::Table* table = xbase::workAreas().find(targetAlias);
    if (!table) return;
    retaildb::TABLEIDUPDATE(identifierRow, table->recCount());
    xbase::workAreas().close(targetAlias);
}

}  // namespace tarvo::templates
