#pragma once
// Small visible utilities: the engine's UTF-8 text as a QString, tiling a picture over a window,
// the folder picker, clipboard text and the test of a window's style bits.

#include <QImage>
#include <QRect>
#include <QString>
#include <string>

class QPainter;
class QWidget;

namespace tarvo::gui {

// The engine's UTF-8 text for a widget.
inline QString qt(const std::string& text) { return QString::fromStdString(text); }

// Tiles the picture over the rectangle from its top-left corner, at the picture's own size:
// columns 0 … right ÷ width and rows 0 … bottom ÷ height, both bounds included, so the last
// tiles reach past the edges. The picture is repeated, never stretched.
void DRAWSTRETCHBITMAPEX(QWidget* window, QPainter& painter, const QImage& picture, const QRect& rect);
// The same over the window's whole client area.
void DRAWSTRETCHBITMAP(QWidget* window, QPainter& painter, const QImage& picture);

// The platform's folder dialog over the owner, starting at a folder; empty when cancelled.
QString VODIRECTORYPICKER(QWidget* owner, const QString& title, const QString& start);

// The clipboard's plain text, or an empty string.
QString VOCLIPBOARDGET();

// Window style bits, as the xBase run-time knows them, read from the widget's state.
enum WindowStyle : unsigned {
    kStyleTabStop = 0x00010000u,
    kStyleDisabled = 0x08000000u,
    kStyleVisible = 0x10000000u,
};
unsigned windowStyle(const QWidget* window);
// True when the window has any of the bits (compared as a signed 32-bit number, so the top bit
// alone never counts).
bool VOHASSTYLE(const QWidget* window, unsigned bits);

}  // namespace tarvo::gui
