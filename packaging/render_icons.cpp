// Draws the program's icon, a white T on a blue square (the design of app/gui/app_icon.png, laid
// out on a 32-unit grid), at the sizes of the hicolor icon theme:
//     render_icons OUTPUT_FOLDER SIZE...
// writes OUTPUT_FOLDER/<SIZE>x<SIZE>/apps/tarvo-import.png for each size.

#include <QColor>
#include <QDir>
#include <QImage>
#include <QPainter>
#include <QString>
#include <cstdio>

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: render_icons OUTPUT_FOLDER SIZE...\n");
        return 2;
    }
    const QString output = QString::fromLocal8Bit(argv[1]);
    for (int i = 2; i < argc; ++i) {
        const int size = QString::fromLatin1(argv[i]).toInt();
        if (size <= 0) {
            std::fprintf(stderr, "render_icons: bad size '%s'\n", argv[i]);
            return 2;
        }
        QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(Qt::NoPen);
        painter.scale(size / 32.0, size / 32.0);
        painter.setBrush(QColor(0x1F, 0x5C, 0xA8));
        painter.drawRoundedRect(QRectF(2, 2, 28, 28), 1.5, 1.5);
        painter.setBrush(Qt::white);
        painter.drawRect(QRectF(7, 7, 18, 5));   // the bar of the T
        painter.drawRect(QRectF(13, 12, 6, 14));  // its stem
        painter.end();
        const QString folder = QStringLiteral("%1/%2x%2/apps").arg(output).arg(size);
        if (!QDir().mkpath(folder) || !image.save(folder + QStringLiteral("/tarvo-import.png"), "PNG")) {
            std::fprintf(stderr, "render_icons: cannot write %s\n", qPrintable(folder));
            return 1;
        }
    }
    return 0;
}
