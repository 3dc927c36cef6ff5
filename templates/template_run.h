#pragma once
// A run of the template import: the import run with its template folder and the code lists that
// the templates fill for later ones.

#include <functional>
#include <string>

#include "importing/code_list.h"
#include "importing/import_run.h"

namespace tarvo::templates {

// A run of the template import.
class TemplateRun : public importing::ImportRun {
public:
    TemplateRun(importing::ImportOptions options, std::string templateFolder, ui::Owner owner);

    const std::string& templateFolder() const { return templateFolder_; }

    // Whether the template was opened (its file exists in the import folder).
    bool templateOpen(const std::string& alias) const;

    // forEachRecord over a template with the template's progress text; deleted rows are hidden.
    void forEachRow(const std::string& alias, const std::function<bool(const importing::SourceRow&)>& rule);

    // Code lists, filled by the templates of the same name and used by later ones.
    importing::CodeList salesmen, priceGroups, regions, secondRegions, vendorCodes, vendorNames;
    importing::CodeList customerGroups, secondCustomerGroups, customerCodes, customerNames;
    importing::CodeList itemGroups1, itemGroups2, itemGroups3;

    // Over-wide character columns the structure check collected (CFIELDOVER).
    std::string CFIELDOVER;

private:
    std::string templateFolder_;
};

}  // namespace tarvo::templates
