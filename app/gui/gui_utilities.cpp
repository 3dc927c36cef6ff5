#include "app/gui/gui_utilities.h"

#include <QClipboard>
#include <QFileDialog>
#include <QGuiApplication>
#include <QPainter>
#include <QWidget>

namespace tarvo::gui {

void DRAWSTRETCHBITMAPEX(QWidget*, QPainter& painter, const QImage& picture, const QRect& rect) {
    const int width = picture.width();
    const int height = picture.height();
    if (width <= 0 || height <= 0) return;
    const int right = rect.x() + rect.width();
    const int bottom = rect.y() + rect.height();
    const int columns = right / width;
    const int rows = bottom / height;
    for (int column = 0; column <= columns; ++column)
        for (int row = 0; row <= rows; ++row) painter.drawImage(QPoint(column * width, row * height), picture);
}

void DRAWSTRETCHBITMAP(QWidget* window, QPainter& painter, const QImage& picture) {
    DRAWSTRETCHBITMAPEX(window, painter, picture, window->rect());
}

QString VODIRECTORYPICKER(QWidget* owner, const QString& title, const QString& start) {
    return QFileDialog::getExistingDirectory(owner, title, start, QFileDialog::ShowDirsOnly);
}

QString VOCLIPBOARDGET() {
    const QClipboard* clipboard = QGuiApplication::clipboard();
    return clipboard ? clipboard->text() : QString();
}

unsigned windowStyle(const QWidget* window) {
    unsigned style = 0;
    if (window->focusPolicy() & Qt::TabFocus) style |= kStyleTabStop;
    if (!window->isEnabled()) style |= kStyleDisabled;
    if (window->isVisible()) style |= kStyleVisible;
    return style;
}

bool VOHASSTYLE(const QWidget* window, unsigned bits) {
    return static_cast<int32_t>(windowStyle(window) & bits) > 0;
}

}  // namespace tarvo::gui
