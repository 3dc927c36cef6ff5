#pragma once
// Helpers shared by the fuzz targets: whole-file reads and writes, a working folder per process,
// and the `--make-seeds` switch that writes a target's seed corpus instead of fuzzing.

#include <filesystem>
#include <string>
#include <string_view>

namespace tarvo::fuzz {

std::string readFile(const std::filesystem::path& path);
void writeFile(const std::filesystem::path& path, std::string_view bytes);

// A folder of this process (named after the target) for the files of one input; it is removed
// with its contents when the process ends.
const std::filesystem::path& workFolder(const std::string& target);

// When the arguments hold `--make-seeds`: runs makeSeeds and ends the process.
void makeSeedsWhenAsked(int argc, char** argv, void (*makeSeeds)());

// When the arguments hold `--seeds-from FOLDER OUT`: hands every file under FOLDER (real files of
// other programs, such as the corpus beside the project) to makeSeed, which writes the seed it
// makes of it into OUT, and ends the process. The files themselves stay where they are.
void seedsFromWhenAsked(int argc, char** argv,
                        void (*makeSeed)(const std::filesystem::path& file, const std::filesystem::path& out));

}  // namespace tarvo::fuzz
