#include "safety/durable_files.h"

#include <fcntl.h>
#include <linux/fs.h>
#include <openssl/evp.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <memory>
#include <vector>

#include "safety/safety_error.h"

namespace tarvo::safety {

namespace {

std::function<uint64_t(const std::filesystem::path&)> freeSpaceProbe;

[[noreturn]] void fail(const std::filesystem::path& file, const std::string& what) {
    throw SafetyError(file.string() + ": " + what + ": " + std::strerror(errno));
}

void giveOwnership(int fd, const std::filesystem::path& path, const Ownership& o) {
    struct stat st {};
    if (::fstat(fd, &st) != 0) fail(path, "cannot read owner");
    // Root gives owner and group; another user may give only a group it belongs to.
    if ((st.st_uid != o.owner || st.st_gid != o.group) && ::fchown(fd, o.owner, o.group) != 0 &&
        ::fchown(fd, static_cast<uid_t>(-1), o.group) != 0 && errno != EPERM)
        fail(path, "cannot give owner");
    // After the owner: a change of owner clears set-id bits. A folder of another user (made by
    // root, shared through its group) is left with the permissions it has.
    if (::fchmod(fd, o.mode) != 0 && !(errno == EPERM && st.st_uid != ::geteuid()))
        fail(path, "cannot give permissions");
}

// A file descriptor closed with its scope.
class Descriptor {
public:
    Descriptor(const std::filesystem::path& path, int flags, mode_t mode = 0644)
        : fd_(::open(path.c_str(), flags | O_CLOEXEC, mode)) {
        if (fd_ < 0) fail(path, "cannot open");
    }
    ~Descriptor() { ::close(fd_); }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int fd() const { return fd_; }

private:
    int fd_;
};

void writeAll(int fd, const char* data, size_t length, const std::filesystem::path& to) {
    while (length > 0) {
        ssize_t n = ::write(fd, data, length);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) fail(to, "cannot write");
        data += n;
        length -= static_cast<size_t>(n);
    }
}

void copyContents(int in, int out, uint64_t size, const std::filesystem::path& from, const std::filesystem::path& to) {
    if (::ioctl(out, FICLONE, in) == 0) return;
    uint64_t copied = 0;
    bool kernelCopy = true;
    while (copied < size && kernelCopy) {
        ssize_t n = ::copy_file_range(in, nullptr, out, nullptr, size - copied, 0);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0 && (errno == EXDEV || errno == ENOSYS || errno == EOPNOTSUPP || errno == EINVAL) && copied == 0) {
            kernelCopy = false;
            break;
        }
        if (n < 0) fail(to, "cannot copy from " + from.string());
        if (n == 0) break;
        copied += static_cast<uint64_t>(n);
    }
    if (kernelCopy) {
        if (copied != size) throw SafetyError(from.string() + ": changed while it was copied");
        return;
    }
    std::vector<char> buffer(1u << 20);
    for (;;) {
        ssize_t n = ::read(in, buffer.data(), buffer.size());
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) fail(from, "cannot read");
        if (n == 0) break;
        writeAll(out, buffer.data(), static_cast<size_t>(n), to);
    }
}

}  // namespace

Ownership Ownership::forFile() const { return {owner, group, static_cast<mode_t>(mode & 0666)}; }

Ownership ownershipOf(const std::filesystem::path& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) fail(path, "cannot read owner");
    return {st.st_uid, st.st_gid, static_cast<mode_t>(st.st_mode & 07777)};
}

void applyOwnership(const std::filesystem::path& path, const Ownership& ownership) {
    Descriptor d(path, O_RDONLY);
    giveOwnership(d.fd(), path, ownership);
}

void makeFolderLike(const std::filesystem::path& folder, const Ownership& ownership) {
    if (::mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST) fail(folder, "cannot create");
    Descriptor d(folder, O_RDONLY | O_DIRECTORY);  // refuses a file where the folder goes
    giveOwnership(d.fd(), folder, ownership);
}

void copyDurably(const std::filesystem::path& from, const std::filesystem::path& to, const std::optional<Ownership>& like) {
    Descriptor in(from, O_RDONLY);
    struct stat st {};
    if (::fstat(in.fd(), &st) != 0) fail(from, "cannot read size");
    Descriptor out(to, O_WRONLY | O_CREAT | O_TRUNC, 0600);
    giveOwnership(out.fd(), to,
                  like ? *like : Ownership{st.st_uid, st.st_gid, static_cast<mode_t>(st.st_mode & 07777)});
    copyContents(in.fd(), out.fd(), static_cast<uint64_t>(st.st_size), from, to);
    if (::fsync(out.fd()) != 0) fail(to, "cannot flush to disk");
}

void syncFile(const std::filesystem::path& file) {
    Descriptor d(file, O_RDONLY);
    if (::fsync(d.fd()) != 0) fail(file, "cannot flush to disk");
}

void syncFolder(const std::filesystem::path& folder) {
    Descriptor d(folder, O_RDONLY | O_DIRECTORY);
    if (::fsync(d.fd()) != 0) fail(folder, "cannot flush to disk");
}

void replaceFileDurably(const std::filesystem::path& file, const std::string& text) {
    std::filesystem::path temp = file;
    temp += ".new";
    std::error_code ec;
    const Ownership like = std::filesystem::exists(file, ec) ? ownershipOf(file) : ownershipOf(file.parent_path()).forFile();
    {
        Descriptor out(temp, O_WRONLY | O_CREAT | O_TRUNC, 0600);
        giveOwnership(out.fd(), temp, like);
        writeAll(out.fd(), text.data(), text.size(), temp);
        if (::fsync(out.fd()) != 0) fail(temp, "cannot flush to disk");
    }
    if (::rename(temp.c_str(), file.c_str()) != 0) fail(file, "cannot replace");
    syncFolder(file.parent_path());
}

std::string sha256OfFile(const std::filesystem::path& file) {
    Descriptor in(file, O_RDONLY);
    std::unique_ptr<EVP_MD_CTX, decltype(&EVP_MD_CTX_free)> context(EVP_MD_CTX_new(), EVP_MD_CTX_free);
    if (!context || EVP_DigestInit_ex(context.get(), EVP_sha256(), nullptr) != 1)
        throw SafetyError("SHA-256 is not available");
    std::vector<char> buffer(1u << 20);
    for (;;) {
        ssize_t n = ::read(in.fd(), buffer.data(), buffer.size());
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) fail(file, "cannot read");
        if (n == 0) break;
        EVP_DigestUpdate(context.get(), buffer.data(), static_cast<size_t>(n));
    }
    unsigned char digest[EVP_MAX_MD_SIZE];
    unsigned int length = 0;
    EVP_DigestFinal_ex(context.get(), digest, &length);
    static const char* hex = "0123456789abcdef";
    std::string text;
    for (unsigned int i = 0; i < length; ++i) {
        text += hex[digest[i] >> 4];
        text += hex[digest[i] & 15];
    }
    return text;
}

uint64_t freeSpace(const std::filesystem::path& folder) {
    if (freeSpaceProbe) return freeSpaceProbe(folder);
    struct statvfs fs {};
    if (::statvfs(folder.c_str(), &fs) != 0) fail(folder, "cannot read the free space");
    return static_cast<uint64_t>(fs.f_bavail) * fs.f_frsize;
}

void setFreeSpaceProbe(std::function<uint64_t(const std::filesystem::path&)> probe) {
    freeSpaceProbe = std::move(probe);
}

}  // namespace tarvo::safety
