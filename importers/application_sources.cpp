#include "importers/application_sources.h"

#include "importers/ias_importer.h"
#include "importers/is_importer.h"
#include "importers/msbrg_importer.h"

namespace tarvo::importers {

const std::vector<SourceApplication>& sourceApplications() {
    using xbase::Driver;
    static const std::vector<SourceApplication> applications = {
        {kLindraMakmur, "Lindra Makmur - Tg. Batu", "msbrg", Driver::DBFCDX,
         [](const ipos::IposChoices&) { return BUTTONIMPORT21(); }},
        {kIntegratedSystem, "IS/Integrated System : (Database Ext: .DTA)", "is", Driver::DBFNTX,
         [](const ipos::IposChoices&) { return BUTTONIMPORT22(); }},
        {kIas, "IAS (Medan) : (Database Ext: .DBF)", "ias", Driver::DBFNTX,
         [](const ipos::IposChoices&) { return BUTTONIMPORT23(); }},
        {kIpos, "iPOS 3.0 (Inspirasi)", "ipos", Driver::DBFCDX,
         [](const ipos::IposChoices& choices) { return ipos::BUTTONIMPORT24(choices); }},
    };
    return applications;
}

const SourceApplication* sourceApplication(int import2Value) {
    for (const SourceApplication& application : sourceApplications())
        if (application.value == import2Value) return &application;
    return nullptr;
}

const SourceApplication* sourceApplicationNamed(std::string_view cliName) {
    for (const SourceApplication& application : sourceApplications())
        if (application.cliName == cliName) return &application;
    return nullptr;
}

std::unique_ptr<importing::ImportSource> BUTTONIMPORT2(int import2Value, const ipos::IposChoices& iposChoices) {
    const SourceApplication* application = sourceApplication(import2Value);
    return application ? application->makeImporter(iposChoices) : nullptr;
}

}  // namespace tarvo::importers
