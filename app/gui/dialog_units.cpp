#include "app/gui/dialog_units.h"

#include <QFontMetrics>

namespace tarvo::gui {

namespace {

// Windows' rounding of MulDiv: the nearest whole number.
int mulDiv(int value, int numerator, int denominator) {
    const long long product = static_cast<long long>(value) * numerator;
    return static_cast<int>((product + (product >= 0 ? denominator / 2 : -denominator / 2)) / denominator);
}

}  // namespace

QFont dialogFont(const QString& family, int points) {
    QFont font(family, points);
    font.setStyleHint(QFont::SansSerif);
    return font;
}

DialogUnits::DialogUnits(const QFont& font) {
    const QFontMetrics metrics(font);
    // The average width of the 52 Latin letters, rounded as the system does.
    const int letters = metrics.horizontalAdvance(QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    baseX_ = (letters / 26 + 1) / 2;
    baseY_ = metrics.height();
}

int DialogUnits::x(int units) const { return mulDiv(units, baseX_, 4); }
int DialogUnits::y(int units) const { return mulDiv(units, baseY_, 8); }

QRect DialogUnits::rect(int x, int y, int width, int height) const {
    return {this->x(x), this->y(y), this->x(width), this->y(height)};
}

QSize DialogUnits::size(int width, int height) const { return {x(width), y(height)}; }

}  // namespace tarvo::gui
