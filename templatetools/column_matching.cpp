#include "templatetools/column_matching.h"

#include <algorithm>
#include <cstdint>
#include <unordered_map>
#include <unordered_set>

#include "sheets/cell_conversion.h"
#include "templatetools/known_headers.h"

namespace tarvo::templatetools {

namespace {

// Below this a column stays unmatched.
constexpr double kThreshold = 0.6;
// Candidates kept per header cell for the assignment.
constexpr size_t kCandidatesPerColumn = 3;

struct Phrase {
    std::string text;  // normalised
    std::vector<std::string> words;
    std::vector<uint16_t> bigrams;  // sorted
    size_t row = 0;                 // the catalogue row it names
    MatchKind kind = MatchKind::None;
    double score = 0;  // of a header equal to the phrase
};

struct PageIndex {
    const CataloguePage* page = nullptr;
    std::vector<Phrase> phrases;
    std::unordered_multimap<std::string, size_t> equal;  // phrase text -> index in phrases
};

std::vector<std::string> wordsOf(const std::string& normalised) {
    std::vector<std::string> words;
    size_t start = 0;
    while (start < normalised.size()) {
        const size_t end = std::min(normalised.find(' ', start), normalised.size());
        words.push_back(normalised.substr(start, end - start));
        start = end + 1;
    }
    return words;
}

std::vector<uint16_t> bigramsOf(const std::string& normalised) {
    const std::string padded = " " + normalised + " ";
    std::vector<uint16_t> bigrams;
    for (size_t i = 0; i + 1 < padded.size(); ++i)
        bigrams.push_back(static_cast<uint16_t>(static_cast<unsigned char>(padded[i]) << 8 | static_cast<unsigned char>(padded[i + 1])));
    std::sort(bigrams.begin(), bigrams.end());
    return bigrams;
}

// Dice's coefficient of two sorted bigram lists.
double dice(const std::vector<uint16_t>& a, const std::vector<uint16_t>& b) {
    size_t common = 0;
    for (size_t i = 0, j = 0; i < a.size() && j < b.size();) {
        if (a[i] == b[j]) ++common, ++i, ++j;
        else if (a[i] < b[j]) ++i;
        else ++j;
    }
    return 2.0 * static_cast<double>(common) / static_cast<double>(a.size() + b.size());
}

bool containsAll(const std::vector<std::string>& words, const std::vector<std::string>& wanted) {
    for (const std::string& w : wanted)
        if (std::find(words.begin(), words.end(), w) == words.end()) return false;
    return true;
}

// The names a description gives its column: its first clause, split at "/".
std::vector<std::string> descriptionPhrases(const std::string& description) {
    const std::string clause = description.substr(0, description.find_first_of(",(.;:"));
    std::vector<std::string> phrases;
    size_t start = 0;
    while (start <= clause.size()) {
        const size_t end = std::min(clause.find('/', start), clause.size());
        std::string phrase = normalisedHeader(std::string_view(clause).substr(start, end - start));
        if (phrase.size() >= 3) phrases.push_back(std::move(phrase));
        start = end + 1;
    }
    return phrases;
}

void addPhrase(PageIndex& index, std::string text, size_t row, MatchKind kind, double score) {
    if (text.empty()) return;
    Phrase& phrase = index.phrases.emplace_back();
    phrase.words = wordsOf(text);
    phrase.bigrams = bigramsOf(text);
    phrase.row = row;
    phrase.kind = kind;
    phrase.score = score;
    phrase.text = std::move(text);
    index.equal.emplace(phrase.text, index.phrases.size() - 1);
}

const std::vector<PageIndex>& pageIndexes() {
    static const std::vector<PageIndex> indexes = [] {
        std::vector<PageIndex> all;
        for (const CataloguePage& page : catalogue()) {
            PageIndex& index = all.emplace_back();
            index.page = &page;
            const std::string name = page.templateName();
            for (size_t row = 0; row < page.rows.size(); ++row) {
                const CatalogueRow& column = page.rows[row];
                addPhrase(index, normalisedHeader(column.field), row, MatchKind::FieldName, 1.0);
                for (const KnownHeaders& known : knownHeaders())
                    if (known.field == column.field && (known.templateName.empty() || known.templateName == name))
                        for (const std::string_view header : known.headers)
                            // a template's own headers before those of every template ("Kode Barang" before "Kode")
                            addPhrase(index, normalisedHeader(header), row, MatchKind::KnownHeader,
                                      known.templateName.empty() ? 0.92 : 0.95);
                for (std::string& phrase : descriptionPhrases(column.description))
                    addPhrase(index, std::move(phrase), row, MatchKind::Description, 0.9);
            }
        }
        return all;
    }();
    return indexes;
}

const PageIndex& indexOf(const CataloguePage& page) {
    for (const PageIndex& index : pageIndexes())
        if (index.page == &page) return index;
    return pageIndexes().front();  // every page of the catalogue has its index
}

// Words of field names and common headers (two characters or more, not only digits): a text with
// one of them looks like a column name.
const std::unordered_set<std::string>& headerWords() {
    static const std::unordered_set<std::string> words = [] {
        std::unordered_set<std::string> all;
        for (const PageIndex& index : pageIndexes())
            for (const Phrase& phrase : index.phrases) {
                if (phrase.kind == MatchKind::Description) continue;
                for (const std::string& word : phrase.words)
                    if (word.size() >= 2 && word.find_first_not_of("0123456789") != std::string::npos) all.insert(word);
            }
        return all;
    }();
    return words;
}

std::string trimmed(const std::string& text) {
    const size_t first = text.find_first_not_of(" \t\r\n");
    if (first == std::string::npos) return "";
    return text.substr(first, text.find_last_not_of(" \t\r\n") - first + 1);
}

bool looksLikeColumnName(const sheets::Cell& cell) {
    if (cell.kind != sheets::CellKind::Text) return false;
    const std::string text = normalisedHeader(cell.text);
    if (text.empty()) return false;
    for (const PageIndex& index : pageIndexes())
        if (index.equal.count(text)) return true;
    for (const std::string& word : wordsOf(text))
        if (headerWords().count(word)) return true;
    return false;
}

bool isLetter(unsigned char c) { return (c >= 'a' && c <= 'z') || c >= 0x80; }
bool isDigit(unsigned char c) { return c >= '0' && c <= '9'; }

}  // namespace

std::string normalisedHeader(std::string_view text) {
    std::string out;
    char previous = ' ';  // 'a' letter, '0' digit, ' ' anything else
    for (const char raw : text) {
        unsigned char c = static_cast<unsigned char>(raw);
        if (c >= 'A' && c <= 'Z') c = static_cast<unsigned char>(c - 'A' + 'a');
        const char kind = isLetter(c) ? 'a' : isDigit(c) ? '0' : ' ';
        if (kind == ' ') {
            previous = ' ';
            continue;
        }
        if (!out.empty() && kind != previous) out += ' ';
        out += static_cast<char>(c);
        previous = kind;
    }
    // "ke" of "Harga Jual ke-1" only joins the number to the words
    for (size_t at = out.find(" ke "); at != std::string::npos; at = out.find(" ke ", at)) out.erase(at, 3);
    return out;
}

long findHeaderRow(const std::vector<sheets::Row>& firstRows) {
    long firstWithValue = 0;
    for (const sheets::Row& row : firstRows) {
        if (row.blank()) continue;
        if (firstWithValue == 0) firstWithValue = row.number;
        size_t filled = 0, names = 0;
        for (const sheets::Cell& cell : row.cells) {
            if (cell.kind == sheets::CellKind::Empty || trimmed(sheets::cellText(cell)).empty()) continue;
            ++filled;
            if (looksLikeColumnName(cell)) ++names;
        }
        if (names >= 2 && names * 2 > filled) return row.number;
    }
    return firstWithValue;
}

std::vector<ColumnMatch> matchColumns(const sheets::Row& header, const CataloguePage& page) {
    const PageIndex& index = indexOf(page);
    struct Candidate {
        double score;
        size_t match;
        size_t row;
        MatchKind kind;
    };
    std::vector<ColumnMatch> matches;
    std::vector<Candidate> candidates;
    std::vector<std::pair<double, MatchKind>> best;
    for (const sheets::Cell& cell : header.cells) {
        std::string text = cell.kind == sheets::CellKind::Empty ? "" : trimmed(sheets::cellText(cell));
        if (text.empty()) continue;
        const std::string normal = normalisedHeader(text);
        matches.push_back({cell.column, std::move(text), "", MatchKind::None});
        if (normal.empty()) continue;
        const std::vector<std::string> words = wordsOf(normal);
        const std::vector<uint16_t> bigrams = bigramsOf(normal);
        best.assign(page.rows.size(), {0.0, MatchKind::None});
        for (const Phrase& phrase : index.phrases) {
            double score = 0;
            MatchKind kind = MatchKind::Similar;
            if (phrase.text == normal) {
                score = phrase.score;
                kind = phrase.kind;
            } else {
                if (phrase.text.size() >= 3 && containsAll(words, phrase.words))
                    score = 0.6 + 0.25 * static_cast<double>(phrase.text.size()) / static_cast<double>(normal.size());
                if (normal.size() >= 3) score = std::max(score, 0.85 * dice(bigrams, phrase.bigrams));
            }
            if (score >= kThreshold && score > best[phrase.row].first) best[phrase.row] = {score, kind};
        }
        std::vector<Candidate> own;
        for (size_t row = 0; row < best.size(); ++row)
            if (best[row].second != MatchKind::None) own.push_back({best[row].first, matches.size() - 1, row, best[row].second});
        std::stable_sort(own.begin(), own.end(), [](const Candidate& a, const Candidate& b) { return a.score > b.score; });
        if (own.size() > kCandidatesPerColumn) own.resize(kCandidatesPerColumn);
        candidates.insert(candidates.end(), own.begin(), own.end());
    }
    // The best-fitting pairs first; equal ones in sheet order, then page order.
    std::stable_sort(candidates.begin(), candidates.end(), [](const Candidate& a, const Candidate& b) {
        if (a.score != b.score) return a.score > b.score;
        if (a.match != b.match) return a.match < b.match;
        return a.row < b.row;
    });
    std::vector<bool> taken(page.rows.size(), false);
    for (const Candidate& c : candidates) {
        ColumnMatch& match = matches[c.match];
        if (match.kind != MatchKind::None || taken[c.row]) continue;
        taken[c.row] = true;
        match.field = page.rows[c.row].field;
        match.kind = c.kind;
    }
    return matches;
}

const CataloguePage* proposeTemplate(const std::string& sheetName, const sheets::Row& header) {
    if (const CataloguePage* named = findCataloguePage(trimmed(sheetName))) return named;
    std::vector<std::string> texts;
    for (const sheets::Cell& cell : header.cells)
        if (cell.kind != sheets::CellKind::Empty) texts.push_back(normalisedHeader(sheets::cellText(cell)));
    const CataloguePage* best = nullptr;
    size_t bestCount = 1;  // two texts at least
    double bestScore = 0;
    for (const PageIndex& index : pageIndexes()) {
        size_t count = 0;
        double score = 0;
        for (const std::string& text : texts) {
            double top = 0;
            for (auto [at, end] = index.equal.equal_range(text); at != end; ++at)
                top = std::max(top, index.phrases[at->second].score);
            if (top > 0) ++count, score += top;
        }
        if (count > bestCount || (count == bestCount && best && score > bestScore)) {
            best = index.page;
            bestCount = count;
            bestScore = score;
        }
    }
    if (best) return best;
    for (const std::string& word : wordsOf(normalisedHeader(sheetName)))
        for (const KnownSheetName& known : knownSheetNames())
            if (known.word == word) return findCataloguePage(known.templateName);
    return nullptr;
}

SheetProposal proposeSheet(const std::string& sheetName, const std::vector<sheets::Row>& firstRows) {
    SheetProposal proposal;
    proposal.sheet = sheetName;
    proposal.headerRow = findHeaderRow(firstRows);
    const auto header = std::find_if(firstRows.begin(), firstRows.end(),
                                     [&](const sheets::Row& row) { return row.number == proposal.headerRow; });
    if (header == firstRows.end()) return proposal;
    proposal.page = proposeTemplate(sheetName, *header);
    if (proposal.page) {
        proposal.columns = matchColumns(*header, *proposal.page);
    } else {
        for (const sheets::Cell& cell : header->cells) {
            std::string text = cell.kind == sheets::CellKind::Empty ? "" : trimmed(sheets::cellText(cell));
            if (!text.empty()) proposal.columns.push_back({cell.column, std::move(text), "", MatchKind::None});
        }
    }
    return proposal;
}

}  // namespace tarvo::templatetools
