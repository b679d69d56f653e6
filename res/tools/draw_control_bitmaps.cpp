// SPDX-License-Identifier: MIT
// Draws the faces of the remote control and of the slot selection window
// into res/control/: the two remote-control panels, the selection panel, the
// indicators and every button image, at the sizes the windows place them at.
//
// Panels and indicators use only black, dark grey, light grey and white
// (besides the lamps' green), drawn without antialiasing at both scales: the
// program maps those four colours to the button colours of the current
// palette.
#include "bitmap_file.h"

#include <QColor>
#include <QDir>
#include <QFont>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <functional>

namespace {

const QColor kBlack(0, 0, 0);
const QColor kDark(128, 128, 128);
const QColor kLight(192, 192, 192);
const QColor kWhite(255, 255, 255);
const QColor kNavy(16, 32, 104);
const QColor kNavyLight(72, 96, 176);
const QColor kNavyDeep(4, 8, 48);
const QColor kYellow(248, 216, 40);
const QColor kDarkGreen(0, 88, 40);
const QColor kBrightGreen(64, 232, 96);
const QColor kCyan(64, 224, 240);
const QColor kDarkRed(136, 16, 16);
const QColor kRed(224, 40, 32);
const QColor kLamp(40, 200, 64);
const QColor kGreyGlyph(150, 150, 150);

QFont labelFont(int pixels, bool aliased) {
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPixelSize(pixels);
    font.setBold(true);
    if (!aliased)
        font.setStyleStrategy(QFont::NoAntialias);
    return font;
}

// A one-pixel bevel: light on the top and left edges, dark on the others;
// reversed when pressed.
void bevel(QPainter &p, const QRect &r, const QColor &light, const QColor &dark, bool pressed) {
    pixelLine(p, r.topLeft(), r.topRight(), pressed ? dark : light);
    pixelLine(p, r.topLeft(), r.bottomLeft(), pressed ? dark : light);
    pixelLine(p, r.bottomLeft(), r.bottomRight(), pressed ? light : dark);
    pixelLine(p, r.topRight(), r.bottomRight(), pressed ? light : dark);
}

void text(QPainter &p, const QRect &r, const QString &s, const QColor &colour, int pixels,
          bool aliased = false, int flags = Qt::AlignCenter) {
    p.setFont(labelFont(pixels, aliased));
    p.setPen(colour);
    p.drawText(r, flags, s);
}

// A flat bar with a bevel (the click and hold buttons of the lower panel).
void drawBar(QPainter &p, QSize size, const QColor &face, bool pressed) {
    const QRect r(QPoint(0, 0), size);
    p.fillRect(r, face);
    pixelFrame(p, r, kBlack);
    bevel(p, r.adjusted(1, 1, -2, -2), face.lighter(160), face.darker(170), pressed);
}

// A lettered navy button (LOCK, POINTER, 2x).
void drawLettered(QPainter &p, QSize size, const QString &label, bool pressed) {
    const QRect r(QPoint(0, 0), size);
    p.fillRect(r, pressed ? kNavyDeep : kNavy);
    pixelFrame(p, r, kBlack);
    bevel(p, r.adjusted(1, 1, -2, -2), kNavyLight, kNavyDeep, pressed);
    bevel(p, r.adjusted(2, 2, -3, -3), kNavyLight, kNavyDeep, pressed);
    text(p, r.translated(pressed ? 1 : 0, pressed ? 1 : 0), label, kWhite, 12, true);
}

// The round button of the memory box: dark red on grey, lighter and
// hatched when pressed.
void drawRound(QPainter &p, bool pressed) {
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(kBlack, 1));
    p.setBrush(kDark);
    p.drawEllipse(QRectF(1.5, 1.5, 37, 37));
    const QRectF face(5.5, 5.5, 29, 29);
    p.setPen(QPen(pressed ? kDarkRed : kBlack, 1));
    p.setBrush(pressed ? kRed : kDarkRed);
    p.drawEllipse(face);
    if (pressed) {
        QPainterPath clip;
        clip.addEllipse(face);
        p.setClipPath(clip);
        p.setPen(QPen(kDarkRed, 1));
        for (int k = -40; k < 40; k += 4)
            p.drawLine(QPointF(k, 0), QPointF(k + 40, 40));
        p.setClipping(false);
    } else {
        p.setPen(QPen(QColor(200, 90, 90), 2));
        p.setBrush(Qt::NoBrush);
        p.drawArc(QRectF(9, 9, 21, 21), 100 * 16, 70 * 16);
    }
}

// The glyph of pad arrow n (1..8) in a 46-pixel cell: side arrows point
// away from the centre, corner arrows toward it.
void drawArrowGlyph(QPainter &p, int n, const QColor &sideColour, const QColor &cornerColour) {
    // Direction in cell steps for arrows 1..8: top-left, middle-left,
    // bottom-left, top-middle, bottom-middle, top-right, middle-right,
    // bottom-right.
    static const QPointF kCell[8] = {{-1, -1}, {-1, 0}, {-1, 1}, {0, -1},
                                     {0, 1},   {1, -1}, {1, 0},  {1, 1}};
    const QPointF cell = kCell[n - 1];
    const bool corner = cell.x() != 0 && cell.y() != 0;
    // Side arrows point outward; corner arrows point at the centre.
    const QPointF dir = corner ? -cell / std::sqrt(2.0) : cell;
    const QPointF normal(-dir.y(), dir.x());
    const QPointF c(23, 23);
    const double len = corner ? 26 : 28;
    const QPointF tip = c + dir * (len / 2);
    const QPointF tail = c - dir * (len / 2);
    const QPointF neck = tip - dir * 11;
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(corner ? cornerColour : sideColour);
    p.drawPolygon(QPolygonF({tip, neck + normal * 10, neck + normal * 4, tail + normal * 4,
                             tail - normal * 4, neck - normal * 4, neck - normal * 10}));
}

void drawArrowTile(QPainter &p, int n, bool pressed) {
    const QRect r(0, 0, 46, 46);
    p.fillRect(r, pressed ? kNavyDeep : kNavy);
    pixelFrame(p, r, kBlack);
    bevel(p, r.adjusted(1, 1, -2, -2), kNavyLight, kNavyDeep, pressed);
    bevel(p, r.adjusted(2, 2, -3, -3), kNavyLight, kNavyDeep, pressed);
    if (pressed)
        p.translate(1, 1);
    drawArrowGlyph(p, n, kCyan, kWhite);
}

void drawArrowDisabled(QPainter &p, int n) {
    const QRect r(0, 0, 48, 48);
    p.fillRect(r, kLight);
    pixelFrame(p, QRect(0, 0, 46, 46), kDark);
    bevel(p, QRect(1, 1, 44, 44), kWhite, kDark, false);
    drawArrowGlyph(p, n, kGreyGlyph, kGreyGlyph);
}

// An etched frame: a dark line with a white one beside it.
void etched(QPainter &p, const QRect &r) {
    pixelFrame(p, r.adjusted(0, 0, 1, 1), kDark);
    pixelFrame(p, r.adjusted(1, 1, 2, 2), kWhite);
}

// A sunken box of the panel.
void sunken(QPainter &p, const QRect &r, const QColor &fill) {
    p.fillRect(r, fill);
    bevel(p, r, kDark, kWhite, false);
}

// The remote-control panel; `withSub` prints the SUB label.
void drawRemotePanel(QPainter &p, bool withSub) {
    p.fillRect(0, 0, 324, 450, kLight);
    bevel(p, QRect(0, 0, 324, 450).adjusted(0, 0, -1, -1), kWhite, kDark, false);

    // The top box: LOCK with its lamp, POINTER, 2x and the direction pad
    // on the dark face of the unit.
    sunken(p, QRect(8, 4, 308, 166), kDark);
    pixelFrame(p, QRect(9, 5, 306, 164), kBlack);
    text(p, QRect(48, 7, 60, 14), QStringLiteral("PANEL"), kWhite, 10, false,
         Qt::AlignLeft | Qt::AlignVCenter);
    text(p, QRect(22, 55, 94, 16), QStringLiteral("MODE"), kWhite, 10);
    // The pad's well and its empty centre.
    sunken(p, QRect(133, 12, 155, 154), kBlack);
    sunken(p, QRect(188, 66, 46, 46), kDark);
    p.save();
    alignStrokes(p);
    p.setPen(kWhite);
    p.drawEllipse(QRect(204, 82, 14, 14));
    p.restore();

    // The memory box.
    etched(p, QRect(8, 178, 306, 72));
    p.fillRect(QRect(14, 172, 64, 12), kLight);
    text(p, QRect(16, 172, 60, 12), QStringLiteral("MEMORY"), kBlack, 11);
    const struct {
        int x;
        const char *label;
    } memory[] = {{97, "PAUSE"}, {176, "SET"}, {255, "RECALL"}};
    for (const auto &m : memory)
        text(p, QRect(m.x - 20, 187, 80, 14), QString::fromLatin1(m.label), kBlack, 10);

    // Labels beside the lamps and over the click buttons.
    const struct {
        int x;
        int y;
        const char *label;
    } labels[] = {
        {179, 262, "UPPER"}, {256, 262, "BASE"}, {33, 299, "MAIN"}, {185, 299, "AV 1"},
        {260, 299, "AV 2"},  {17, 339, "TELE"},  {93, 339, "WIDE"}, {169, 339, "NEAR"},
        {244, 339, "FAR"},   {244, 380, "AF"},
    };
    for (const auto &l : labels)
        text(p, QRect(l.x, l.y, 58, 13), QString::fromLatin1(l.label), kBlack, 10, false,
             Qt::AlignLeft | Qt::AlignVCenter);
    if (withSub)
        text(p, QRect(109, 299, 58, 13), QStringLiteral("SUB"), kBlack, 10, false,
             Qt::AlignLeft | Qt::AlignVCenter);
    etched(p, QRect(12, 333, 147, 38));
    etched(p, QRect(164, 333, 147, 38));
    p.fillRect(QRect(62, 327, 46, 12), kLight);
    p.fillRect(QRect(212, 327, 50, 12), kLight);
    text(p, QRect(62, 327, 46, 12), QStringLiteral("ZOOM"), kBlack, 10);
    text(p, QRect(212, 327, 50, 12), QStringLiteral("FOCUS"), kBlack, 10);

    // The iris box.
    etched(p, QRect(12, 386, 224, 50));
    p.fillRect(QRect(18, 380, 36, 12), kLight);
    text(p, QRect(20, 380, 32, 12), QStringLiteral("IRIS"), kBlack, 11);
    const struct {
        int x;
        const char *label;
    } iris[] = {{24, "NORMAL"}, {99, "OPEN"}, {174, "CLOSE"}};
    for (const auto &i : iris)
        text(p, QRect(i.x, 402, 56, 13), QString::fromLatin1(i.label), kBlack, 10);
}

// The two words of an indicator with the lit one in black, the other grey.
void drawWords(QPainter &p, QSize size, const QString &left, const QString &right, bool leftLit) {
    p.fillRect(QRect(QPoint(0, 0), size), kLight);
    const QFont font = labelFont(9, false);
    p.setFont(font);
    const QFontMetrics metrics(font);
    const QString slash = QStringLiteral("/");
    const int width = metrics.horizontalAdvance(left + slash + right);
    int x = std::max(0, (size.width() - width) / 2);
    const auto word = [&](const QString &text, const QColor &colour) {
        p.setPen(colour);
        p.drawText(QRect(x, 0, size.width() - x, size.height()), Qt::AlignLeft | Qt::AlignVCenter,
                   text);
        x += metrics.horizontalAdvance(text);
    };
    word(left, leftLit ? kBlack : kDark);
    word(slash, kBlack);
    word(right, leftLit ? kDark : kBlack);
}

void drawLamp(QPainter &p, const QColor &ground, bool lit) {
    p.fillRect(0, 0, 14, 14, ground);
    p.save();
    alignStrokes(p);
    p.setPen(kBlack);
    p.setBrush(lit ? kLamp : ground);
    p.drawEllipse(QRect(2, 2, 9, 9));
    p.restore();
    if (lit)
        p.fillRect(5, 5, 1, 1, kWhite);
}

// The selection panel: a grey frame with the slot digits under the slot
// buttons and a frame under CANCEL.
void drawSelectPanel(QPainter &p) {
    static constexpr int kSlotX[7] = {25, 56, 87, 118, 150, 179, 210};
    p.fillRect(0, 0, 257, 194, kLight);
    bevel(p, QRect(0, 0, 257, 194).adjusted(0, 0, -1, -1), kWhite, kDark, false);
    etched(p, QRect(12, 14, 231, 122));
    p.fillRect(QRect(18, 8, 54, 12), kLight);
    text(p, QRect(20, 8, 50, 12), QStringLiteral("MEMORY"), kBlack, 10);
    for (int k = 0; k < 7; ++k) {
        sunken(p, QRect(kSlotX[k] - 2, 31, 25, 84), kDark);
        text(p, QRect(kSlotX[k] - 4, 117, 29, 14), QString::number(k + 1), kBlack, 12);
    }
    sunken(p, QRect(85, 146, 89, 32), kDark);
}

void drawSlotBar(QPainter &p, int k, bool pressed) {
    const QRect r(0, 0, 21, 80);
    const QColor face = pressed ? kRed : kNavy;
    p.fillRect(r, face);
    pixelFrame(p, r, kBlack);
    bevel(p, r.adjusted(1, 1, -2, -2), face.lighter(150), face.darker(180), pressed);
    text(p, r, QString::number(k), kWhite, 14, true);
}

void drawCancel(QPainter &p, bool pressed) {
    const QRect r(0, 0, 85, 28);
    p.fillRect(r, pressed ? kBlack : kLight);
    pixelFrame(p, r, kBlack);
    bevel(p, r.adjusted(1, 1, -2, -2), pressed ? kDark : kWhite, pressed ? kBlack : kDark, pressed);
    text(p, r, QStringLiteral("CANCEL"), pressed ? kWhite : kBlack, 12, true);
}

// Images start light grey; `clear` ones start transparent, so the panel
// shows around a round button.
bool save(const QDir &folder, const QString &name, QSize size,
          const std::function<void(QPainter &)> &draw, bool clear = false) {
    return saveBitmap(folder.filePath(name), size, draw, clear ? QColor(Qt::transparent) : kLight,
                      clear ? QImage::Format_ARGB32 : QImage::Format_RGB32);
}

} // namespace

bool drawControlBitmaps(const QDir &res) {
    if (!res.mkpath(QStringLiteral("control"))) {
        std::fprintf(stderr, "cannot make the folder control\n");
        return false;
    }
    const QDir dir(res.filePath(QStringLiteral("control")));
    bool ok = true;
    const auto put = [&](const QString &name, QSize size,
                         const std::function<void(QPainter &)> &draw,
                         bool clear = false) { ok &= save(dir, name, size, draw, clear); };

    put(QStringLiteral("147"), {324, 450}, [](QPainter &p) { drawRemotePanel(p, true); });
    put(QStringLiteral("229"), {324, 450}, [](QPainter &p) { drawRemotePanel(p, false); });
    put(QStringLiteral("200"), {257, 194}, drawSelectPanel);

    for (bool down : {false, true}) {
        const QString prefix = down ? QStringLiteral("DN_") : QStringLiteral("UP_");
        put(prefix + QStringLiteral("BTN1"), {58, 13}, [down](QPainter &p) {
            drawBar(p, {58, 13}, down ? kYellow : kNavy, down);
        });
        put(prefix + QStringLiteral("BTN2"), {56, 12}, [down](QPainter &p) {
            drawBar(p, {56, 12}, down ? kBrightGreen : kDarkGreen, down);
        });
        const struct {
            const char *name;
            const char *label;
        } lettered[] = {{"BTN6", "LOCK"}, {"BTN4", "POINTER"}, {"BTN5", "2x"}};
        for (const auto &l : lettered) {
            const QSize size(76, down && QLatin1String(l.name) == QLatin1String("BTN5") ? 28 : 27);
            const QString label = QString::fromLatin1(l.label);
            put(prefix + QString::fromLatin1(l.name), size,
                [=](QPainter &p) { drawLettered(p, size, label, down); });
        }
        put(
            down ? QStringLiteral("DMARU_BTN") : QStringLiteral("UMARU_BTN"), {40, 40},
            [down](QPainter &p) { drawRound(p, down); }, true);
        for (int n = 1; n <= 8; ++n)
            put(prefix + QStringLiteral("ARROW%1").arg(n), {46, 46},
                [=](QPainter &p) { drawArrowTile(p, n, down); });
        for (int k = 1; k <= 7; ++k)
            put(prefix + QStringLiteral("SEL%1").arg(k), {21, 80},
                [=](QPainter &p) { drawSlotBar(p, k, down); });
        put(prefix + QStringLiteral("CAN"), {85, 28}, [down](QPainter &p) { drawCancel(p, down); });
    }
    for (int n = 1; n <= 8; ++n)
        put(QStringLiteral("DS_ARROW%1").arg(n), {48, 48},
            [n](QPainter &p) { drawArrowDisabled(p, n); });

    put(QStringLiteral("184"), {65, 13}, [](QPainter &p) {
        drawWords(p, {65, 13}, QStringLiteral("POSI"), QStringLiteral("NEGA"), true);
    });
    put(QStringLiteral("185"), {65, 13}, [](QPainter &p) {
        drawWords(p, {65, 13}, QStringLiteral("POSI"), QStringLiteral("NEGA"), false);
    });
    put(QStringLiteral("186"), {71, 12}, [](QPainter &p) {
        drawWords(p, {71, 12}, QStringLiteral("COLOR"), QStringLiteral("B&W"), true);
    });
    put(QStringLiteral("187"), {71, 12}, [](QPainter &p) {
        drawWords(p, {71, 12}, QStringLiteral("COLOR"), QStringLiteral("B&W"), false);
    });
    put(QStringLiteral("188"), {14, 14}, [](QPainter &p) { drawLamp(p, kLight, true); });
    put(QStringLiteral("189"), {14, 14}, [](QPainter &p) { drawLamp(p, kLight, false); });
    put(QStringLiteral("228"), {14, 14}, [](QPainter &p) { drawLamp(p, kDark, true); });
    put(QStringLiteral("199"), {14, 14}, [](QPainter &p) { drawLamp(p, kDark, false); });
    return ok;
}
