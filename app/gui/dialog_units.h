#pragma once
// Dialog units to pixels, as Windows lays out dialog resources: a horizontal unit is a quarter of
// the dialog font's average character width, a vertical unit an eighth of its height.

#include <QFont>
#include <QRect>
#include <QString>

namespace tarvo::gui {

// The font a dialog resource names at its point size, or the closest sans-serif font present.
QFont dialogFont(const QString& family, int points);

class DialogUnits {
public:
    explicit DialogUnits(const QFont& font);

    int x(int units) const;
    int y(int units) const;
    QRect rect(int x, int y, int width, int height) const;
    QSize size(int width, int height) const;

    int baseX() const { return baseX_; }
    int baseY() const { return baseY_; }

private:
    int baseX_;
    int baseY_;
};

}  // namespace tarvo::gui
