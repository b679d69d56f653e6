// SPDX-License-Identifier: MIT
#include "imaging_pictures.h"

#include "jpeg_codec.h"

#include <QFile>
#include <QtGlobal>

#include <turbojpeg.h>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <vector>

namespace ovaline::test {
namespace {

struct HandleCloser {
    void operator()(void *handle) const { tjDestroy(handle); }
};
using Handle = std::unique_ptr<void, HandleCloser>;

constexpr std::size_t kNoLimit = std::size_t(1) << 30;
constexpr TJPF kRgb32Layout = Q_BYTE_ORDER == Q_LITTLE_ENDIAN ? TJPF_BGRA : TJPF_ARGB;

template <typename Fold> void forEachChannel(const QImage &a, const QImage &b, Fold fold) {
    const QImage x = a.convertToFormat(QImage::Format_RGB32);
    const QImage y = b.convertToFormat(QImage::Format_RGB32);
    for (int row = 0; row < x.height(); ++row) {
        const auto *p = reinterpret_cast<const QRgb *>(x.constScanLine(row));
        const auto *q = reinterpret_cast<const QRgb *>(y.constScanLine(row));
        for (int column = 0; column < x.width(); ++column) {
            fold(std::abs(qRed(p[column]) - qRed(q[column])));
            fold(std::abs(qGreen(p[column]) - qGreen(q[column])));
            fold(std::abs(qBlue(p[column]) - qBlue(q[column])));
        }
    }
}

} // namespace

QByteArray cameraJpeg(int width, int height, emu::Scene scene, const emu::CameraView &view) {
    const std::vector<std::uint8_t> jpeg =
        emu::encodeJpeg(emu::renderScene(scene, view, width, height), kNoLimit);
    return QByteArray(reinterpret_cast<const char *>(jpeg.data()), qsizetype(jpeg.size()));
}

QByteArray greyJpeg(int width, int height) {
    const std::vector<unsigned char> grey(std::size_t(width) * height, 128);
    const Handle handle(tjInitCompress());
    unsigned char *out = nullptr;
    unsigned long size = 0;
    if (!handle || tjCompress2(handle.get(), grey.data(), width, 0, height, TJPF_GRAY, &out, &size,
                               TJSAMP_GRAY, 90, 0) != 0) {
        tjFree(out);
        return {};
    }
    QByteArray jpeg(reinterpret_cast<const char *>(out), qsizetype(size));
    tjFree(out);
    return jpeg;
}

QImage turboDecode(const QByteArray &jpeg, int flags) {
    const Handle handle(tjInitDecompress());
    const auto *data = reinterpret_cast<const unsigned char *>(jpeg.constData());
    int width = 0;
    int height = 0;
    int subsampling = 0;
    int colourspace = 0;
    if (!handle || tjDecompressHeader3(handle.get(), data, jpeg.size(), &width, &height,
                                       &subsampling, &colourspace) != 0) {
        return {};
    }
    QImage image(width, height, QImage::Format_RGB32);
    if (tjDecompress2(handle.get(), data, jpeg.size(), image.bits(), width,
                      int(image.bytesPerLine()), height, kRgb32Layout, flags) != 0) {
        return {};
    }
    return image;
}

double meanAbsDifference(const QImage &a, const QImage &b) {
    if (a.size() != b.size() || a.isNull()) {
        return 255.0;
    }
    double total = 0;
    forEachChannel(a, b, [&total](int difference) { total += difference; });
    return total / (3.0 * a.width() * a.height());
}

int maxAbsDifference(const QImage &a, const QImage &b) {
    if (a.size() != b.size() || a.isNull()) {
        return 255;
    }
    int largest = 0;
    forEachChannel(a, b, [&largest](int difference) { largest = std::max(largest, difference); });
    return largest;
}

bool writeFile(const QString &path, const QByteArray &bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

} // namespace ovaline::test
