#include "templates/template_run.h"

#include <stdexcept>

#include "templates/template_layouts.h"
#include "xbase/work_areas.h"

namespace tarvo::templates {

TemplateRun::TemplateRun(importing::ImportOptions options, std::string templateFolder, ui::Owner owner)
    : importing::ImportRun(std::move(options), owner), templateFolder_(std::move(templateFolder)) {}

bool TemplateRun::templateOpen(const std::string& alias) const { return xbase::workAreas().find(alias) != nullptr; }

void TemplateRun::forEachRow(const std::string& alias, const std::function<bool(const importing::SourceRow&)>& rule) {
    const TemplateInfo* info = findTemplate(alias);
    if (!info) throw std::invalid_argument("no template named " + alias);
    forEachRecord(alias, info->progressText, rule);
}

}  // namespace tarvo::templates
