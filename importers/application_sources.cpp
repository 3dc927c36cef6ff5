#include "importers/application_sources.h"

#include "importers/ias_importer.h"
#include "importers/is_importer.h"
#include "importers/msbrg_importer.h"

namespace tarvo::importers {

std::unique_ptr<templates::ImportSource> BUTTONIMPORT2(int import2Value) {
    switch (import2Value) {
        case kLindraMakmur: return BUTTONIMPORT21();
        case kIntegratedSystem: return BUTTONIMPORT22();
        case kIas: return BUTTONIMPORT23();
        default: return nullptr;
    }
}

}  // namespace tarvo::importers
