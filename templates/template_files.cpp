#include "templates/template_files.h"

#include <filesystem>

#include "importing/source_opening.h"
#include "retaildb/file_routines.h"
#include "xbase/file_names.h"
#include "templates/template_layouts.h"
#include "ui/user_interaction.h"
#include "xbase/work_areas.h"

namespace tarvo::templates {

namespace {

std::filesystem::path folderOf(const TemplateRun& run) {
    return run.templateFolder().empty() ? std::filesystem::path(".") : std::filesystem::path(run.templateFolder());
}

// Deletes NAME.CDX in every spelling of the name on disk; a failed deletion has its message
// and does not stop the import.
void deleteLeftoverIndex(const TemplateRun& run, const std::string& name) {
    for (const auto& path : xbase::allIgnoringCase(folderOf(run), name + ".CDX"))
        retaildb::VOFErase(run.owner(), path.string());
}

// The templates in opening order; a template with a condition is opened only when the
// condition's template file exists.
struct OpenStep {
    const char* name;
    const char* onlyWith;
};
constexpr OpenStep kOpenOrder[] = {
    {"GRPSTK", nullptr},   {"GRPST2", nullptr},   {"GRPST3", nullptr},   {"GRPHJL", nullptr},
    {"VENDOR", nullptr},   {"ITEM", nullptr},     {"ITMINF", nullptr},   {"ITMNAM", nullptr},
    {"STKHJL", nullptr},   {"SALES", nullptr},    {"DAERAH", nullptr},   {"DAERA2", "DAERAH"},
    {"PELANG", nullptr},   {"GRPPEL", "PELANG"},  {"GRPPE2", "PELANG"},  {"PELEXT", "PELANG"},
    {"PEMBEL", nullptr},   {"PENJUA", nullptr},
};

}  // namespace

bool templateFileExists(const TemplateRun& run, const std::string& name) {
    const std::string file = name + ".DBF";
    return retaildb::VOFILE(xbase::findIgnoringCase(folderOf(run), file).string());
}

bool openTemplates(TemplateRun& run) {
    if (!templateFileExists(run, "ITEM")) {
        ui::BOXERROR(run.owner(), "File ITEM.DBF tidak ditemukan di Lokasi: " + run.templateFolder());
        return false;
    }
    for (const std::string& name : templatesWithLeftoverIndex()) deleteLeftoverIndex(run, name);

    // A template left open by an earlier run must not stand in for a file that is gone now.
    for (const TemplateInfo& info : templates()) xbase::workAreas().close(info.name);

    const std::string driver = xbase::driverName(run.options().tableDriver);
    for (const OpenStep& step : kOpenOrder) {
        if (step.onlyWith && !templateFileExists(run, step.onlyWith)) continue;
        if (!templateFileExists(run, step.name)) continue;
        if (!importing::openImportedTable(run.owner(), std::string(step.name) + ".DBF", step.name, run.templateFolder(),
                                          driver))
            return false;
    }
    return true;
}

}  // namespace tarvo::templates
