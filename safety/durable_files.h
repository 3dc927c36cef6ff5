#pragma once
// File operations that survive a power cut: copies that reach the disk, flushes of files and
// folders, and checksums to prove a copy.

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>

namespace tarvo::safety {

// Copies a file, sharing its blocks where the file system can (reflink), else through the
// kernel (copy_file_range), else by reading and writing; the copy is flushed to disk.
// Throws SafetyError naming the file and the reason.
void copyDurably(const std::filesystem::path& from, const std::filesystem::path& to);
// Flushes a file's data and metadata, or a folder's entries, to disk; throws SafetyError.
void syncFile(const std::filesystem::path& file);
void syncFolder(const std::filesystem::path& folder);
// Writes text to a file by way of a temporary beside it, flushed and renamed into place, so the
// file holds either the old text or the new, never a part.
void replaceFileDurably(const std::filesystem::path& file, const std::string& text);
// SHA-256 of the file's bytes in lower-case hex; throws SafetyError.
std::string sha256OfFile(const std::filesystem::path& file);

// Free bytes for an unprivileged user on the file system of the folder; tests replace the probe.
uint64_t freeSpace(const std::filesystem::path& folder);
void setFreeSpaceProbe(std::function<uint64_t(const std::filesystem::path&)> probe);

}  // namespace tarvo::safety
