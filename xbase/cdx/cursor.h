#pragma once
// A position in one tag that moves in the tag's order: ascending tags from the smallest key, descending
// tags from the greatest; equal keys by record number in that same direction. After the tag changed, the
// cursor finds its entry again (or the place it had) before it moves.

#include <cstdint>
#include <string_view>

#include "xbase/cdx/tag.h"

namespace tarvo::xbase {

class CdxCursor {
public:
    explicit CdxCursor(CdxTag& tag) : tag_(tag) {}

    // Each returns whether the cursor is on an entry; when not, it is at the end.
    bool first();
    bool last();
    bool next();
    bool prev();

    // Finds the first entry, in tag order, whose key begins with `key` (compared over its own length, at most
    // the key length), or the last such entry when `last`, and returns true. When there is none it returns
    // false and rests on the entry that would follow the sought key in tag order (at the end when none does).
    bool seek(std::string_view key, bool last = false);
    // Goes to exactly this entry; when it is not there, returns false and rests where seek() would.
    bool seekEntry(std::string_view key, uint32_t recno);

    bool atEnd() const { return !pos_.valid(); }
    // The entry the cursor is on; only while !atEnd().
    const CdxEntry& entry() const { return entry_; }

private:
    bool descending() const { return tag_.info().descending; }
    // Moves one entry in file order (forwards = ascending keys).
    bool step(bool forwards);
    bool settle(CdxTag::Position pos);
    // The entry before `pos` in file order; the last entry when pos is the end.
    CdxTag::Position before(CdxTag::Position pos);
    bool startsWith(CdxTag::Position pos, const uint8_t* key, size_t length);
    // Where a search that found nothing rests: the entry following the sought place in tag order.
    bool rest(CdxTag::Position firstAfter);

    CdxTag& tag_;
    CdxTag::Position pos_;
    CdxEntry entry_;
    uint64_t version_ = 0;  // the tag's version when entry_ was read
};

}  // namespace tarvo::xbase
