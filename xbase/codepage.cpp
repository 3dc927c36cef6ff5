#include "xbase/codepage.h"

#include <iconv.h>

#include <map>
#include <memory>
#include <mutex>

#include "xbase/error.h"

namespace tarvo::xbase {

namespace {

// Language-driver bytes of dBASE and FoxPro headers for single-byte code pages.
const char* codePageNameFor(uint8_t languageDriver) {
    switch (languageDriver) {
        case 0x02: case 0x10: case 0x11: case 0x12: case 0x14: case 0x15: case 0x16:
        case 0x17: case 0x18: case 0x19: case 0x1D: case 0x1F: case 0x22: case 0x25:
        case 0x37: case 0x55: return "CP850";
        case 0x03: case 0x57: case 0x58: case 0x59: return "CP1252";
        case 0x64: return "CP852";
        case 0x65: case 0x26: return "CP866";
        case 0x66: return "CP865";
        case 0x67: return "CP861";
        case 0x6A: return "CP737";
        case 0x6B: return "CP857";
        case 0xC8: return "CP1250";
        case 0xC9: return "CP1251";
        case 0xCA: return "CP1254";
        case 0xCB: return "CP1253";
        default: return "CP437";
    }
}

// Reads one code point from UTF-8 at pos (advancing pos); malformed bytes give U+FFFD.
uint32_t nextCodePoint(std::string_view s, size_t& pos) {
    auto byte = [&](size_t i) { return static_cast<unsigned char>(s[i]); };
    unsigned char c = byte(pos);
    int extra = c < 0x80 ? 0 : (c >> 5) == 0x6 ? 1 : (c >> 4) == 0xE ? 2 : (c >> 3) == 0x1E ? 3 : -1;
    if (extra < 0 || pos + extra >= s.size()) {
        ++pos;
        return 0xFFFD;
    }
    uint32_t cp = extra == 0 ? c : (c & (0x3F >> extra));
    for (int i = 1; i <= extra; ++i) {
        unsigned char cc = byte(pos + i);
        if ((cc & 0xC0) != 0x80) {
            ++pos;
            return 0xFFFD;
        }
        cp = (cp << 6) | (cc & 0x3F);
    }
    pos += extra + 1;
    return cp;
}

// A byte below 0x80 that the code page reads as the same ASCII character.
bool unchanged(const bool (&identity)[128], char c) {
    auto b = static_cast<unsigned char>(c);
    return b < 0x80 && identity[b];
}

}  // namespace

CodePage::CodePage(std::string name) : name_(std::move(name)) {
    iconv_t cd = iconv_open("UTF-8", name_.c_str());
    if (cd == reinterpret_cast<iconv_t>(-1)) throw Error("code page " + name_ + " is not available (iconv)");
    for (int b = 0; b < 256; ++b) {
        char in = static_cast<char>(b);
        char out[8];
        char* inPtr = &in;
        size_t inLeft = 1;
        char* outPtr = out;
        size_t outLeft = sizeof out;
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
        if (iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft) == static_cast<size_t>(-1) || outPtr == out) {
            decoded_[b].assign(1, '?');  // a byte the code page leaves undefined
            continue;
        }
        decoded_[b].assign(out, outPtr);
        size_t pos = 0;
        uint32_t cp = nextCodePoint(decoded_[b], pos);
        encoded_.emplace(cp, static_cast<uint8_t>(b));
        if (b < 0x80) identity_[b] = cp == static_cast<uint32_t>(b);
    }
    iconv_close(cd);
}

const CodePage& CodePage::forLanguageDriver(uint8_t languageDriver) {
    static std::mutex mutex;
    static std::map<std::string, std::unique_ptr<CodePage>> pages;
    std::lock_guard lock(mutex);
    std::string name = codePageNameFor(languageDriver);
    auto& page = pages[name];
    if (!page) page.reset(new CodePage(name));
    return *page;
}

const CodePage& CodePage::oem() { return forLanguageDriver(kOemLanguageDriver); }

const CodePage& CodePage::windowsAnsi() { return forLanguageDriver(0x03); }

const CodePage* CodePage::numbered(std::string_view number) {
    if (number.starts_with("CP") || number.starts_with("cp")) number.remove_prefix(2);
    const std::string name = "CP" + std::string(number);
    for (int driver = 0; driver < 256; ++driver)
        if (name == codePageNameFor(static_cast<uint8_t>(driver))) return &forLanguageDriver(static_cast<uint8_t>(driver));
    return nullptr;
}

// Runs of bytes that stay as they are (the common case: plain ASCII) are copied in one go.
void CodePage::decode(std::string_view bytes, std::string& out) const {
    size_t pos = 0;
    while (pos < bytes.size()) {
        size_t run = pos;
        while (run < bytes.size() && unchanged(identity_, bytes[run])) ++run;
        out.append(bytes.data() + pos, run - pos);
        if (run == bytes.size()) break;
        out += decoded_[static_cast<unsigned char>(bytes[run])];
        pos = run + 1;
    }
}

std::string CodePage::decode(std::string_view bytes) const {
    std::string out;
    out.reserve(bytes.size());
    decode(bytes, out);
    return out;
}

// Runs of plain ASCII are copied in one go here too.
std::string CodePage::encode(std::string_view utf8) const {
    std::string out;
    encode(utf8, out);
    return out;
}

void CodePage::encode(std::string_view utf8, std::string& out) const {
    out.reserve(out.size() + utf8.size());
    size_t pos = 0;
    while (pos < utf8.size()) {
        size_t run = pos;
        while (run < utf8.size() && unchanged(identity_, utf8[run])) ++run;
        out.append(utf8.data() + pos, run - pos);
        if (run == utf8.size()) break;
        pos = run;
        uint32_t cp = nextCodePoint(utf8, pos);
        auto it = encoded_.find(cp);
        out += it == encoded_.end() ? '?' : static_cast<char>(it->second);
    }
}

std::string CodePage::missingCharacter(std::string_view utf8) const {
    size_t pos = 0;
    while (pos < utf8.size()) {
        if (unchanged(identity_, utf8[pos])) {
            ++pos;
            continue;
        }
        const size_t start = pos;
        if (!encoded_.count(nextCodePoint(utf8, pos))) return std::string(utf8.substr(start, pos - start));
    }
    return {};
}

}  // namespace tarvo::xbase
