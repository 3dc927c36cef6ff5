#include "xbase/cdx/cursor.h"

#include <algorithm>

namespace tarvo::xbase {

bool CdxCursor::settle(CdxTag::Position pos) {
    pos_ = pos;
    if (pos_.valid()) {
        tag_.readEntry(pos_, entry_);
        version_ = tag_.version_;
    }
    return pos_.valid();
}

CdxTag::Position CdxCursor::before(CdxTag::Position pos) {
    if (!pos.valid()) return tag_.edge(false);
    return tag_.backward(pos) ? pos : CdxTag::Position{};
}

bool CdxCursor::startsWith(CdxTag::Position pos, const uint8_t* key, size_t length) {
    return pos.valid() && std::memcmp(tag_.leafNode(pos.leaf).key(pos.index), key, length) == 0;
}

bool CdxCursor::rest(CdxTag::Position firstAfter) {
    settle(descending() ? before(firstAfter) : firstAfter);
    return false;
}

bool CdxCursor::first() { return settle(tag_.edge(!descending())); }

bool CdxCursor::last() { return settle(tag_.edge(descending())); }

bool CdxCursor::next() { return step(!descending()); }

bool CdxCursor::prev() { return step(descending()); }

bool CdxCursor::step(bool forwards) {
    if (atEnd()) return false;
    if (version_ != tag_.version_) {
        // The tag changed since: find the entry again; when it is gone, the entries around its place
        // are the neighbours.
        const auto* key = reinterpret_cast<const uint8_t*>(entry_.key.data());
        CdxTag::Position at = tag_.lowerBound({key, entry_.key.size(), entry_.recno, true}, false);
        if (!at.valid() || tag_.entryAt(at) != entry_) return settle(forwards ? at : before(at));
        pos_ = at;
    }
    CdxTag::Position pos = pos_;
    bool moved = forwards ? tag_.forward(pos) : tag_.backward(pos);
    return settle(moved ? pos : CdxTag::Position{});
}

bool CdxCursor::seek(std::string_view key, bool last) {
    const auto* bytes = reinterpret_cast<const uint8_t*>(key.data());
    const size_t length = std::min<size_t>(key.size(), tag_.info().keyLength);
    const CdxTag::Probe probe{bytes, length, 0, false};
    // In file order the matching entries form one run; the wanted end of it depends on the direction.
    if (last == descending()) {
        CdxTag::Position start = tag_.lowerBound(probe, false);
        return startsWith(start, bytes, length) ? settle(start) : rest(start);
    }
    CdxTag::Position after = tag_.lowerBound(probe, true);
    CdxTag::Position end = before(after);
    return startsWith(end, bytes, length) ? settle(end) : rest(after);
}

bool CdxCursor::seekEntry(std::string_view key, uint32_t recno) {
    const uint8_t* bytes = tag_.checkedKey(key);
    CdxTag::Position at = tag_.lowerBound({bytes, key.size(), recno, true}, false);
    if (at.valid() && tag_.entryAt(at) == CdxEntry{std::string(key), recno}) return settle(at);
    return rest(at);
}

}  // namespace tarvo::xbase
