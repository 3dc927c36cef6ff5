#pragma once
// Every file of ST_DB an import may change, held with an exclusive operating-system lock while a
// backup or a scratch copy is taken, so that no other program (the retail application, another
// tool) writes a table halfway through its copy.

#include <filesystem>
#include <string>
#include <vector>

namespace tarvo::safety {

class TableLocks {
public:
    // Locks the named files of the database folder; throws SafetyError with the held-table
    // message, holding nothing, when another program has one of them open under a lock.
    TableLocks(const std::filesystem::path& database, const std::vector<std::string>& names);
    ~TableLocks();
    TableLocks(const TableLocks&) = delete;
    TableLocks& operator=(const TableLocks&) = delete;

private:
    void release();

    std::vector<int> descriptors_;
};

// The message of a table another program holds, the same the preparation gives.
std::string heldTableMessage(const std::filesystem::path& file);

}  // namespace tarvo::safety
