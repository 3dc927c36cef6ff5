#include "tests/support/private_odbc.h"

#include <cstdlib>
#include <fstream>
#include <stdexcept>

#include "tests/support/test_support.h"

namespace tarvo::test {

const std::filesystem::path& usePrivateOdbcConfig() {
    static TempDir folder;
    static const bool written = [] {
        std::ofstream ini(folder.path() / "odbcinst.ini");
        ini << "[" << kAccessDriverName << "]\nDescription=MDB Tools\nDriver=" << TARVO_MDB_ODBC_DRIVER << "\n\n"
            << "[" << kSqliteDriverName << "]\nDescription=SQLite 3\nDriver=" << TARVO_SQLITE_ODBC_DRIVER << "\n";
        std::ofstream(folder.path() / "odbc.ini").flush();
        if (!ini) throw std::runtime_error("cannot write the private odbcinst.ini");
        setenv("ODBCSYSINI", folder.path().c_str(), 1);
        setenv("ODBCINI", (folder.path() / "odbc.ini").c_str(), 1);
        return true;
    }();
    (void)written;
    return folder.path();
}

std::string sqliteConnection(const std::filesystem::path& database) {
    return std::string("Driver=") + kSqliteDriverName + ";Database=" + database.string() + ";";
}

}  // namespace tarvo::test
