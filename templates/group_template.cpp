#include "templates/group_template.h"

#include "retaildb/record_routines.h"
#include "importing/field_writer.h"
#include "xbase/work_areas.h"

namespace tarvo::templates {

void importGroupTemplate(TemplateRun& run, const GroupTemplate& group, importing::CodeList& codes) {
    if (!run.templateOpen(group.alias)) return;
    importing::FieldWriter record(group.target);
    run.forEachRow(group.alias, [&](const importing::SourceRow& row) {
        std::string code = row.code("KODE");
        if (code.empty() || importing::isBlank(row.text("NAMA")) || codes.find(code) != 0) return false;
        const uint32_t id = codes.add(std::move(code));
        run.appendTo(group.target);
        record.put("ID", xbase::Value(id));
        record.put(group.nameField, xbase::Value(row.upperTrimmed("NAMA")));
        record.putStamps(run);
        return true;
    });
    xbase::workAreas().close(group.target);
    retaildb::TABLEIDUPDATE(group.identifierRow, codes.size());
}

}  // namespace tarvo::templates
