// libFuzzer entry: any bytes opened as a compound index either work or give an xbase::Error; nothing
// crashes, hangs or runs away with memory. Each tag is walked both ways, sought, counted and verified;
// then the file is opened for writing and changed.
// `cdx_fuzz --seeds-from FOLDER OUT` copies every compound index under FOLDER (.CDX, .DCX) into OUT
// as a seed and exits.
#include <unistd.h>

#include <cctype>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "fuzz/fuzz_support.h"
#include "xbase/cdx/cursor.h"
#include "xbase/cdx/file.h"
#include "xbase/error.h"

namespace {

using tarvo::xbase::CdxCursor;
using tarvo::xbase::CdxFile;
using tarvo::xbase::CdxTag;
using tarvo::xbase::Error;

const std::filesystem::path& scratchFile() {
    static const std::filesystem::path path =
        std::filesystem::temp_directory_path() / ("cdx_fuzz_" + std::to_string(getpid()) + ".cdx");
    return path;
}

// The key type a tag of this key length most likely has: numeric for 8 bytes, integer for 4.
char binaryKeyType(const CdxTag& tag) {
    const uint16_t length = tag.info().keyLength;
    return length == 8 ? 'N' : length == 4 ? 'I' : 'C';
}

// Reads a tag every way there is; returns a few of its keys.
std::vector<std::string> readTag(CdxTag& tag) {
    std::vector<std::string> keys;
    tag.setKeyType(binaryKeyType(tag));
    CdxCursor cursor(tag);
    for (bool on = cursor.first(); on; on = cursor.next())
        if (keys.size() < 4) keys.push_back(cursor.entry().key);
    for (bool on = cursor.last(); on; on = cursor.prev()) {
    }
    for (const std::string& key : keys) {
        cursor.seek(key);
        cursor.seek(key.substr(0, key.size() / 2), true);
        cursor.seekEntry(key, 1);
    }
    tag.keyCount();
    tag.verify();
    return keys;
}

void changeTag(CdxTag& tag, const std::vector<std::string>& keys) {
    std::string key(tag.info().keyLength, 'A');
    for (uint32_t recno = 1; recno <= 300; ++recno) {
        key[recno % key.size()] = static_cast<char>('A' + recno % 7);
        tag.insert(key, recno);
    }
    for (const std::string& existing : keys) tag.erase(existing, 1);
    tag.verify();
}

}  // namespace

namespace {

void indexSeed(const std::filesystem::path& file, const std::filesystem::path& out) {
    std::string extension = file.extension().string();
    for (char& c : extension) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    if (extension != ".CDX" && extension != ".DCX") return;
    static int count = 0;
    tarvo::fuzz::writeFile(out / ("index_" + std::to_string(++count)), tarvo::fuzz::readFile(file));
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    tarvo::fuzz::seedsFromWhenAsked(*argc, *argv, indexSeed);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    {
        std::ofstream out(scratchFile(), std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }
    std::vector<std::vector<std::string>> keys;
    try {
        auto file = CdxFile::open(scratchFile(), true);
        for (CdxTag* tag : file->tags()) {
            keys.emplace_back();
            try {
                keys.back() = readTag(*tag);
            } catch (const Error&) {
            }
        }
        file->verify();
    } catch (const Error&) {
        return 0;
    }
    try {
        auto file = CdxFile::open(scratchFile(), false);
        std::vector<CdxTag*> tags = file->tags();
        for (size_t i = 0; i < tags.size() && i < keys.size(); ++i) {
            try {
                tags[i]->setKeyType(binaryKeyType(*tags[i]));
                changeTag(*tags[i], keys[i]);
            } catch (const Error&) {
            }
        }
        file->flush();
    } catch (const Error&) {
    }
    return 0;
}
