// "make-retail-db": a sample retail database for trying the tool out.

#include <cstdio>

#include "app/cli/commands.h"
#include "retaildb/sample_retail_db.h"
#include "xbase/error.h"

namespace tarvo::cli {

int makeRetailDbCommand(const Arguments& args) {
    if (args.size() != 1) {
        std::fprintf(stderr, "usage: tarvo-import-cli make-retail-db DIR\n");
        return 2;
    }
    try {
        retaildb::makeSampleRetailDatabase(args[0]);
    } catch (const xbase::Error& e) {
        std::fprintf(stderr, "error: %s\n", e.what());
        return 1;
    }
    std::printf("Sample retail database written to %s/ST_DB\n", args[0].c_str());
    return 0;
}

}  // namespace tarvo::cli
