#include "sheets/sheet_rows.h"

namespace tarvo::sheets {

const Cell* Row::cell(int column) const {
    for (const Cell& c : cells) {
        if (c.column == column) return &c;
        if (c.column > column) break;
    }
    return nullptr;
}

bool Row::blank() const {
    for (const Cell& c : cells) {
        if (c.kind == CellKind::Empty) continue;
        if (c.kind != CellKind::Text) return false;
        if (c.text.find_first_not_of(" \t\r\n") != std::string::npos) return false;
    }
    return true;
}

std::string columnLetters(int column) {
    std::string letters;
    for (int n = column + 1; n > 0; n = (n - 1) / 26) letters.insert(letters.begin(), char('A' + (n - 1) % 26));
    return letters;
}

bool parseCellReference(std::string_view reference, int& column, long& row) {
    size_t i = 0;
    long col = 0;
    while (i < reference.size() && reference[i] >= 'A' && reference[i] <= 'Z' && i < 3) {
        col = col * 26 + (reference[i] - 'A' + 1);
        ++i;
    }
    if (i == 0 || i == reference.size()) return false;
    long r = 0;
    for (size_t j = i; j < reference.size(); ++j) {
        if (reference[j] < '0' || reference[j] > '9' || r > 10'000'000) return false;
        r = r * 10 + (reference[j] - '0');
    }
    if (r < 1) return false;
    column = static_cast<int>(col - 1);
    row = r;
    return true;
}

}  // namespace tarvo::sheets
