// tarvo-import-cli: the command-line front end for support and scripted work.

#include <cstdio>
#include <string>

#include "app/cli/commands.h"
#include "app/core/version.h"
#include "retaildb/test_points.h"
#include "xbase/settings.h"

namespace {

void usage() {
    std::printf(
        "%s\n"
        "usage:\n"
        "  tarvo-import-cli dbf info FILE    header, code page, record count and structure of a table\n"
        "  tarvo-import-cli dbf dump FILE    records as tab-separated UTF-8 lines (deleted ones marked)\n"
        "  tarvo-import-cli dbf check FILE   checks every tag of the table's index against its records\n"
        "  tarvo-import-cli make-retail-db DIR   writes a sample retail database DIR/ST_DB\n"
        "  tarvo-import-cli import --db FOLDER --templates FOLDER [options]   the template import (--help: options)\n"
        "  tarvo-import-cli backups --db FOLDER   the backups taken before each import, newest first\n"
        "  tarvo-import-cli restore --db FOLDER [--backup STAMP] [--yes]   puts a backup back (the newest by default)\n"
        "  tarvo-import-cli make-templates FOLDER [--items N] [--customers N] [--vendors N] [--codes N] [--seed S]\n"
        "  tarvo-import-cli --version\n",
        tarvo::app::windowTitle().c_str());
}

}  // namespace

int main(int argc, char** argv) {
    tarvo::xbase::applyStartupSettings();
    tarvo::retaildb::applyTestWriteLimit();
    tarvo::cli::Arguments args(argv + 1, argv + argc);
    if (args.empty() || args[0] == "--help" || args[0] == "-h") {
        usage();
        return args.empty() ? 2 : 0;
    }
    if (args[0] == "--version") {
        std::printf("%s\n", tarvo::app::windowTitle().c_str());
        return 0;
    }
    const std::string command = args[0];
    args.erase(args.begin());
    if (command == "dbf") return tarvo::cli::dbfCommand(args);
    if (command == "make-retail-db") return tarvo::cli::makeRetailDbCommand(args);
    if (command == "import") return tarvo::cli::importCommand(args);
    if (command == "make-templates") return tarvo::cli::makeTemplatesCommand(args);
    if (command == "restore") return tarvo::cli::restoreCommand(args);
    if (command == "backups") return tarvo::cli::backupsCommand(args);
    std::fprintf(stderr, "unknown command '%s'\n", command.c_str());
    usage();
    return 2;
}
