#include "tests/importers/importer_fixture.h"

#include "importers/application_sources.h"

namespace tarvo::test {

void ImporterTest::writeSource(const std::string& file, const std::vector<xbase::FieldInfo>& fields,
                               const SourceRows& rows) {
    SourceRows values;
    std::vector<uint32_t> deleted;
    for (const TemplateValues& row : rows) {
        TemplateValues copy;
        for (const auto& [column, value] : row)
            for (const xbase::FieldInfo& field : fields)
                if (field.name == column) copy.emplace(column, value);
        if (row.count("*")) deleted.push_back(static_cast<uint32_t>(values.size() + 1));
        values.push_back(copy);
    }
    writeTable(source / file, fields, values);
    if (!deleted.empty()) markDeleted(source / file, deleted);
}

importing::ImportOutcome ImporterTest::runImport(int application, const importing::ImportOptions& options,
                                                 bool answerYes) {
    return runImport(application, request(options), answerYes);
}

importing::ImportOutcome ImporterTest::runImport(int application, const importing::ImportRequest& request,
                                                 bool answerYes) {
    answerQuestion(answerYes);
    auto importer = importers::BUTTONIMPORT2(application);
    return importing::runImport(nullptr, request, *importer);
}

bool ImporterTest::blankField(const std::string& alias, uint32_t recno, const std::string& field) const {
    auto table = retailTable(alias);
    table->goTo(recno);
    const std::string_view bytes = table->fieldBytes(table->recordImage(), table->fieldPos(field));
    return bytes.find_first_not_of(' ') == std::string_view::npos;
}

double ImporterTest::lastIdentifier(uint32_t row) const {
    auto ids = retailTable("S_TABLID");
    ids->goTo(row);
    return ids->fieldGet("LAST_ID").number();
}

std::vector<std::string> ImporterTest::progressWith(const std::string& text) const {
    std::vector<std::string> found;
    for (const std::string& shown : ui.progressTexts)
        if (shown.rfind(text, 0) == 0) found.push_back(shown);
    return found;
}

importing::ImportOptions optionsFor(importing::StockMode mode, bool allowCodes, bool allowNames) {
    importing::ImportOptions options;
    options.stockMode = mode;
    options.closingDate = xbase::Date{2023, 12, 31};
    options.openDate = xbase::Date{2023, 12, 31};
    options.allowDuplicateCodes = allowCodes;
    options.allowDuplicateNames = allowNames;
    return options;
}

}  // namespace tarvo::test
