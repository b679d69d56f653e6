// SPDX-License-Identifier: MIT
#include "thumb_grid.h"

#include <QList>
#include <QStringView>

namespace ovaline::folder {

namespace {

constexpr int kCaptionBytes = 8;

int utf8Length(char32_t c) {
    return c < 0x80 ? 1 : c < 0x800 ? 2 : c < 0x10000 ? 3 : 4;
}

struct AcceptedSize {
    int unitModel;
    int unitN;
    QSize size;
};

constexpr AcceptedSize kAcceptedSizes[] = {
    {1, 1, {736, 480}},
    {1, 0, {736, 568}},
    {2, 1, {640, 480}},
    {2, 0, {768, 576}},
};

} // namespace

QPoint pictureOrigin(int k) {
    return {18 + kCellPitchX * (k % kGridColumns), 20 + kCellPitchY * (k / kGridColumns)};
}

QRect cellRect(int k) {
    return {pictureOrigin(k) - QPoint(13, 10), QSize(85, 90)};
}

QPoint captionOrigin(int k) {
    return pictureOrigin(k) + QPoint(5, 60);
}

int cellAt(QPoint p, int count) {
    const int cells = count < kGridCells ? count : kGridCells;
    for (int k = 0; k < cells; ++k)
        if (cellRect(k).contains(p))
            return k;
    return -1;
}

QSize acceptedPictureSize(int unitModel, int unitN) {
    for (const AcceptedSize &accepted : kAcceptedSizes)
        if (accepted.unitModel == unitModel && accepted.unitN == (unitN ? 1 : 0))
            return accepted.size;
    return {};
}

QString captionText(const QString &fileName) {
    const qsizetype dot = fileName.lastIndexOf(u'.');
    const QString base = dot < 0 ? fileName : fileName.left(dot);
    QString caption;
    int bytes = 0;
    for (char32_t c : QStringView(base).toUcs4()) {
        bytes += utf8Length(c);
        if (bytes > kCaptionBytes)
            break;
        caption += QString::fromUcs4(&c, 1);
    }
    return caption;
}

std::optional<QString> savedFileName(const QString &typed) {
    qsizetype start = 0;
    while (start < typed.size() && typed.at(start).isSpace())
        ++start;
    if (start == typed.size())
        return std::nullopt;
    return typed.mid(start) + QStringLiteral(".JPG");
}

bool isNameListed(std::span<const QString> listed, const QString &name) {
    for (const QString &entry : listed)
        if (entry.compare(name, Qt::CaseInsensitive) == 0)
            return true;
    return false;
}

} // namespace ovaline::folder
