// The full check of a tag's tree.
#include <functional>
#include <optional>
#include <unordered_set>

#include "xbase/cdx/file.h"
#include "xbase/cdx/tag.h"
#include "xbase/error.h"

namespace tarvo::xbase {

using namespace cdx;

namespace {
// An entry bounding a subtree; it points into a cached node, and verifying changes none.
struct Bound {
    const uint8_t* key;
    uint32_t recno;
};
}  // namespace

// Walks the tree in key order with the bounds each separator sets: every page inside the file and reached
// once, all leaves on one level, keys ascending across the whole tag and within their parents' separators,
// and each level's sibling links chaining its nodes from left to right.
std::vector<std::string> CdxTag::verify() {
    std::vector<std::string> problems;
    auto report = [&](const std::string& what) { problems.push_back(problem(what)); };
    std::unordered_set<uint32_t> seen;
    std::vector<std::vector<uint32_t>> levels;
    std::optional<size_t> leafDepth;
    std::optional<Bound> previous;
    const uint16_t keyLength = info_.keyLength;

    std::function<void(uint32_t, size_t, const Bound*, const Bound*)> visit =
        [&](uint32_t offset, size_t depth, const Bound* lower, const Bound* upper) {
            if (depth > maxDepth()) return report("tree deeper than the file has pages: pages in a loop");
            if (offset < kPageSize || offset % kPageSize != 0 || offset >= file_.end())
                return report(pageName(offset) + " lies outside the file");
            if (!seen.insert(offset).second) return report(pageName(offset) + " is reached twice");
            Node* n = nullptr;
            try {
                n = &node(offset);
            } catch (const Error& e) {
                problems.push_back(e.what());
                return;
            }
            if (levels.size() <= depth) levels.resize(depth + 1);
            levels[depth].push_back(offset);
            for (size_t i = 0; i < n->count(); ++i) {
                const uint8_t* key = n->key(i);
                uint32_t recno = n->recnos[i];
                if (lower && compareEntries(key, recno, lower->key, lower->recno, keyLength) <= 0)
                    return report("keys of " + pageName(offset) + " are not above the separator before them");
                if (upper && compareEntries(key, recno, upper->key, upper->recno, keyLength) > 0)
                    return report("keys of " + pageName(offset) + " exceed their separator");
            }
            if (n->leaf) {
                if (leafDepth && *leafDepth != depth) report(pageName(offset) + " is a leaf on another level");
                leafDepth = depth;
                if (n->count() == 0) return;
                if (previous &&
                    compareEntries(n->key(0), n->recnos[0], previous->key, previous->recno, keyLength) <= 0)
                    report("keys out of order at " + pageName(offset));
                previous = Bound{n->key(n->count() - 1), n->recnos.back()};
                return;
            }
            for (size_t i = 0; i < n->count(); ++i) {
                Bound ceiling{n->key(i), n->recnos[i]};
                Bound floor{i > 0 ? n->key(i - 1) : nullptr, i > 0 ? n->recnos[i - 1] : 0};
                visit(n->children[i], depth + 1, i > 0 ? &floor : lower, &ceiling);
            }
        };
    visit(header_.root, 0, nullptr, nullptr);

    for (const std::vector<uint32_t>& level : levels) {
        for (size_t j = 0; j < level.size(); ++j) {
            const Node& n = *nodes_.find(level[j]);
            uint32_t left = j > 0 ? level[j - 1] : kNoPage;
            uint32_t right = j + 1 < level.size() ? level[j + 1] : kNoPage;
            if (n.left != left || n.right != right)
                report("sibling links of " + pageName(level[j]) + " do not match its level");
        }
    }
    return problems;
}

}  // namespace tarvo::xbase
