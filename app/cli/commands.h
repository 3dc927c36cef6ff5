#pragma once
// Subcommands of tarvo-import-cli. Each takes its own arguments and returns the exit status.

#include <string>
#include <vector>

namespace tarvo::cli {

using Arguments = std::vector<std::string>;

int dbfCommand(const Arguments& args);
int makeRetailDbCommand(const Arguments& args);
int importCommand(const Arguments& args);
int makeTemplatesCommand(const Arguments& args);
int restoreCommand(const Arguments& args);
int backupsCommand(const Arguments& args);

}  // namespace tarvo::cli
