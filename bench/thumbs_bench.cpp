// SPDX-License-Identifier: MIT
// thumbs_vs_qimagereader: making 60-pixel-wide thumbnails of 35 camera
// pictures (736x480 JPEG files of varied scenes and effects), the time
// QImageReader with a scaled size takes over the time CLead1 takes, measured
// in alternating rounds of the same run (median of each). Above 1, CLead1 is
// the faster.
#include "camera_pictures.h"
#include "clead1.h"
#include "median.h"
#include "temp_dir.h"
#include "thumbnail_size.h"

#include <QCoreApplication>
#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QString>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <vector>

using ovaline::test::median;

namespace {

constexpr int kRounds = 21;

// The loads and thumbnails of the thumbnail view's load pass.
bool throughLead(const std::vector<QString> &paths) {
    CLead1 lead;
    for (const QString &path : paths) {
        lead.SetProperty2(false);
        lead.LoadFile(path);
        const QSize expected =
            ovaline::folder::thumbnailSize(lead.GetImageWidth(), lead.GetImageHeight());
        if (expected.isEmpty() || lead.GetThumbnail().size() != expected) {
            return false;
        }
    }
    return true;
}

bool throughReader(const std::vector<QString> &paths) {
    for (const QString &path : paths) {
        QImageReader reader(path);
        const QSize size = reader.size();
        const QSize expected = ovaline::folder::thumbnailSize(size.width(), size.height());
        reader.setScaledSize(expected);
        if (expected.isEmpty() || reader.read().size() != expected) {
            return false;
        }
    }
    return true;
}

} // namespace

int main(int argc, char **argv) {
    QCoreApplication app(argc, argv);
    const ovaline::test::TempDir dir;
    const QString folder = QString::fromStdString(dir.str());
    std::vector<QString> paths;
    for (const QString &name : ovaline::bench::writeCameraPictures(folder))
        paths.push_back(folder + u'/' + name);
    if (paths.empty()) {
        std::fprintf(stderr, "thumbs_vs_qimagereader: the pictures could not be written\n");
        return 1;
    }
    const std::function<bool(const std::vector<QString> &)> passes[] = {throughLead, throughReader};
    std::vector<double> seconds[2];
    for (int round = 0; round < kRounds; ++round) {
        for (int i = 0; i < 2; ++i) {
            const int which = (round + i) % 2;
            const auto start = std::chrono::steady_clock::now();
            const bool good = passes[which](paths);
            const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
            if (!good) {
                std::fprintf(stderr, "thumbs_vs_qimagereader: a thumbnail came out wrong\n");
                return 1;
            }
            seconds[which].push_back(took.count());
        }
    }
    std::printf("thumbs_vs_qimagereader: %.2f\n", median(seconds[1]) / median(seconds[0]));
    return 0;
}
