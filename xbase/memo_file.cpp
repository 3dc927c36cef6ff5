#include "xbase/memo_file.h"

#include <algorithm>
#include <vector>

#include "xbase/byte_order.h"
#include "xbase/error.h"
#include "xbase/record_file.h"

namespace tarvo::xbase {

namespace {
constexpr uint32_t kHeaderBytes = 512;
constexpr uint32_t kFptBlockSize = 64;     // the block size FoxPro and DBFCDX drivers use
constexpr uint32_t kDbtBlockSize = 512;
constexpr uint32_t kFptTextType = 1;
constexpr uint64_t kMaxMemoBytes = 64u * 1024 * 1024;

}  // namespace

const char* MemoFile::extension(MemoKind kind) { return kind == MemoKind::Fpt ? ".FPT" : ".DBT"; }

MemoFile::MemoFile(std::unique_ptr<RecordFile> file, MemoKind kind) : file_(std::move(file)), kind_(kind) {}

MemoFile::~MemoFile() {
    try {
        flush();
    } catch (const Error&) {
        // Reported by the table's commit; closing must not throw.
    }
}

const std::filesystem::path& MemoFile::path() const { return file_->path(); }

void MemoFile::create(const std::filesystem::path& path, MemoKind kind) {
    std::vector<char> header(kHeaderBytes, '\0');
    switch (kind) {
        case MemoKind::Fpt:
            putBE32(header.data(), kHeaderBytes / kFptBlockSize);
            header[6] = static_cast<char>(kFptBlockSize >> 8);
            header[7] = static_cast<char>(kFptBlockSize & 0xFF);
            break;
        case MemoKind::DbtIII:
            putLE32(header.data(), 1);
            header[16] = 0x03;
            break;
        case MemoKind::DbtIV: {
            putLE32(header.data(), 1);
            std::string stem = path.stem().string().substr(0, 8);
            std::copy(stem.begin(), stem.end(), header.begin() + 8);
            header[20] = static_cast<char>(kDbtBlockSize & 0xFF);
            header[21] = static_cast<char>(kDbtBlockSize >> 8);
            break;
        }
    }
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) throw Error(path.string() + ": cannot create memo file");
    bool ok = std::fwrite(header.data(), 1, header.size(), f) == header.size();
    ok = std::fclose(f) == 0 && ok;
    if (!ok) throw Error(path.string() + ": cannot write memo file");
}

std::unique_ptr<MemoFile> MemoFile::open(const std::filesystem::path& path, MemoKind kind, bool readOnly) {
    auto file = std::make_unique<RecordFile>(path, readOnly, RecordFile::Lock::Shared);
    if (file->size() < kHeaderBytes) throw Error(path.string() + ": memo file is truncated (no complete header)");
    char header[kHeaderBytes];
    file->readAt(0, header, sizeof header);
    std::unique_ptr<MemoFile> memo(new MemoFile(std::move(file), kind));
    switch (kind) {
        case MemoKind::Fpt:
            memo->nextFree_ = getBE32(header);
            memo->blockSize_ = (uint32_t(static_cast<unsigned char>(header[6])) << 8) | static_cast<unsigned char>(header[7]);
            break;
        case MemoKind::DbtIII:
            memo->nextFree_ = getLE32(header);
            memo->blockSize_ = kDbtBlockSize;
            break;
        case MemoKind::DbtIV: {
            memo->nextFree_ = getLE32(header);
            uint32_t size = static_cast<unsigned char>(header[20]) | (uint32_t(static_cast<unsigned char>(header[21])) << 8);
            memo->blockSize_ = size == 0 ? kDbtBlockSize : size;
            break;
        }
    }
    if (memo->blockSize_ == 0) throw Error(path.string() + ": memo file header gives a block size of 0");
    // The next free block must lie past the header; a smaller value would overwrite it.
    uint32_t firstBlock = (memo->headerEnd() + memo->blockSize_ - 1) / memo->blockSize_;
    uint64_t endBlock = (memo->file_->size() + memo->blockSize_ - 1) / memo->blockSize_;
    if (memo->nextFree_ < firstBlock || memo->nextFree_ > endBlock + 1) {
        memo->nextFree_ = static_cast<uint32_t>(std::max<uint64_t>(firstBlock, endBlock));
        memo->headerDirty_ = !readOnly;
    }
    return memo;
}

// dBASE IV's header takes one block, which can be smaller than its 512 bytes (BDE writes 64-byte
// blocks); the other kinds keep 512 bytes free for theirs.
uint32_t MemoFile::headerEnd() const { return kind_ == MemoKind::DbtIV ? std::min(blockSize_, kHeaderBytes) : kHeaderBytes; }

uint32_t MemoFile::blocksFor(uint64_t bytes) const {
    return static_cast<uint32_t>((bytes + blockSize_ - 1) / blockSize_);
}

std::string MemoFile::read(uint32_t block) const {
    if (block == 0) return {};
    uint64_t offset = uint64_t(block) * blockSize_;
    uint64_t size = file_->size();
    auto fail = [&](const std::string& problem) {
        return Error(path().string() + ": memo block " + std::to_string(block) + " " + problem);
    };
    if (offset < headerEnd()) throw fail("lies inside the memo file's header");
    if (offset >= size) throw fail("is past the end of the memo file");
    if (kind_ == MemoKind::DbtIII) {
        // Text up to the first end-of-file mark (0x1A).
        std::string out;
        char chunk[512];
        while (offset < size && out.size() < kMaxMemoBytes) {
            size_t n = static_cast<size_t>(std::min<uint64_t>(sizeof chunk, size - offset));
            file_->readAt(offset, chunk, n);
            const char* end = std::find(chunk, chunk + n, '\x1A');
            out.append(static_cast<const char*>(chunk), end);
            if (end != chunk + n) return out;
            offset += n;
        }
        return out;
    }
    if (offset + 8 > size) throw fail("has no complete block header");
    char head[8];
    file_->readAt(offset, head, sizeof head);
    uint64_t length = 0;
    uint64_t dataOffset = offset + 8;
    if (kind_ == MemoKind::Fpt) {
        length = getBE32(head + 4);
    } else {
        if (static_cast<unsigned char>(head[0]) != 0xFF || static_cast<unsigned char>(head[1]) != 0xFF)
            throw fail("does not begin with a memo block mark");
        uint32_t total = getLE32(head + 4);
        if (total < 8) throw fail("has an impossible length");
        length = total - 8;
    }
    if (length > kMaxMemoBytes || dataOffset + length > size) throw fail("runs past the end of the memo file");
    std::string out(static_cast<size_t>(length), '\0');
    file_->readAt(dataOffset, out.data(), out.size());
    return out;
}

uint64_t MemoFile::storedLength(uint32_t block) const {
    if (kind_ == MemoKind::DbtIII) return read(block).size() + 2;
    return read(block).size() + 8;
}

std::string MemoFile::blockImage(std::string_view bytes) const {
    std::string image;
    switch (kind_) {
        case MemoKind::Fpt:
            image.assign(8, '\0');
            putBE32(image.data(), kFptTextType);
            putBE32(image.data() + 4, static_cast<uint32_t>(bytes.size()));
            image.append(bytes);
            break;
        case MemoKind::DbtIII:
            image.assign(bytes);
            image.append("\x1A\x1A");
            break;
        case MemoKind::DbtIV:
            image.assign("\xFF\xFF\x08\x00", 4);
            image.append(4, '\0');
            putLE32(image.data() + 4, static_cast<uint32_t>(bytes.size() + 8));
            image.append(bytes);
            break;
    }
    image.resize(uint64_t(blocksFor(image.size())) * blockSize_, '\0');
    return image;
}

uint32_t MemoFile::write(std::string_view bytes, uint32_t oldBlock) {
    if (bytes.empty()) return 0;
    if (bytes.size() > kMaxMemoBytes) throw Error(path().string() + ": memo text is too long");
    std::string image = blockImage(bytes);
    uint32_t block = nextFree_;
    bool reuse = false;
    if (oldBlock != 0) {
        try {
            reuse = blocksFor(storedLength(oldBlock)) >= blocksFor(image.size());
        } catch (const Error&) {
            reuse = false;  // a damaged old memo is simply not reused
        }
    }
    if (reuse) {
        block = oldBlock;
    } else {
        nextFree_ += blocksFor(image.size());
        headerDirty_ = true;
    }
    file_->writeAt(uint64_t(block) * blockSize_, image.data(), image.size());
    return block;
}

void MemoFile::flush() {
    if (!headerDirty_) return;
    char word[4];
    if (kind_ == MemoKind::Fpt)
        putBE32(word, nextFree_);
    else
        putLE32(word, nextFree_);
    file_->writeAt(0, word, sizeof word);
    headerDirty_ = false;
}

void MemoFile::clear() {
    file_->truncate(kHeaderBytes);
    nextFree_ = (kHeaderBytes + blockSize_ - 1) / blockSize_;
    headerDirty_ = true;
    flush();
}

}  // namespace tarvo::xbase
