// SPDX-License-Identifier: MIT
// The thumbnail view's load pass over 35 camera pictures (736x480 JPEG
// files of varied scenes and effects):
//   folder_load_vs_qimagereader  the time one thread of QImageReader with a
//                                scaled size takes over the time the view's
//                                loader takes, in alternating rounds of the
//                                same run (median of each); above 1 the
//                                loader is the faster
//   folder_load_ui_stall_ms      the longest gap between two ticks of a 5 ms
//                                timer on the user-interface thread during
//                                the loader's passes
#include "camera_pictures.h"
#include "median.h"
#include "temp_dir.h"
#include "thumb_loader.h"
#include "thumbnail_size.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QFile>
#include <QImageReader>
#include <QTimer>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

using ovaline::test::median;

namespace {

using ovaline::bench::kPictureHeight;
using ovaline::bench::kPictureWidth;
using Clock = std::chrono::steady_clock;

constexpr int kRounds = 15;

struct Pass {
    bool good = false;
    double seconds = 0;
    double longestGapMs = 0;
};

Pass throughLoader(const QString &dir, const QStringList &names) {
    ovaline::folder::ThumbLoader loader;
    QEventLoop loop;
    QTimer ticks;
    Pass pass;
    int thumbs = 0;
    Clock::time_point last = Clock::now();
    QObject::connect(&ticks, &QTimer::timeout, [&] {
        const Clock::time_point now = Clock::now();
        pass.longestGapMs = std::max(pass.longestGapMs,
                                     std::chrono::duration<double, std::milli>(now - last).count());
        last = now;
    });
    ticks.start(5);
    const Clock::time_point start = Clock::now();
    last = start;
    loader.start(
        dir, names, QSize(kPictureWidth, kPictureHeight), 35,
        [&](int, const QImage &thumb) { thumbs += thumb.size() == QSize(60, 39); },
        [&] { loop.quit(); });
    loop.exec();
    pass.seconds = std::chrono::duration<double>(Clock::now() - start).count();
    pass.good = thumbs == names.size();
    return pass;
}

bool throughReader(const QString &dir, const QStringList &names) {
    for (const QString &name : names) {
        QImageReader reader(dir + u'/' + name);
        const QSize size = reader.size();
        if (size != QSize(kPictureWidth, kPictureHeight))
            return false;
        const QSize target = ovaline::folder::thumbnailSize(size.width(), size.height());
        reader.setScaledSize(target);
        if (reader.read().size() != target)
            return false;
    }
    return true;
}

} // namespace

int main(int argc, char **argv) {
    QCoreApplication app(argc, argv);
    const ovaline::test::TempDir temp;
    const QString dir = QString::fromStdString(temp.str());
    const QStringList names = ovaline::bench::writeCameraPictures(dir);
    if (names.isEmpty()) {
        std::fprintf(stderr, "folder_load_bench: the pictures could not be written\n");
        return 1;
    }
    std::vector<double> loader, reader;
    double longestGapMs = 0;
    for (int round = 0; round < kRounds; ++round) {
        for (int i = 0; i < 2; ++i) {
            if ((round + i) % 2 == 0) {
                const Pass pass = throughLoader(dir, names);
                if (!pass.good) {
                    std::fprintf(stderr, "folder_load_bench: a thumbnail came out wrong\n");
                    return 1;
                }
                loader.push_back(pass.seconds);
                longestGapMs = std::max(longestGapMs, pass.longestGapMs);
            } else {
                const Clock::time_point start = Clock::now();
                if (!throughReader(dir, names)) {
                    std::fprintf(stderr, "folder_load_bench: QImageReader failed\n");
                    return 1;
                }
                reader.push_back(std::chrono::duration<double>(Clock::now() - start).count());
            }
        }
    }
    std::printf("folder_load_vs_qimagereader: %.2f\n", median(reader) / median(loader));
    std::printf("folder_load_ui_stall_ms: %.1f\n", longestGapMs);
    return 0;
}
