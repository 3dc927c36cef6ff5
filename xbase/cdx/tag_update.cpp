// Changing a tag entry by entry: leaf splits and merges, separator upkeep, release of emptied pages.
#include <algorithm>
#include <array>

#include "xbase/cdx/file.h"
#include "xbase/cdx/tag.h"
#include "xbase/error.h"

namespace tarvo::xbase {

using namespace cdx;

namespace {
// A leaf using less than this much of its page is merged into a neighbour that has room for it.
constexpr size_t kMergeBelow = kLeafSpace / 4;

// The last entry of a node, copied: the node changes while it is used.
struct LastEntry {
    std::array<uint8_t, kMaxKeyLength> key;
    uint32_t recno;
    explicit LastEntry(const Node& n) : recno(n.recnos.back()) {
        std::memcpy(key.data(), n.key(n.count() - 1), n.keyLength);
    }
};
}  // namespace

void CdxTag::touch() {
    ++version_;
    changed_ = true;
}

Node& CdxTag::newNode(bool leaf) {
    uint32_t offset = file_.allocatePage();
    auto created = makeNode(memory_);
    created->offset = offset;
    created->keyLength = info_.keyLength;
    created->leaf = leaf;
    created->dirty = true;
    // An interior node never holds more than one entry over a page's worth: room for that from the start
    // spares the moves and the scattered freed blocks of growing it entry by entry.
    if (!leaf) {
        const size_t entries = interiorCapacity(info_.keyLength) + 1;
        created->keys.reserve(entries * info_.keyLength);
        created->recnos.reserve(entries);
        created->children.reserve(entries);
    }
    return nodes_.add(std::move(created));
}

void CdxTag::release(uint32_t offset) {
    nodes_.erase(offset);
    file_.releasePage(offset);
}

bool CdxTag::insert(std::string_view key, uint32_t recno) {
    requireWritable();
    const uint8_t* bytes = checkedKey(key);
    const size_t keyLength = info_.keyLength;
    if (info_.unique) {
        Position same = lowerBound({bytes, keyLength, 0, false}, false);
        if (same.valid() && std::memcmp(leafNode(same.leaf).key(same.index), bytes, keyLength) == 0) return false;
    }
    Probe probe{bytes, keyLength, recno, true};
    std::vector<Step>& path = path_;
    path.clear();
    Node* leaf = descend(probe, false, &path, true);
    size_t pos = firstAtLeast(*leaf, probe, false);
    if (pos < leaf->count() && compare(leaf->key(pos), leaf->recnos[pos], probe) == 0) return false;
    codec_.insert(*leaf, pos, bytes, recno);
    leaf->dirty = true;
    bool appended = pos + 1 == leaf->count();
    if (appended) updateSeparators(path, *leaf);
    if (!codec_.fits(*leaf)) splitLeaf(path, leaf, appended && leaf->right == kNoPage);
    touch();
    return true;
}

bool CdxTag::erase(std::string_view key, uint32_t recno) {
    requireWritable();
    Probe probe{checkedKey(key), info_.keyLength, recno, true};
    std::vector<Step>& path = path_;
    path.clear();
    Node* leaf = descend(probe, false, &path, false);
    if (!leaf) return false;
    size_t pos = firstAtLeast(*leaf, probe, false);
    if (pos == leaf->count() || compare(leaf->key(pos), leaf->recnos[pos], probe) != 0) return false;
    bool wasLast = pos + 1 == leaf->count();
    codec_.erase(*leaf, pos);
    leaf->dirty = true;
    if (leaf->count() == 0) {
        if (!path.empty()) removeNode(path, *leaf);
    } else {
        if (wasLast) updateSeparators(path, *leaf);
        mergeSmallLeaf(path, *leaf);
    }
    touch();
    return true;
}

void CdxTag::clear() {
    requireWritable();
    releaseTree();
    startEmpty();
    touch();
}

void CdxTag::startEmpty() {
    Node& root = newNode(true);
    header_.root = root.offset;
    headerDirty_ = true;
}

void CdxTag::releaseTree() {
    std::vector<uint32_t> pages;
    try {
        pages = treePages();
    } catch (const Error&) {
        // The pages of a damaged tree are left unused rather than risk handing out a page still in use.
    }
    for (uint32_t offset : pages) release(offset);
    nodes_.clear();
}

// Interior entries hold the greatest entry of their child: after the child's last entry changed, the
// entries above it follow, up to the first node where the child is not the last.
void CdxTag::updateSeparators(std::vector<Step>& path, const Node& child) {
    LastEntry last(child);
    for (size_t d = path.size(); d-- > 0;) {
        Step& s = path[d];
        setEntryKey(*s.node, s.index, last.key.data(), last.recno);
        s.node->dirty = true;
        if (s.index + 1 < s.node->count()) break;
    }
}

// Splits an overfull leaf. Appends at the end of the tag keep the left page full; other splits balance the
// bytes. A half that still does not fit (keys that lose their shared prefix) is split again.
void CdxTag::splitLeaf(std::vector<Step>& path, Node* leaf, bool appending) {
    for (;;) {
        const LeafSplit split = leafSplitPoint(*leaf, appending);
        Node& right = newNode(true);
        // Room for a full page in the new leaf, so the inserts to come do not move its entries again.
        right.keys.reserve(leaf->keys.size());
        right.recnos.reserve(leaf->count());
        moveTail(*leaf, split.at, right);
        leaf->dataBytes = split.leftData;
        leaf->maxRecno = split.leftMaxRecno;
        right.dataBytes = split.rightData;
        right.maxRecno = split.rightMaxRecno;
        right.left = leaf->offset;
        right.right = leaf->right;
        if (leaf->right != kNoPage) {
            Node& after = node(leaf->right);
            after.left = right.offset;
            after.dirty = true;
        }
        leaf->right = right.offset;
        leaf->dirty = true;
        addToParent(path, *leaf, right);
        if (codec_.fits(right)) return;
        LastEntry last(right);
        path.clear();
        leaf = descend({last.key.data(), info_.keyLength, last.recno, true}, false, &path, true);
        appending = false;
    }
}

// Where to split: the left part always fits; both parts fit when any split allows it. One pass from the end
// gathers each entry's compressed bytes and the greatest record number from it on; one pass from the start
// weighs the split points. An overfull leaf holds two entries at least: one always fits a page.
CdxTag::LeafSplit CdxTag::leafSplitPoint(const Node& leaf, bool appending) {
    const size_t n = leaf.count();
    splitCosts_.resize(n);
    splitMaxRecnos_.resize(n + 1);
    splitMaxRecnos_[n] = 0;
    uint32_t total = 0;
    for (size_t i = n; i-- > 0;) {
        splitCosts_[i] = codec_.storedBytes(i > 0 ? leaf.key(i - 1) : nullptr, leaf.key(i));
        total += splitCosts_[i];
        splitMaxRecnos_[i] = std::max(splitMaxRecnos_[i + 1], leaf.recnos[i]);
    }
    // The split before entry `at`, given the left part's compressed bytes and greatest record number.
    auto splitAt = [&](size_t at, uint32_t leftData, uint32_t leftMax) {
        uint32_t rightData = total - leftData - splitCosts_[at] + codec_.storedBytes(nullptr, leaf.key(at));
        return LeafSplit{at, leftData, leftMax, rightData, splitMaxRecnos_[at]};
    };
    LeafSplit lastLeftFit = splitAt(1, splitCosts_[0], leaf.recnos[0]);
    LeafSplit best = lastLeftFit;
    size_t bestGap = SIZE_MAX;
    uint32_t leftData = 0, leftMax = 0;
    for (size_t at = 1; at < n; ++at) {
        leftData += splitCosts_[at - 1];
        leftMax = std::max(leftMax, leaf.recnos[at - 1]);
        const LeafSplit here = splitAt(at, leftData, leftMax);
        const size_t left = codec_.usedBytes(at, here.leftData, here.leftMaxRecno);
        const size_t right = codec_.usedBytes(n - at, here.rightData, here.rightMaxRecno);
        if (left > kLeafSpace) break;
        lastLeftFit = here;
        if (right > kLeafSpace) continue;
        if (appending && at == n - 1) return here;
        const size_t gap = left > right ? left - right : right - left;
        if (gap < bestGap) {
            best = here;
            bestGap = gap;
        }
    }
    return bestGap == SIZE_MAX ? lastLeftFit : best;
}

// Puts `right`, just split off `left`, into the parent named by the path's last step, splitting parents
// that overflow and growing a new root when the root itself split.
void CdxTag::addToParent(std::vector<Step>& path, Node& left, Node& right) {
    LastEntry leftLast(left), rightLast(right);
    if (path.empty()) {
        Node& root = newNode(false);
        insertEntry(root, 0, leftLast.key.data(), leftLast.recno, left.offset);
        insertEntry(root, 1, rightLast.key.data(), rightLast.recno, right.offset);
        header_.root = root.offset;
        headerDirty_ = true;
        return;
    }
    Step s = path.back();
    path.pop_back();
    Node& parent = *s.node;
    setEntryKey(parent, s.index, leftLast.key.data(), leftLast.recno);
    insertEntry(parent, s.index + 1, rightLast.key.data(), rightLast.recno, right.offset);
    parent.dirty = true;
    if (parent.count() <= interiorCapacity(info_.keyLength) || shiftToNeighbour(path, parent)) return;
    bool appending = s.index + 2 == parent.count() && parent.right == kNoPage;
    Node& sibling = newNode(false);
    moveTail(parent, appending ? parent.count() - 1 : parent.count() / 2, sibling);
    sibling.left = parent.offset;
    sibling.right = parent.right;
    if (parent.right != kNoPage) {
        Node& after = node(parent.right);
        after.left = sibling.offset;
        after.dirty = true;
    }
    parent.right = sibling.offset;
    addToParent(path, parent, sibling);
}

// An overfull interior node hands its first entry to the left neighbour, or its last to the right one,
// when that neighbour under the same parent has room: long keys leave interior nodes few entries, and
// splitting alone would leave many nodes with a single child and the tree needlessly deep.
bool CdxTag::shiftToNeighbour(const std::vector<Step>& path, Node& full) {
    if (path.empty()) return false;
    Node& parent = *path.back().node;
    const size_t index = path.back().index;
    const size_t capacity = interiorCapacity(info_.keyLength);
    if (index > 0) {
        Node& left = node(parent.children[index - 1]);
        if (!left.leaf && left.count() < capacity) {
            insertEntry(left, left.count(), full.key(0), full.recnos[0], full.children[0]);
            eraseEntry(full, 0);
            setEntryKey(parent, index - 1, left.key(left.count() - 1), left.recnos.back());
            left.dirty = full.dirty = parent.dirty = true;
            return true;
        }
    }
    if (index + 1 < parent.count()) {
        Node& right = node(parent.children[index + 1]);
        if (!right.leaf && right.count() < capacity) {
            const size_t last = full.count() - 1;
            insertEntry(right, 0, full.key(last), full.recnos[last], full.children[last]);
            eraseEntry(full, last);
            setEntryKey(parent, index, full.key(last - 1), full.recnos[last - 1]);
            right.dirty = full.dirty = parent.dirty = true;
            return true;
        }
    }
    return false;
}

void CdxTag::unlink(const Node& n) {
    if (n.left != kNoPage) {
        Node& before = node(n.left);
        before.right = n.right;
        before.dirty = true;
    }
    if (n.right != kNoPage) {
        Node& after = node(n.right);
        after.left = n.left;
        after.dirty = true;
    }
}

// Drops an emptied node from its level and its parent's entry for it, emptying parents in turn.
void CdxTag::removeNode(std::vector<Step>& path, Node& n) {
    unlink(n);
    release(n.offset);
    Step s = path.back();
    path.pop_back();
    Node& parent = *s.node;
    bool wasLast = s.index + 1 == parent.count();
    eraseEntry(parent, s.index);
    parent.dirty = true;
    if (parent.count() == 0) {
        if (!path.empty()) {
            removeNode(path, parent);
        } else {
            parent.leaf = true;  // the root of an empty tag is an empty leaf
            parent.children.clear();
            parent.left = parent.right = kNoPage;
            codec_.recount(parent);
        }
        return;
    }
    if (wasLast) updateSeparators(path, parent);
    collapseRoot();
}

// A leaf left mostly empty moves into its right or left neighbour under the same parent when they fit one
// page together.
void CdxTag::mergeSmallLeaf(std::vector<Step>& path, Node& leaf) {
    if (path.empty() || codec_.usedBytes(leaf) >= kMergeBelow) return;
    Node& parent = *path.back().node;
    size_t index = path.back().index;
    auto fitTogether = [this](const Node& a, const Node& b) {
        uint32_t data = a.dataBytes + b.dataBytes - codec_.storedBytes(nullptr, b.key(0)) +
                        codec_.storedBytes(a.key(a.count() - 1), b.key(0));
        return codec_.fits(a.count() + b.count(), data, std::max(a.maxRecno, b.maxRecno));
    };
    Node* into = nullptr;
    Node* from = nullptr;
    size_t fromIndex = 0;
    if (index + 1 < parent.count()) {
        Node& next = leafNode(parent.children[index + 1]);
        if (next.count() > 0 && fitTogether(leaf, next)) {
            into = &leaf;
            from = &next;
            fromIndex = index + 1;
        }
    }
    if (!into && index > 0) {
        Node& before = leafNode(parent.children[index - 1]);
        if (before.count() > 0 && fitTogether(before, leaf)) {
            into = &before;
            from = &leaf;
            fromIndex = index;
        }
    }
    if (!into) return;
    moveTail(*from, 0, *into);
    codec_.recount(*into);
    into->right = from->right;
    into->dirty = true;
    if (from->right != kNoPage) {
        Node& after = node(from->right);
        after.left = into->offset;
        after.dirty = true;
    }
    release(from->offset);
    setEntryKey(parent, fromIndex - 1, parent.key(fromIndex), parent.recnos[fromIndex]);
    eraseEntry(parent, fromIndex);
    parent.dirty = true;
    collapseRoot();
}

// A root with a single child hands the root over to that child.
void CdxTag::collapseRoot() {
    for (size_t level = 0; level < maxDepth(); ++level) {
        Node& root = node(header_.root);
        if (root.leaf || root.count() != 1) return;
        uint32_t child = root.children[0];
        if (child == root.offset) fail(pageName(child) + " is its own child");
        release(root.offset);
        header_.root = child;
        headerDirty_ = true;
        Node& top = node(child);
        if (top.left != kNoPage || top.right != kNoPage) {
            top.left = top.right = kNoPage;
            top.dirty = true;
        }
    }
}

}  // namespace tarvo::xbase
