#pragma once
// The files of ST_DB that an import may change, create or delete: every file of a catalogue
// table (data, memo and index files), and the further index files the closing deletes.

#include <filesystem>
#include <string>
#include <vector>

namespace tarvo::safety {

// Whether an import may change, create or delete a file of this name in ST_DB (ASCII case ignored).
bool coveredByImport(const std::string& fileName);
// The names of those files now in the folder, sorted.
std::vector<std::string> coveredFiles(const std::filesystem::path& database);

}  // namespace tarvo::safety
