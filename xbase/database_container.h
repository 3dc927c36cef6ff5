#pragma once
// Visual FoxPro database containers (.DBC with its .DCT memo and .DCX index): a table of objects
// (the database, its tables, their fields and indexes) that keeps the long names of the fields of
// the tables bound to it. A bound table's header names its container after the field list.

#include <filesystem>
#include <string>
#include <vector>

namespace tarvo::xbase {

// Whether the file is a database container (extension .DBC, any case).
bool isDatabaseContainer(const std::filesystem::path& path);

// The long names of the fields of the table bound to the container, in the order of the table's
// fields (system fields not counted); empty when the container does not list the table. The table
// is found by the file name the container keeps for it, else by its long name. Throws Error naming
// the container when it cannot be read.
std::vector<std::string> containerFieldNames(const std::filesystem::path& container, const std::filesystem::path& table);

}  // namespace tarvo::xbase
