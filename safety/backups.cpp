#include "safety/backups.h"

#include <signal.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <ctime>
#include <fstream>
#include <set>

#include "retaildb/run_points.h"
#include "safety/covered_files.h"
#include "safety/database_lock.h"
#include "safety/durable_files.h"
#include "safety/safety_error.h"
#include "safety/table_locks.h"

namespace tarvo::safety {

namespace fs = std::filesystem;

namespace {

std::string localTime(const char* format) {
    std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char text[32];
    std::strftime(text, sizeof text, format, &local);
    return text;
}

bool looksLikeStamp(const std::string& name) {
    return name.size() >= 15 && name[8] == '-' &&
           std::all_of(name.begin(), name.begin() + 8, [](char c) { return c >= '0' && c <= '9'; });
}

// Order of stamps: time first, then the sequence number of backups taken in the same second.
std::pair<std::string, long> stampKey(const std::string& stamp) {
    const std::string base = stamp.substr(0, 15);
    return {base, stamp.size() > 16 ? std::atol(stamp.c_str() + 16) : 1};
}

std::string megabytes(uint64_t bytes) { return std::to_string((bytes + (1u << 20) - 1) >> 20) + " MB"; }

}  // namespace

std::string databaseIdentity(const fs::path& database) {
    fs::path path = fs::weakly_canonical(fs::absolute(database));
    std::string text = path.string();
    while (text.size() > 1 && text.back() == '/') text.pop_back();
    return text;
}

fs::path backupRoot(const fs::path& database) { return fs::path(databaseIdentity(database)).parent_path() / "TARVO-BACKUP"; }

std::vector<Backup> listBackups(const fs::path& database) {
    std::vector<Backup> backups;
    const fs::path root = backupRoot(database);
    std::error_code ec;
    if (!fs::is_directory(root, ec)) return backups;
    for (const auto& entry : fs::directory_iterator(root)) {
        const std::string name = entry.path().filename().string();
        if (!entry.is_directory() || !looksLikeStamp(name)) continue;
        Backup b{name, entry.path(), {}, {}};
        try {
            b.manifest = readManifest(entry.path());
        } catch (const SafetyError& e) {
            b.problem = e.what();
        }
        backups.push_back(std::move(b));
    }
    std::sort(backups.begin(), backups.end(),
              [](const Backup& a, const Backup& b) { return stampKey(a.stamp) > stampKey(b.stamp); });
    return backups;
}

Backup stateBefore(const std::vector<Backup>& backups, const Backup& backup) {
    if (!backup.manifest.follows.empty())
        for (const Backup& b : backups)
            if (b.stamp == backup.manifest.follows && b.problem.empty()) return b;
    return backup;
}

std::optional<Backup> interruptedImport(const fs::path& database) {
    const std::vector<Backup> backups = listBackups(database);
    for (const Backup& b : backups)
        if (b.problem.empty()) return b.manifest.interrupted() ? std::optional<Backup>(stateBefore(backups, b)) : std::nullopt;
    return std::nullopt;
}

bool importRunning(const fs::path& database, const Backup& backup) {
    const Manifest& m = backup.manifest;
    if (!backup.problem.empty() || m.state != "running" || !m.restore.empty() || m.pid <= 0) return false;
    long holder = 0;
    std::ifstream(DatabaseLock::lockFile(database)) >> holder;
    return holder == m.pid && (::kill(static_cast<pid_t>(m.pid), 0) == 0 || errno == EPERM);
}

namespace {

// The backup a new one follows: the start of the unfinished imports the shop still holds a part of.
std::string unfinishedStart(const fs::path& database) {
    for (const Backup& b : listBackups(database)) {
        if (!b.problem.empty()) continue;
        if (!b.manifest.unfinished()) return {};
        return b.manifest.follows.empty() ? b.stamp : b.manifest.follows;
    }
    return {};
}

}  // namespace

Backup createBackup(const fs::path& database, const std::string& options, const std::string& kind) {
    const fs::path root = backupRoot(database);
    std::error_code ec;
    // Backups hold the shop's data: their folders are no more open than ST_DB, and belong to its owner.
    const Ownership shop = ownershipOf(database);
    try {
        makeFolderLike(root, shop);
    } catch (const SafetyError& e) {
        throw SafetyError(std::string("Folder cadangan tidak bisa dibuat : ") + e.what());
    }

    const std::vector<std::string> names = coveredFiles(database);
    // Held from before the first copy to the manifest: no other program changes a table meanwhile.
    const TableLocks locks(database, names);
    uint64_t needed = kBackupSpareBytes;
    for (const std::string& name : names) needed += fs::file_size(database / name);
    const uint64_t available = freeSpace(root);
    if (available < needed)
        throw SafetyError("Ruang disk tidak cukup untuk cadangan data sebelum import ( perlu " + megabytes(needed) +
                          ", tersedia " + megabytes(available) + " di " + root.string() +
                          " ). Data toko tidak diubah.");

    std::string stamp = localTime("%Y%m%d-%H%M%S");
    for (int n = 2; fs::exists(root / stamp); ++n) stamp = localTime("%Y%m%d-%H%M%S") + "-" + std::to_string(n);
    Backup backup{stamp, root / stamp, {}, {}};
    try {
        makeFolderLike(backup.folder, shop);
        Manifest& m = backup.manifest;
        m.database = databaseIdentity(database);
        m.started = localTime("%Y-%m-%d %H:%M:%S");
        m.pid = static_cast<long>(::getpid());
        m.kind = kind;
        m.options = options;
        m.state = "running";
        m.follows = unfinishedStart(database);
        for (size_t i = 0; i < names.size(); ++i) {
            if (i == names.size() / 2) retaildb::runPoint("backup");
            const fs::path copy = backup.folder / names[i];
            copyDurably(database / names[i], copy);
            m.files.push_back({names[i], fs::file_size(copy), sha256OfFile(copy)});
        }
        syncFolder(backup.folder);
        // The manifest comes last: a backup folder without one was never complete.
        writeManifest(backup.folder, m);
        syncFolder(root);
    } catch (const std::exception& e) {
        fs::remove_all(backup.folder, ec);
        const std::string reason = e.what();
        throw SafetyError("Cadangan data sebelum import gagal dibuat; data toko tidak diubah. " + reason);
    }
    return backup;
}

BackupListing backupListing(const fs::path& database, const Backup& backup) {
    if (!backup.problem.empty()) return {"", "", "unusable: " + backup.problem, ""};
    const Manifest& m = backup.manifest;
    std::string state = m.state;
    if (m.interrupted())
        state = m.restore == "restoring"            ? "restore interrupted"
                : importRunning(database, backup) ? "running"
                                                  : "interrupted";
    char size[32];
    std::snprintf(size, sizeof size, "%.1f MB", static_cast<double>(m.totalSize()) / (1 << 20));
    return {m.started, (m.kind.empty() ? std::string("import") : m.kind) + ": " + m.options, state, size};
}

void setImportState(Backup& backup, const std::string& state) {
    backup.manifest.state = state;
    writeManifest(backup.folder, backup.manifest);
}

void pruneBackups(const fs::path& database, int keep) {
    int kept = 0;
    std::error_code ec;
    std::vector<const Backup*> removed;
    std::set<std::string> followed;
    const std::vector<Backup> backups = listBackups(database);
    for (const Backup& b : backups) {
        // A copy that never got its manifest was never complete; a damaged manifest and the
        // backup of an interrupted import stay for the user to decide.
        const bool incomplete = !fs::exists(b.folder / kManifestName, ec);
        if (!incomplete && (!b.problem.empty() || b.manifest.interrupted() || kept++ < keep)) {
            followed.insert(b.manifest.follows);
            continue;
        }
        removed.push_back(&b);
    }
    for (const Backup* b : removed)
        if (!followed.count(b->stamp)) fs::remove_all(b->folder, ec);
}

}  // namespace tarvo::safety
