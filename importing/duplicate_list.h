#pragma once
// The items an import refused as duplicates, kept out of memory: a run over a huge source may
// refuse millions of rows, so the entries go to a temporary file as they are found (the first
// megabyte of them stays in memory, so a run with few duplicates writes no file) and are read back
// one at a time, in the order they were added.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <memory>
#include <string>

namespace tarvo::importing {

// An item refused as a duplicate, by code or by name.
struct DuplicateEntry {
    std::string newCode;       // the code that collided (code list) or the item's first code (name list)
    std::string newName;
    std::string existingCode;  // KODE_C of the item already imported, trimmed
    std::string existingName;  // its NAMA, trimmed
    uint32_t templateRecno = 0;  // record number in the template or source table
    uint32_t stockRecno = 0;
};

class DuplicateList {
public:
    DuplicateList() = default;
    DuplicateList(std::initializer_list<DuplicateEntry> entries);

    // Adds an entry; throws std::runtime_error when the temporary file cannot be written.
    void push_back(const DuplicateEntry& entry);
    size_t size() const;
    bool empty() const { return size() == 0; }
    // Hands every entry to `visit` in the order they were added; throws std::runtime_error when
    // the temporary file cannot be read.
    void forEach(const std::function<void(const DuplicateEntry&)>& visit) const;

private:
    struct Spool;
    std::shared_ptr<Spool> spool_;  // copies of a list share its entries
};

}  // namespace tarvo::importing
