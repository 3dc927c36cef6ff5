#pragma once
// Code pages of tables, single-byte and double-byte (Japanese, Chinese, Korean): translation
// between a table's bytes and the program's UTF-8.

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>

namespace tarvo::xbase {

class CodePage {
public:
    // The code page a DBF header's language-driver byte names; OEM 437 for 0 and unknown bytes.
    static const CodePage& forLanguageDriver(uint8_t languageDriver);
    // The code page of tables we create (OEM 437) and its language-driver byte.
    static const CodePage& oem();
    static constexpr uint8_t kOemLanguageDriver = 0x01;
    // Windows-1252, what spreadsheet programs on Windows save as "CSV".
    static const CodePage& windowsAnsi();
    // A code page table headers can name, by its number ("437", "1252", "CP850"); nullptr for others.
    static const CodePage* numbered(std::string_view number);

    const std::string& name() const { return name_; }
    // Characters from byte 0x80 on take two bytes: text cannot be translated byte by byte.
    bool doubleByte() const { return doubleByte_; }

    // Table bytes to UTF-8 (appended to out).
    void decode(std::string_view bytes, std::string& out) const;
    std::string decode(std::string_view bytes) const;
    // UTF-8 to table bytes (appended to out); characters the code page lacks become '?'.
    void encode(std::string_view utf8, std::string& out) const;
    std::string encode(std::string_view utf8) const;
    // Whether one of the code page's bytes stands for the code point.
    bool holds(uint32_t codePoint) const { return encoded_.contains(codePoint); }
    // The first character of the UTF-8 text the code page lacks (as UTF-8); empty when it has all.
    std::string missingCharacter(std::string_view utf8) const;

private:
    explicit CodePage(std::string name);
    std::string name_;
    bool doubleByte_ = false;
    std::string decoded_[256];                     // UTF-8 text of every byte
    bool identity_[128] = {};                      // byte < 0x80 decodes to itself
    std::unordered_map<uint32_t, uint8_t> encoded_;  // code point -> byte
};

}  // namespace tarvo::xbase
