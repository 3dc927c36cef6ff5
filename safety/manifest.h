#pragma once
// The manifest of a backup (MANIFEST.TXT in its folder): the database it was taken from, the
// import's options, its state, and every file with its size and SHA-256.

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace tarvo::safety {

struct BackedUpFile {
    std::string name;
    uint64_t size = 0;
    std::string sha256;
};

struct Manifest {
    std::string database;      // the ST_DB folder, absolute
    std::string started;       // "YYYY-MM-DD hh:mm:ss", local time
    long pid = 0;              // the importing process
    std::string kind;          // what took it: "import" or "repair" (older backups: empty, an import)
    std::string options;       // the import's options (or the repair's command), as text
    std::string state;         // "running", "done" or "failed"
    std::string restore;       // "", "restoring" or "restored <time>"
    std::vector<BackedUpFile> files;

    uint64_t totalSize() const;
    // An import that never ended (its process died) and whose backup was not put back.
    bool interrupted() const;
};

inline constexpr const char* kManifestName = "MANIFEST.TXT";

// Writes the manifest into the backup folder, durably; throws SafetyError.
void writeManifest(const std::filesystem::path& backupFolder, const Manifest& manifest);
// Reads it; throws SafetyError naming the file when it is missing or damaged.
Manifest readManifest(const std::filesystem::path& backupFolder);

}  // namespace tarvo::safety
