#include "safety/restore.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <ctime>
#include <set>

#include "retaildb/run_points.h"
#include "safety/database_lock.h"
#include "safety/covered_files.h"
#include "safety/durable_files.h"
#include "safety/safety_error.h"

namespace tarvo::safety {

namespace fs = std::filesystem;

namespace {

constexpr const char* kRestoreSuffix = ".tarvo-restore";

// Whether another open (the retail application, another program) holds the file.
bool heldByAnother(const fs::path& file) {
    int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return false;
    const bool held = ::flock(fd, LOCK_EX | LOCK_NB) != 0 && errno == EWOULDBLOCK;
    ::close(fd);
    return held;
}

std::string now() {
    std::time_t t = std::time(nullptr);
    std::tm local{};
    localtime_r(&t, &local);
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S", &local);
    return text;
}

}  // namespace

Backup findBackup(const fs::path& database, const std::string& stamp) {
    const std::vector<Backup> backups = listBackups(database);
    for (const Backup& b : backups) {
        if (!stamp.empty() && b.stamp != stamp) continue;
        if (!b.problem.empty()) throw SafetyError(b.problem);
        return stamp.empty() ? stateBefore(backups, b) : b;
    }
    if (stamp.empty()) throw SafetyError("Tidak ada cadangan data untuk " + databaseIdentity(database));
    throw SafetyError("Cadangan " + stamp + " tidak ditemukan di " + backupRoot(database).string());
}

void restoreBackup(const fs::path& database, Backup& backup, RestoreReport* report) {
    RestoreReport ignored;
    RestoreReport& done = report ? *report : ignored;
    done = {backup.stamp, {}, {}};
    Manifest& m = backup.manifest;
    const std::string identity = databaseIdentity(database);
    if (m.database != identity)
        throw SafetyError("Cadangan " + backup.stamp + " berasal dari Lokasi Data lain ( " + m.database +
                          " ), bukan dari " + identity + ". Tidak ada yang dikembalikan.");
    for (const BackedUpFile& f : m.files) {
        const fs::path copy = backup.folder / f.name;
        std::error_code ec;
        if (!fs::exists(copy, ec) || fs::file_size(copy, ec) != f.size || sha256OfFile(copy) != f.sha256)
            throw SafetyError("Cadangan rusak : " + copy.string() + " tidak sama dengan catatan cadangannya. Tidak ada yang dikembalikan.");
    }
    // What differs from the backup: files to put back, and files the import created.
    std::set<std::string> backedUp;
    std::vector<const BackedUpFile*> changed;
    for (const BackedUpFile& f : m.files) {
        backedUp.insert(f.name);
        const fs::path current = database / f.name;
        std::error_code ec;
        if (!fs::exists(current, ec) || fs::file_size(current, ec) != f.size || sha256OfFile(current) != f.sha256)
            changed.push_back(&f);
    }
    std::vector<std::string> created;
    for (const std::string& name : coveredFiles(database))
        if (!backedUp.count(name)) created.push_back(name);
    auto refuseWhenHeld = [&](const std::string& name) {
        if (heldByAnother(database / name))
            throw SafetyError("File sedang dipakai program lain : " + (database / name).string() +
                              ". Tutup program itu dulu; tidak ada yang dikembalikan.");
    };
    for (const BackedUpFile* f : changed) refuseWhenHeld(f->name);
    for (const std::string& name : created) refuseWhenHeld(name);

    m.restore = "restoring";
    writeManifest(backup.folder, m);
    try {
        for (size_t i = 0; i < changed.size(); ++i) {
            if (i == changed.size() / 2) retaildb::runPoint("restore");
            // Each file is copied beside its place and renamed over it: a file is always either
            // the old one or the whole backed-up one. The copy keeps the owner, group and mode
            // the table had when it was backed up.
            const fs::path temp = database / (changed[i]->name + kRestoreSuffix);
            const fs::path place = database / changed[i]->name;
            copyDurably(backup.folder / changed[i]->name, temp);
            fs::rename(temp, place);
            done.replaced.push_back(changed[i]->name);
        }
        for (const std::string& name : created) {
            fs::remove(database / name);
            done.removed.push_back(name);
        }
        for (const auto& entry : fs::directory_iterator(database))
            if (entry.path().filename().string().ends_with(kRestoreSuffix)) fs::remove(entry.path());
        syncFolder(database);
    } catch (const std::exception& e) {
        throw SafetyError("Pemulihan dari cadangan " + backup.stamp + " terhenti setelah " +
                          std::to_string(done.replaced.size()) + " dari " + std::to_string(changed.size()) +
                          " file dikembalikan ( " + e.what() + " ). Jalankan pemulihan lagi untuk menyelesaikannya.");
    }
    m.restore = "restored " + now();
    writeManifest(backup.folder, m);
    // The imports after this backup are gone from the shop with it.
    for (Backup& newer : listBackups(database)) {
        if (newer.stamp == backup.stamp) break;
        if (!newer.problem.empty() || !(newer.manifest.restore.empty() || newer.manifest.restore == "restoring")) continue;
        newer.manifest.restore = "undone " + now() + " by " + backup.stamp;
        writeManifest(newer.folder, newer.manifest);
    }
}

}  // namespace tarvo::safety

namespace tarvo::safety {

bool restoreDatabase(ui::Owner owner, const std::string& database, const std::string& stamp, bool ask,
                     RestoreReport* report) {
    try {
        DatabaseLock lock(database);
        Backup backup = findBackup(database, stamp);
        const std::string question = "Kembalikan data dari cadangan " + backup.stamp + " ( " +
                                     backup.manifest.started + ", import " + backup.manifest.state + " ) ke " +
                                     databaseIdentity(database) + " ?";
        if (ask && !ui::BOXASK(owner, "Tarvo-Soft", question, 2)) return false;
        restoreBackup(database, backup, report);
    } catch (const std::exception& e) {
        ui::BOXERROR(owner, e.what());
        return false;
    }
    return true;
}

}  // namespace tarvo::safety
