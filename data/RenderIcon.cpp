// SPDX-License-Identifier: GPL-3.0-or-later
// Build-time helper: renders the product's SVG icon as a square PNG of the
// given size, for the desktop's icon theme.
//
//   sweepora-render-icon SOURCE.svg SIZE OUTPUT.png
//
// Exit status 0 when the PNG was written, 1 when the SVG cannot be read or
// the PNG cannot be written, 2 on a usage error.

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>

#include <cstdio>

int main(int argc, char *argv[])
{
    // No window is shown: the offscreen platform keeps the build free of a
    // display.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    bool sizeOk = false;
    const int size = args.size() == 4 ? args.at(2).toInt(&sizeOk) : 0;
    if (!sizeOk || size < 1 || size > 4096) {
        std::fputs("Usage: sweepora-render-icon SOURCE.svg SIZE OUTPUT.png\n", stderr);
        return 2;
    }

    QSvgRenderer svg(args.at(1));
    if (!svg.isValid()) {
        std::fprintf(stderr, "Cannot read the icon %s\n", qPrintable(args.at(1)));
        return 1;
    }
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        svg.render(&painter, QRectF(0, 0, size, size));
    }
    if (!image.save(args.at(3), "PNG")) {
        std::fprintf(stderr, "Cannot write %s\n", qPrintable(args.at(3)));
        return 1;
    }
    return 0;
}
