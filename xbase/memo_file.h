#pragma once
// Memo files beside a data file: FoxPro FPT (DBFCDX), dBASE III DBT (DBFNTX) and
// dBASE IV DBT (DBFMDX). A memo is addressed by the number of its first block; 0 means none.

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>

namespace tarvo::xbase {

class RecordFile;

enum class MemoKind { Fpt, DbtIII, DbtIV };

class MemoFile {
public:
    // Opens an existing memo file; the kind decides the layout. Throws Error for a damaged header.
    static std::unique_ptr<MemoFile> open(const std::filesystem::path& path, MemoKind kind, bool readOnly);
    // Writes a new empty memo file (replacing any file of that name).
    static void create(const std::filesystem::path& path, MemoKind kind);
    static const char* extension(MemoKind kind);  // ".FPT" or ".DBT"

    ~MemoFile();
    MemoKind kind() const { return kind_; }
    const std::filesystem::path& path() const;

    // The memo's bytes; throws Error naming the file for a block past its end or a damaged block.
    std::string read(uint32_t block) const;
    // Stores bytes, reusing the old memo's space when they fit; returns the block (0 for empty bytes).
    uint32_t write(std::string_view bytes, uint32_t oldBlock);
    void flush();   // next-free pointer in the header
    void clear();   // every memo gone (zap)

private:
    MemoFile(std::unique_ptr<RecordFile> file, MemoKind kind);
    uint32_t blocksFor(uint64_t bytes) const;
    uint32_t headerEnd() const;                    // where the first block may begin
    uint64_t storedLength(uint32_t block) const;   // bytes the memo at block occupies, headers included
    std::string blockImage(std::string_view bytes) const;

    std::unique_ptr<RecordFile> file_;
    MemoKind kind_;
    uint32_t blockSize_ = 512;
    uint32_t nextFree_ = 1;
    bool headerDirty_ = false;
};

}  // namespace tarvo::xbase
