#include "xbase/codepage.h"

#include <iconv.h>

#include <cerrno>

#include <map>
#include <memory>
#include <mutex>

#include "xbase/error.h"

namespace tarvo::xbase {

namespace {

constexpr const char* kKamenicky = "CP895 (Kamenicky)";
constexpr const char* kMazovia = "CP620 (Mazovia)";
constexpr const char* kMacGreek = "MAC-GREEK";

// The code page of each language-driver byte that dBASE and Visual FoxPro define.
const char* codePageNameFor(uint8_t languageDriver) {
    switch (languageDriver) {
        case 0x02: case 0x0A: case 0x0E: case 0x10: case 0x12: case 0x14: case 0x16: case 0x1A:
        case 0x1D: case 0x25: case 0x37: return "CP850";
        case 0x03: case 0x57: case 0x58: case 0x59: return "CP1252";
        case 0x04: return "MACINTOSH";
        case 0x08: case 0x17: case 0x66: return "CP865";
        case 0x13: case 0x7B: return "CP932";
        case 0x1C: case 0x6C: return "CP863";
        case 0x1F: case 0x22: case 0x23: case 0x40: case 0x64: case 0x87: return "CP852";
        case 0x24: return "CP860";
        case 0x26: case 0x65: return "CP866";
        case 0x4D: case 0x7A: return "CP936";
        case 0x4E: case 0x79: return "CP949";
        case 0x4F: case 0x78: return "CP950";
        case 0x50: case 0x7C: return "CP874";
        case 0x67: return "CP861";
        case 0x68: return kKamenicky;
        case 0x69: return kMazovia;
        case 0x6A: case 0x86: return "CP737";
        case 0x6B: case 0x88: return "CP857";
        case 0x7D: return "CP1255";
        case 0x7E: return "CP1256";
        case 0x96: return "MAC-CYRILLIC";
        case 0x97: return "MAC-CENTRALEUROPE";
        case 0x98: return kMacGreek;
        case 0xC8: return "CP1250";
        case 0xC9: return "CP1251";
        case 0xCA: return "CP1254";
        case 0xCB: return "CP1253";
        case 0xCC: return "CP1257";
        default: return "CP437";  // 0x01 and the other OEM 437 drivers, 0 and unknown bytes
    }
}

bool isDoubleByte(const std::string& name) {
    return name == "CP932" || name == "CP936" || name == "CP949" || name == "CP950";
}

// Code pages iconv lacks: OEM 437 with other letters in 0x80-0xAF (Kamenický, Mazovia), and the
// Greek Macintosh page in 0x80-0xFF.
struct OwnPage {
    const char* name;
    const char* base;
    unsigned char first;
    const char* letters[128];
};

const OwnPage kOwnPages[] = {
    {kKamenicky, "CP437", 0x80,
     {"Č", "ü", "é", "ď", "ä", "Ď", "Ť", "č", "ě", "Ě", "Ĺ", "Í", "ľ", "ĺ", "Ä", "Á",
      "É", "ž", "Ž", "ô", "ö", "Ó", "ů", "Ú", "ý", "Ö", "Ü", "Š", "Ľ", "Ý", "Ř", "ť",
      "á", "í", "ó", "ú", "ň", "Ň", "Ů", "Ô", "š", "ř", "ŕ", "Ŕ", "¼", "§", "«", "»"}},
    {kMazovia, "CP437", 0x80,
     {"Ç", "ü", "é", "â", "ä", "à", "ą", "ç", "ê", "ë", "è", "ï", "î", "ć", "Ä", "Ą",
      "Ę", "ę", "ł", "ô", "ö", "Ć", "û", "ù", "Ś", "Ö", "Ü", "¢", "Ł", "¥", "ś", "ƒ",
      "Ź", "Ż", "ó", "Ó", "ń", "Ń", "ź", "ż", "¿", "⌐", "¬", "½", "¼", "¡", "«", "»"}},
    {kMacGreek, "MACINTOSH", 0x80,
     {"Ä", "¹", "²", "É", "³", "Ö", "Ü", "΅", "à", "â", "ä", "΄", "¨", "ç", "é", "è",
      "ê", "ë", "£", "™", "î", "ï", "•", "½", "‰", "ô", "ö", "¦", "€", "ù", "û", "ü",
      "†", "Γ", "Δ", "Θ", "Λ", "Ξ", "Π", "ß", "®", "©", "Σ", "Ϊ", "§", "≠", "°", "·",
      "Α", "±", "≤", "≥", "¥", "Β", "Ε", "Ζ", "Η", "Ι", "Κ", "Μ", "Φ", "Ϋ", "Ψ", "Ω",
      "ά", "Ν", "¬", "Ο", "Ρ", "≈", "Τ", "«", "»", "…", "\u00A0", "Υ", "Χ", "Ά", "Έ", "œ",
      "–", "―", "“", "”", "‘", "’", "÷", "Ή", "Ί", "Ό", "Ύ", "έ", "ή", "ί", "ό", "Ώ",
      "ύ", "α", "β", "ψ", "δ", "ε", "φ", "γ", "η", "ι", "ξ", "κ", "λ", "μ", "ν", "ο",
      "π", "ώ", "ρ", "σ", "τ", "θ", "ω", "ς", "χ", "υ", "ζ", "ϊ", "ϋ", "ΐ", "ΰ", "\u00AD"}},
};

const OwnPage* ownPage(const std::string& name) {
    for (const OwnPage& page : kOwnPages)
        if (name == page.name) return &page;
    return nullptr;
}

// Converts with iconv, a character the target lacks (or a malformed byte) becoming '?'.
std::string convert(const char* to, const char* from, std::string_view in) {
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1)) throw Error(std::string("code page ") + from + " or " + to + " is not available (iconv)");
    std::string out;
    char buffer[256];
    char* inPtr = const_cast<char*>(in.data());
    size_t inLeft = in.size();
    while (inLeft > 0) {
        char* outPtr = buffer;
        size_t outLeft = sizeof buffer;
        const size_t result = iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft);
        out.append(buffer, outPtr);
        if (result == static_cast<size_t>(-1) && errno != E2BIG) {
            // EILSEQ or EINVAL: one byte is passed over as '?'.
            out += '?';
            ++inPtr;
            --inLeft;
            iconv(cd, nullptr, nullptr, nullptr, nullptr);
        }
    }
    iconv_close(cd);
    return out;
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

CodePage::CodePage(std::string name) : name_(std::move(name)), doubleByte_(isDoubleByte(name_)) {
    const OwnPage* own = ownPage(name_);
    iconv_t cd = iconv_open("UTF-8", own ? own->base : name_.c_str());
    if (cd == reinterpret_cast<iconv_t>(-1)) throw Error("code page " + name_ + " is not available (iconv)");
    for (int b = 0; b < 256; ++b) {
        char in = static_cast<char>(b);
        char out[8];
        char* inPtr = &in;
        size_t inLeft = 1;
        char* outPtr = out;
        size_t outLeft = sizeof out;
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
        if (own && b >= own->first && own->letters[b - own->first]) {
            decoded_[b] = own->letters[b - own->first];
        } else if (iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft) == static_cast<size_t>(-1) || outPtr == out) {
            decoded_[b].assign(1, '?');  // a byte the code page leaves undefined (or a lead byte)
            continue;
        } else {
            decoded_[b].assign(out, outPtr);
        }
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
    if (doubleByte_) {
        // Bytes from 0x80 on start two-byte characters: the text is converted as a whole.
        while (pos < bytes.size() && unchanged(identity_, bytes[pos])) ++pos;
        out.append(bytes.data(), pos);
        if (pos < bytes.size()) out += convert("UTF-8", name_.c_str(), bytes.substr(pos));
        return;
    }
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
    if (doubleByte_) {
        while (pos < utf8.size() && unchanged(identity_, utf8[pos])) ++pos;
        out.append(utf8.data(), pos);
        if (pos < utf8.size()) out += convert(name_.c_str(), "UTF-8", utf8.substr(pos));
        return;
    }
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
