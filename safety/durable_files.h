#pragma once
// File operations that survive a power cut: copies that reach the disk, flushes of files and
// folders, and checksums to prove a copy.

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>

#include <sys/types.h>

namespace tarvo::safety {

// Who owns a file or folder and its permission bits.
struct Ownership {
    uid_t owner = 0;
    gid_t group = 0;
    mode_t mode = 0;  // permission bits only

    // The same owner and group with the execute bits dropped: what a file in a folder gets.
    Ownership forFile() const;
};

// Throws SafetyError naming the file when it cannot be read.
Ownership ownershipOf(const std::filesystem::path& path);
// Gives a file or folder the permission bits, and the owner and group as far as this user may
// (root may give any; others keep their own user and may give a group they belong to).
void applyOwnership(const std::filesystem::path& path, const Ownership& ownership);
// A new folder (created when missing) with the given ownership.
void makeFolderLike(const std::filesystem::path& folder, const Ownership& ownership);

// Copies a file, sharing its blocks where the file system can (reflink), else through the
// kernel (copy_file_range), else by reading and writing; the copy is flushed to disk. It gets
// the given ownership, or the original's: never more open than that while it is written.
// Throws SafetyError naming the file and the reason.
void copyDurably(const std::filesystem::path& from, const std::filesystem::path& to,
                 const std::optional<Ownership>& like = std::nullopt);
// Flushes a file's data and metadata, or a folder's entries, to disk; throws SafetyError.
void syncFile(const std::filesystem::path& file);
void syncFolder(const std::filesystem::path& folder);
// Writes text to a file by way of a temporary beside it, flushed and renamed into place, so the
// file holds either the old text or the new, never a part. The new file keeps the old one's
// ownership, or takes its folder's (without execute bits).
void replaceFileDurably(const std::filesystem::path& file, const std::string& text);
// SHA-256 of the file's bytes in lower-case hex; throws SafetyError.
std::string sha256OfFile(const std::filesystem::path& file);

// Free bytes for an unprivileged user on the file system of the folder; tests replace the probe.
uint64_t freeSpace(const std::filesystem::path& folder);
void setFreeSpaceProbe(std::function<uint64_t(const std::filesystem::path&)> probe);

}  // namespace tarvo::safety
