// SPDX-License-Identifier: MIT
// Draws the toolbar buttons (16 x 15), the program icon (16, 32, 48 and 256
// pixels; the largest is only installed, not compiled in), the drag cursor
// (32 x 32), the splash picture (335 x 223, 8 bits per pixel) and the faces
// of the remote control and the slot selection window into PNG files, each
// also at twice its size for scaled screens:
//   draw_bitmaps RES_FOLDER
// The PNGs are kept in res/ and compiled in; run this again after a change.
#include "bitmap_file.h"

#include <QColor>
#include <QDir>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPolygon>

#include <cstdio>
#include <functional>

// The remote control's and the selection window's images (their own file).
bool drawControlBitmaps(const QDir &res);

namespace {

const QColor kBlack(0, 0, 0);
const QColor kDark(128, 128, 128);
const QColor kLight(192, 192, 192);
const QColor kWhite(255, 255, 255);
const QColor kYellow(255, 214, 64);
const QColor kDarkYellow(168, 128, 0);
const QColor kBlue(0, 64, 192);
const QColor kRed(200, 0, 0);
const QColor kGreen(0, 144, 0);

void drawOpenFolder(QPainter &p) {
    p.setPen(kDarkYellow);
    p.setBrush(kDarkYellow);
    p.drawRect(1, 3, 12, 9);
    p.drawRect(1, 2, 5, 1);
    p.setBrush(kYellow);
    p.drawPolygon(QPolygon({QPoint(1, 12), QPoint(4, 6), QPoint(15, 6), QPoint(12, 12)}));
    p.setPen(kGreen);
    p.drawLine(9, 1, 12, 1);
    p.drawLine(12, 1, 12, 4);
    p.drawLine(10, 3, 12, 1);
}

void drawSave(QPainter &p) {
    p.setPen(kBlack);
    p.setBrush(kBlue);
    p.drawRect(1, 1, 13, 12);
    p.setBrush(kWhite);
    p.drawRect(3, 1, 9, 5);
    p.setBrush(kLight);
    p.drawRect(4, 9, 7, 4);
    p.setPen(kBlack);
    p.drawLine(8, 10, 8, 12);
}

void drawReceive(QPainter &p) {
    p.setPen(kBlack);
    p.setBrush(kLight);
    p.drawRect(3, 0, 9, 4); // the camera head
    p.setBrush(kBlue);
    p.drawEllipse(QPoint(7, 2), 1, 1);
    p.setPen(kRed);
    p.setBrush(kRed);
    p.drawRect(6, 5, 2, 3);
    p.drawPolygon(QPolygon({QPoint(3, 8), QPoint(11, 8), QPoint(7, 12)}));
    p.setPen(kBlack);
    p.drawLine(1, 10, 1, 14);
    p.drawLine(1, 14, 14, 14);
    p.drawLine(14, 14, 14, 10);
}

void drawCapture(QPainter &p) {
    // The camera takes a picture that lands in the folder.
    p.setPen(kBlack);
    p.setBrush(kLight);
    p.drawRect(0, 2, 9, 6);
    p.drawRect(2, 0, 3, 2);
    p.setBrush(kBlue);
    p.drawEllipse(QPoint(4, 5), 2, 2);
    p.setBrush(kWhite);
    p.drawRect(7, 7, 8, 7);
    p.setPen(Qt::NoPen);
    p.setBrush(kGreen);
    p.drawPolygon(QPolygon({QPoint(8, 14), QPoint(11, 10), QPoint(15, 14)}));
    p.setBrush(kRed);
    p.drawRect(12, 8, 2, 2);
}

void drawRemote(QPainter &p) {
    p.setPen(kBlack);
    p.setBrush(kDark);
    p.drawRoundedRect(4, 0, 7, 14, 1, 1);
    p.setPen(Qt::NoPen);
    p.setBrush(kRed);
    p.drawRect(6, 2, 3, 2);
    p.setBrush(kWhite);
    for (int row = 0; row < 3; ++row) {
        p.drawRect(6, 6 + 2 * row, 1, 1);
        p.drawRect(8, 6 + 2 * row, 1, 1);
    }
}

void drawSetup(QPainter &p) {
    // A nine-pin serial connector.
    p.setPen(kBlack);
    p.setBrush(kLight);
    p.drawPolygon(QPolygon({QPoint(0, 3), QPoint(15, 3), QPoint(13, 11), QPoint(2, 11)}));
    p.setPen(Qt::NoPen);
    p.setBrush(kBlack);
    for (int pin = 0; pin < 5; ++pin)
        p.drawRect(3 + 2 * pin, 5, 1, 1);
    for (int pin = 0; pin < 4; ++pin)
        p.drawRect(4 + 2 * pin, 8, 1, 1);
}

void drawAbout(QPainter &p) {
    p.setPen(kBlack);
    p.setBrush(kWhite);
    p.drawEllipse(1, 0, 13, 13);
    p.setPen(QPen(kBlue, 2));
    QPainterPath hook;
    hook.moveTo(5, 4);
    hook.cubicTo(5, 1.5, 10.5, 1.5, 10.5, 4.5);
    hook.cubicTo(10.5, 6.5, 8, 6.5, 8, 8.5);
    p.setBrush(Qt::NoBrush);
    p.drawPath(hook);
    p.setPen(Qt::NoPen);
    p.setBrush(kBlue);
    p.drawRect(7, 10, 2, 2);
}

void drawExit(QPainter &p) {
    p.setPen(kBlack);
    p.setBrush(kDarkYellow);
    p.drawRect(6, 0, 8, 14); // the door
    p.setBrush(kYellow);
    p.drawRect(8, 2, 4, 10);
    p.setPen(kRed);
    p.setBrush(kRed);
    p.drawRect(1, 6, 4, 2);
    p.drawPolygon(QPolygon({QPoint(0, 7), QPoint(3, 4), QPoint(3, 10)}));
}

// A document camera: a base plate with a sheet on it, an arm and a head
// looking down. Smooth unless it is drawn 16 pixels wide.
void drawIcon(QPainter &p, int size) {
    p.scale(size / 32.0, size / 32.0);
    p.setRenderHint(QPainter::Antialiasing, p.transform().m11() * 32 > 16);
    p.setPen(QPen(kBlack, 1));
    p.setBrush(kDark);
    p.drawRect(1, 25, 29, 5);
    p.setBrush(kWhite);
    p.drawPolygon(QPolygon({QPoint(8, 21), QPoint(27, 21), QPoint(29, 26), QPoint(6, 26)}));
    p.setBrush(kLight);
    p.drawRect(3, 4, 3, 22);
    p.drawRect(3, 3, 17, 3);
    p.setBrush(kBlue);
    p.drawRect(15, 6, 8, 5);
    p.setBrush(kWhite);
    p.drawEllipse(QPoint(19, 12), 2, 1);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 160, 140));
    p.drawPolygon(QPolygon({QPoint(17, 13), QPoint(21, 13), QPoint(27, 21), QPoint(9, 21)}));
}

// The drag cursor: an arrow with its tip at the top-left corner (the hot
// spot) carrying a small picture, black on white like a monochrome cursor.
void drawDragCursor(QPainter &p) {
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(kBlack);
    p.setBrush(kWhite);
    p.drawPolygon(QPolygon({QPoint(0, 0), QPoint(0, 15), QPoint(4, 11), QPoint(7, 17),
                            QPoint(9, 16), QPoint(6, 10), QPoint(11, 10)}));
    p.drawRect(12, 14, 17, 13);
    p.drawRect(14, 16, 13, 9);
    p.setBrush(kBlack);
    p.drawPolygon(
        QPolygon({QPoint(15, 24), QPoint(19, 19), QPoint(22, 22), QPoint(24, 20), QPoint(26, 24)}));
    p.drawEllipse(QPoint(23, 18), 1, 1);
}

// The splash picture: the camera over a sheet, the program's name and its
// version on a blue ground.
void drawSplash(QPainter &p) {
    const QRect all(0, 0, 335, 223);
    QLinearGradient ground(all.topLeft(), all.bottomLeft());
    ground.setColorAt(0, QColor(0, 48, 128));
    ground.setColorAt(1, QColor(0, 16, 64));
    p.fillRect(all, ground);
    p.setPen(QPen(kLight, 2));
    p.setBrush(Qt::NoBrush);
    p.drawRect(all.adjusted(5, 5, -6, -6));
    p.save();
    p.translate(24, 52);
    p.scale(3.5, 3.5);
    drawIcon(p, 32);
    p.restore();
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    QFont title(QStringLiteral("Liberation Serif"));
    title.setPixelSize(46);
    title.setBold(true);
    title.setItalic(true);
    p.setFont(title);
    p.setPen(kYellow);
    p.drawText(QRect(150, 50, 175, 60), Qt::AlignCenter, QStringLiteral("Ovaline"));
    QFont line(QStringLiteral("Liberation Sans"));
    line.setPixelSize(14);
    p.setFont(line);
    p.setPen(kWhite);
    p.drawText(QRect(150, 110, 175, 40), Qt::AlignCenter | Qt::TextWordWrap,
               QStringLiteral("Pictures of the document camera"));
    line.setPixelSize(12);
    p.setFont(line);
    p.setPen(kLight);
    p.drawText(QRect(150, 160, 175, 20), Qt::AlignCenter, QStringLiteral("Version 2.0"));
}

// The toolbar buttons and the cursor are pixel pictures outlined by their
// strokes.
std::function<void(QPainter &)> pixelPicture(void (*draw)(QPainter &)) {
    return [draw](QPainter &p) {
        alignStrokes(p);
        draw(p);
    };
}

bool save(const QString &path, QSize size, const std::function<void(QPainter &)> &draw,
          QImage::Format format = QImage::Format_ARGB32) {
    return saveBitmap(path, size, draw, Qt::transparent, format);
}

} // namespace

int main(int argc, char **argv) {
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: draw_bitmaps RES_FOLDER\n");
        return 2;
    }
    const QDir res(QString::fromLocal8Bit(argv[1]));
    if (!res.mkpath(QStringLiteral("toolbar")) || !res.mkpath(QStringLiteral("icon")) ||
        !res.mkpath(QStringLiteral("cursor")) || !res.mkpath(QStringLiteral("splash"))) {
        std::fprintf(stderr, "cannot make the folders under %s\n", argv[1]);
        return 1;
    }
    const QSize button(16, 15);
    const struct {
        const char *name;
        void (*draw)(QPainter &);
    } buttons[] = {{"open_folder", drawOpenFolder},
                   {"save", drawSave},
                   {"receive", drawReceive},
                   {"capture", drawCapture},
                   {"remote", drawRemote},
                   {"setup", drawSetup},
                   {"about", drawAbout},
                   {"exit", drawExit}};
    bool ok = true;
    for (const auto &b : buttons)
        ok &= save(res.filePath(QStringLiteral("toolbar/%1").arg(QLatin1String(b.name))), button,
                   pixelPicture(b.draw));
    for (int size : {16, 32, 48, 256})
        ok &= save(res.filePath(QStringLiteral("icon/ovaline_%1").arg(size)), QSize(size, size),
                   [size](QPainter &p) { drawIcon(p, size); });
    ok &= save(res.filePath(QStringLiteral("cursor/drag")), QSize(32, 32),
               pixelPicture(drawDragCursor));
    ok &= save(res.filePath(QStringLiteral("splash/splash")), QSize(335, 223), drawSplash,
               QImage::Format_Indexed8);
    ok &= drawControlBitmaps(res);
    return ok ? 0 : 1;
}
