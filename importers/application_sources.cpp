#include "importers/application_sources.h"

#include "importers/ias_importer.h"
#include "importers/is_importer.h"
#include "importers/msbrg_importer.h"

namespace tarvo::importers {

std::unique_ptr<importing::ImportSource> BUTTONIMPORT2(int import2Value, const ipos::IposChoices& iposChoices) {
    switch (import2Value) {
        case kLindraMakmur: return BUTTONIMPORT21();
        case kIntegratedSystem: return BUTTONIMPORT22();
        case kIas: return BUTTONIMPORT23();
        case kIpos: return ipos::BUTTONIMPORT24(iposChoices);
        default: return nullptr;
    }
}

}  // namespace tarvo::importers
