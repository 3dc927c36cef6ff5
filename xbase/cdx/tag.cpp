// A tag's page cache and the reading of its tree.
#include "xbase/cdx/tag.h"

#include <algorithm>
#include <unordered_set>

#include "xbase/cdx/file.h"
#include "xbase/error.h"

namespace tarvo::xbase {

using namespace cdx;

namespace {
uint8_t padFor(char keyType) { return keyType == 'C' ? ' ' : 0; }

CdxTagInfo infoFrom(std::string name, const TagHeader& header) {
    return {std::move(name),
            header.keyExpression,
            header.forExpression,
            header.keyLength,
            (header.options & kOptionUnique) != 0,
            header.descending};
}
}  // namespace

CdxTag::CdxTag(CdxFile& file, uint32_t headerOffset, std::string name, const TagHeader& header)
    : file_(file),
      headerOffset_(headerOffset),
      info_(infoFrom(std::move(name), header)),
      header_(header),
      codec_(header.keyLength, padFor(keyType_)),
      nodes_(memory_) {}

void CdxTag::reset(std::string name, const TagHeader& header) {
    nodes_.clear();
    info_ = infoFrom(std::move(name), header);
    header_ = header;
    codec_ = NodeCodec(header.keyLength, padFor(keyType_));
    headerDirty_ = true;
    touch();
}

void CdxTag::setKeyType(char type) {
    if (!knownCdxKeyType(type)) fail(std::string("unknown key type '") + type + "'");
    if (padFor(type) != padFor(keyType_)) evict();
    keyType_ = type;
    codec_ = NodeCodec(info_.keyLength, padFor(type));
}

void CdxTag::evict() {
    flush();
    nodes_.clear();
    ++version_;
}

std::string CdxTag::problem(const std::string& what) const {
    std::string where = file_.path().string() + ": ";
    where += info_.name.empty() ? "tag directory" : "tag " + info_.name;
    return where + ": " + what;
}

void CdxTag::fail(const std::string& what) const { throw Error(problem(what)); }

// A path without loops visits each page at most once.
size_t CdxTag::maxDepth() const { return file_.end() / kPageSize; }

void CdxTag::checkDepth(size_t depth) const {
    if (depth > maxDepth()) fail("tree deeper than the file has pages: pages in a loop");
}

void CdxTag::requireWritable() const {
    if (file_.readOnly()) fail("the index file is open read-only");
}

const uint8_t* CdxTag::checkedKey(std::string_view key) const {
    if (key.size() != info_.keyLength)
        fail("key of " + std::to_string(key.size()) + " bytes where the key length is " +
             std::to_string(info_.keyLength));
    return reinterpret_cast<const uint8_t*>(key.data());
}

Node& CdxTag::node(uint32_t offset) {
    if (Node* cached = nodes_.find(offset)) return *cached;
    if (offset < kPageSize || !file_.pages_.holds(offset, kPageSize))
        fail(pageName(offset) + " lies outside the file");
    uint8_t page[kPageSize];
    file_.pages_.read(offset, page, kPageSize);
    auto loaded = makeNode(memory_);
    loaded->offset = offset;
    try {
        codec_.decode(page, file_.end(), *loaded);
    } catch (const FormatError& e) {
        fail(pageName(offset) + ": " + e.what());
    }
    return nodes_.add(std::move(loaded));
}

Node& CdxTag::leafNode(uint32_t offset) {
    Node& n = node(offset);
    if (!n.leaf) fail(pageName(offset) + " is linked as a leaf but is an interior node");
    return n;
}

int CdxTag::compare(const uint8_t* key, uint32_t recno, const Probe& probe) const {
    int c = std::memcmp(key, probe.key, probe.length);
    if (c != 0 || !probe.withRecno) return c;
    return recno < probe.recno ? -1 : recno > probe.recno ? 1 : 0;
}

size_t CdxTag::firstAtLeast(const Node& n, const Probe& probe, bool strict) const {
    size_t lo = 0, hi = n.count();
    while (lo < hi) {
        size_t mid = (lo + hi) / 2;
        int c = compare(n.key(mid), n.recnos[mid], probe);
        if (c > 0 || (c == 0 && !strict))
            hi = mid;
        else
            lo = mid + 1;
    }
    return lo;
}

Node* CdxTag::descend(const Probe& probe, bool strict, std::vector<Step>* path, bool clamp) {
    uint32_t offset = header_.root;
    for (size_t depth = 0;; ++depth) {
        checkDepth(depth);
        Node& n = node(offset);
        if (n.leaf) return &n;
        size_t i = firstAtLeast(n, probe, strict);
        if (i == n.count()) {
            if (!clamp) return nullptr;
            --i;
        }
        if (path) path->push_back({&n, i});
        offset = n.children[i];
    }
}

CdxTag::Position CdxTag::lowerBound(const Probe& probe, bool strict) {
    Node* leaf = descend(probe, strict, nullptr, false);
    if (!leaf) return {};
    size_t i = firstAtLeast(*leaf, probe, strict);
    if (i < leaf->count()) return {leaf->offset, i};
    // The separator above was greater than the leaf's last key: the entry starts the next leaf.
    Position pos;
    if (leaf->count() == 0) return enterSibling(*leaf, nullptr, 0, true, pos) ? pos : Position{};
    return enterSibling(*leaf, leaf->key(i - 1), leaf->recnos[i - 1], true, pos) ? pos : Position{};
}

CdxTag::Position CdxTag::edge(bool first) {
    uint32_t offset = header_.root;
    for (size_t depth = 0;; ++depth) {
        checkDepth(depth);
        Node& n = node(offset);
        if (n.leaf) {
            if (n.count() > 0) return {n.offset, first ? 0 : n.count() - 1};
            Position pos;
            return enterSibling(n, nullptr, 0, first, pos) ? pos : Position{};
        }
        offset = first ? n.children.front() : n.children.back();
    }
}

bool CdxTag::forward(Position& pos) {
    Node& leaf = leafNode(pos.leaf);
    if (pos.index + 1 < leaf.count()) {
        ++pos.index;
        return true;
    }
    return enterSibling(leaf, leaf.key(pos.index), leaf.recnos[pos.index], true, pos);
}

bool CdxTag::backward(Position& pos) {
    Node& leaf = leafNode(pos.leaf);
    if (pos.index > 0) {
        --pos.index;
        return true;
    }
    return enterSibling(leaf, leaf.key(pos.index), leaf.recnos[pos.index], false, pos);
}

// Moves to the nearest entry in the sibling leaves to the right (or left), skipping empty leaves. Each
// step must keep the key order, so damaged sibling links cannot lead round in a circle.
bool CdxTag::enterSibling(const Node& from, const uint8_t* key, uint32_t recno, bool right, Position& pos) {
    uint32_t next = right ? from.right : from.left;
    for (uint32_t steps = 0; next != kNoPage; ++steps) {
        if (steps > file_.end() / kPageSize) fail("leaf sibling links run in a loop");
        Node& n = leafNode(next);
        if (n.count() > 0) {
            size_t index = right ? 0 : n.count() - 1;
            if (key) {
                int c = compareEntries(n.key(index), n.recnos[index], key, recno, info_.keyLength);
                if (right ? c <= 0 : c >= 0) fail("keys out of order at " + pageName(next));
            }
            pos = {next, index};
            return true;
        }
        next = right ? n.right : n.left;
    }
    return false;
}

CdxEntry CdxTag::entryAt(const Position& pos) {
    CdxEntry entry;
    readEntry(pos, entry);
    return entry;
}

void CdxTag::readEntry(const Position& pos, CdxEntry& entry) {
    Node& leaf = leafNode(pos.leaf);
    entry.key.assign(reinterpret_cast<const char*>(leaf.key(pos.index)), info_.keyLength);
    entry.recno = leaf.recnos[pos.index];
}

std::vector<uint32_t> CdxTag::treePages() {
    std::vector<uint32_t> pages{header_.root};
    std::unordered_set<uint32_t> seen{header_.root};
    std::vector<std::pair<uint32_t, size_t>> stack{{header_.root, 0}};
    while (!stack.empty()) {
        auto [offset, depth] = stack.back();
        stack.pop_back();
        Node& n = node(offset);
        if (n.leaf) continue;
        checkDepth(depth + 1);
        for (uint32_t child : n.children) {
            if (!seen.insert(child).second) fail(pageName(child) + " is reached twice");
            pages.push_back(child);
            stack.emplace_back(child, depth + 1);
        }
    }
    return pages;
}

uint32_t CdxTag::keyCount() {
    uint32_t count = 0;
    for (uint32_t offset : treePages()) {
        Node& n = node(offset);
        if (n.leaf) count += static_cast<uint32_t>(n.count());
    }
    return count;
}

void CdxTag::writeNode(Node& n) {
    uint8_t page[kPageSize];
    try {
        if (n.leaf)
            codec_.encode(n, n.offset == header_.root, page);
        else
            encodeInterior(n, n.offset == header_.root, page);
    } catch (const FormatError& e) {
        fail(pageName(n.offset) + ": " + e.what());
    }
    file_.pages_.write(n.offset, page, kPageSize);
    n.dirty = false;
}

void CdxTag::flush() {
    nodes_.forEach([&](Node& n) {
        if (n.dirty) writeNode(n);
    });
    if (changed_) ++header_.counter;
    if (changed_ || headerDirty_) {
        uint8_t bytes[kHeaderSize];
        header_.encode(bytes);
        file_.pages_.write(headerOffset_, bytes, kHeaderSize);
    }
    changed_ = headerDirty_ = false;
}

}  // namespace tarvo::xbase
