// SPDX-License-Identifier: MIT
// Broken and hostile input for the JPEG decoding control: truncated, random,
// damaged and not-JPEG data, headers that claim huge pictures, and paths that
// name no readable file. Each gives a failing status and leaves nothing held;
// none crashes or allocates for the pixels a header claims.
#include "clead1.h"
#include "imaging_pictures.h"
#include "temp_dir.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QByteArray>
#include <QFile>
#include <QImage>
#include <QString>

#include <sys/stat.h>

#include <atomic>
#include <cstddef>
#include <cstdlib>
#include <new>
#include <random>
#include <vector>

// Records the largest single request to operator new in any form, so a test
// can tell that the control did not allocate for the size a header claims
// (its pixel buffers come from operator new[]).
namespace {
std::atomic<std::size_t> largestRequest{0};

void *allocate(std::size_t size) noexcept {
    std::size_t seen = largestRequest.load(std::memory_order_relaxed);
    while (size > seen && !largestRequest.compare_exchange_weak(seen, size)) {
    }
    return std::malloc(size == 0 ? 1 : size);
}

void *allocateOrThrow(std::size_t size) {
    if (void *p = allocate(size)) {
        return p;
    }
    throw std::bad_alloc();
}
} // namespace

void *operator new(std::size_t size) {
    return allocateOrThrow(size);
}
void *operator new[](std::size_t size) {
    return allocateOrThrow(size);
}
void *operator new(std::size_t size, const std::nothrow_t &) noexcept {
    return allocate(size);
}
void *operator new[](std::size_t size, const std::nothrow_t &) noexcept {
    return allocate(size);
}
// Kept out of line: inlined, the compiler takes the free() for a mismatch.
[[gnu::noinline]] void operator delete(void *p) noexcept {
    std::free(p);
}
[[gnu::noinline]] void operator delete[](void *p) noexcept {
    std::free(p);
}
[[gnu::noinline]] void operator delete(void *p, std::size_t) noexcept {
    std::free(p);
}
[[gnu::noinline]] void operator delete[](void *p, std::size_t) noexcept {
    std::free(p);
}
[[gnu::noinline]] void operator delete(void *p, const std::nothrow_t &) noexcept {
    std::free(p);
}
[[gnu::noinline]] void operator delete[](void *p, const std::nothrow_t &) noexcept {
    std::free(p);
}

namespace {

using ovaline::test::cameraJpeg;
using ovaline::test::TempDir;
using ovaline::test::writeFile;

// Far below any picture buffer of a refused size, above the bookkeeping of a load.
constexpr std::size_t kSmallAllocation = 1024 * 1024;

QString pathIn(const TempDir &dir, const char *name) {
    return QString::fromStdString((dir.path() / name).string());
}

void expectRefused(CLead1 &lead, int status) {
    EXPECT_NE(status, CLead1::kLoaded);
    EXPECT_EQ(lead.GetImageWidth(), 0.0f);
    EXPECT_EQ(lead.GetImageHeight(), 0.0f);
    EXPECT_EQ(lead.GetImageHandle(), 0);
    EXPECT_TRUE(lead.GetThumbnail().isNull());
}

// The JPEG with the frame header's height and width replaced.
QByteArray withDeclaredSize(QByteArray jpeg, int width, int height) {
    const qsizetype frame = jpeg.indexOf("\xff\xc0");
    if (frame < 0) {
        return {};
    }
    // FF C0, length (2), precision (1), height (2), width (2).
    jpeg[frame + 5] = char(height >> 8);
    jpeg[frame + 6] = char(height & 0xff);
    jpeg[frame + 7] = char(width >> 8);
    jpeg[frame + 8] = char(width & 0xff);
    return jpeg;
}

// Where the entropy-coded data starts: just past the start-of-scan header.
qsizetype scanData(const QByteArray &jpeg) {
    const qsizetype scan = jpeg.indexOf("\xff\xda");
    if (scan < 0) {
        return -1;
    }
    return scan + 2 + ((uchar(jpeg[scan + 2]) << 8) | uchar(jpeg[scan + 3]));
}

TEST(HostileJpeg, ATruncatedPictureIsRefusedAtEveryCut) {
    const QByteArray jpeg = cameraJpeg(736, 480, ovaline::emu::Scene::Lesson);
    std::vector<qsizetype> cuts;
    for (qsizetype cut = 0; cut < jpeg.size(); cut += 97) {
        cuts.push_back(cut);
    }
    cuts.push_back(jpeg.size() - 2);
    cuts.push_back(jpeg.size() - 1);
    CLead1 lead;
    for (qsizetype cut : cuts) {
        expectRefused(lead, lead.LoadMemory(jpeg, cut));
        // A failure leaves no trace in the next load.
        ASSERT_EQ(lead.LoadMemory(jpeg, jpeg.size()), CLead1::kLoaded) << "after " << cut;
        ASSERT_EQ(lead.GetImageWidth(), 736.0f);
        ASSERT_EQ(lead.GetImageHeight(), 480.0f);
    }
}

TEST(HostileJpeg, ATruncatedFileIsRefused) {
    const QByteArray jpeg = cameraJpeg(640, 480);
    const TempDir dir;
    const QString path = pathIn(dir, "CUT.JPG");
    CLead1 lead;
    for (qsizetype cut : {qsizetype(1), qsizetype(200), jpeg.size() / 3, jpeg.size() - 1}) {
        ASSERT_TRUE(writeFile(path, jpeg.first(cut)));
        expectRefused(lead, lead.LoadFile(path));
    }
}

TEST(HostileJpeg, AnEarlyEndMarkerInTheScanIsRefused) {
    QByteArray jpeg = cameraJpeg(768, 576);
    const qsizetype data = scanData(jpeg);
    ASSERT_GT(data, 0);
    const qsizetype middle = data + (jpeg.size() - data) / 2;
    jpeg[middle] = '\xff';
    jpeg[middle + 1] = '\xd9';
    CLead1 lead;
    expectRefused(lead, lead.LoadMemory(jpeg, jpeg.size()));
}

TEST(HostileJpeg, RandomBytesAreRefused) {
    std::mt19937 random(5);
    CLead1 lead;
    for (int size : {1, 2, 3, 16, 1000, 65535}) {
        QByteArray noise(size, '\0');
        for (char &byte : noise) {
            byte = char(random());
        }
        expectRefused(lead, lead.LoadMemory(noise, noise.size()));
        // The same behind a start-of-image marker.
        noise.prepend("\xff\xd8");
        expectRefused(lead, lead.LoadMemory(noise, noise.size()));
    }
}

TEST(HostileJpeg, RandomScanDataIsRefused) {
    const QByteArray jpeg = cameraJpeg(736, 568);
    const qsizetype data = scanData(jpeg);
    ASSERT_GT(data, 0);
    std::mt19937 random(11);
    CLead1 lead;
    for (int round = 0; round < 8; ++round) {
        QByteArray broken = jpeg;
        for (qsizetype i = data; i < broken.size(); ++i) {
            broken[i] = char(random());
        }
        expectRefused(lead, lead.LoadMemory(broken, broken.size()));
    }
}

TEST(HostileJpeg, ChangedBytesGiveAPictureOrNothing) {
    const QByteArray jpeg = cameraJpeg(640, 480, ovaline::emu::Scene::Map);
    std::mt19937 random(23);
    CLead1 lead;
    for (int round = 0; round < 300; ++round) {
        QByteArray broken = jpeg;
        for (int change = 0; change < 1 + round % 4; ++change) {
            broken[qsizetype(random() % broken.size())] = char(random());
        }
        if (lead.LoadMemory(broken, broken.size()) == CLead1::kLoaded) {
            EXPECT_GE(lead.GetImageWidth(), 1.0f);
            const QImage bitmap = lead.GetBitmap(lead.GetImageHandle());
            EXPECT_EQ(bitmap.width(), int(lead.GetImageWidth()));
            EXPECT_EQ(bitmap.height(), int(lead.GetImageHeight()));
        } else {
            EXPECT_EQ(lead.GetImageHandle(), 0);
            EXPECT_EQ(lead.GetImageWidth(), 0.0f);
        }
    }
}

TEST(HostileJpeg, HugeDeclaredSizesAreRefusedWithoutAllocatingForThem) {
    const QByteArray jpeg = cameraJpeg(736, 480);
    const struct {
        int width, height;
    } claims[] = {{65535, 65535}, {5000, 4000}, {4000, 5000}, {4097, 480}, {0, 480}, {736, 0}};
    CLead1 lead;
    for (const auto &claim : claims) {
        const QByteArray hostile = withDeclaredSize(jpeg, claim.width, claim.height);
        ASSERT_FALSE(hostile.isEmpty());
        largestRequest = 0;
        expectRefused(lead, lead.LoadMemory(hostile, hostile.size()));
        EXPECT_LT(largestRequest.load(), kSmallAllocation) << claim.width << 'x' << claim.height;
    }
    EXPECT_EQ(lead.LoadMemory(withDeclaredSize(jpeg, 5000, 4000), jpeg.size()), CLead1::kOverLimit);
}

TEST(HostileJpeg, AClaimWithinTheLimitFailsOnTheMissingData) {
    const QByteArray hostile = withDeclaredSize(cameraJpeg(736, 480), 4096, 4096);
    CLead1 lead;
    largestRequest = 0;
    EXPECT_EQ(lead.LoadMemory(hostile, hostile.size()), CLead1::kDamaged);
    // At most the small decode that checks the stream, 1/8 of each side.
    EXPECT_LE(largestRequest.load(), std::size_t(512 * 512 * 4));
}

TEST(HostileJpeg, TheAllocationRecordSeesPictureBuffers) {
    const QByteArray jpeg = cameraJpeg(736, 480);
    CLead1 lead;
    ASSERT_EQ(lead.LoadMemory(jpeg, jpeg.size()), CLead1::kLoaded);
    largestRequest = 0;
    ASSERT_FALSE(lead.GetBitmap(lead.GetImageHandle()).isNull());
    EXPECT_GE(largestRequest.load(), std::size_t(736 * 480 * 4));
}

TEST(HostileFile, EmptyAndNotJpegFilesAreRefused) {
    const TempDir dir;
    QByteArray png;
    QBuffer buffer(&png);
    ASSERT_TRUE(buffer.open(QIODevice::WriteOnly));
    ASSERT_TRUE(QImage(64, 48, QImage::Format_RGB32).save(&buffer, "PNG"));
    const struct {
        const char *name;
        QByteArray bytes;
        int status;
    } files[] = {{"EMPTY.JPG", QByteArray(), CLead1::kNoData},
                 {"TEXT.JPG", QByteArray("This is no picture.\n"), CLead1::kNotJpeg},
                 {"PNG.JPG", png, CLead1::kNotJpeg},
                 {"SOI.JPG", QByteArray("\xff\xd8", 2), CLead1::kNotJpeg}};
    CLead1 lead;
    for (const auto &file : files) {
        const QString path = pathIn(dir, file.name);
        ASSERT_TRUE(writeFile(path, file.bytes));
        const int status = lead.LoadFile(path);
        EXPECT_EQ(status, file.status) << file.name;
        expectRefused(lead, status);
    }
}

TEST(HostileFile, PathsOfNoRegularFileAreRefusedWithoutBlocking) {
    const TempDir dir;
    const QString fifo = pathIn(dir, "PIPE.JPG");
    ASSERT_EQ(::mkfifo(fifo.toLocal8Bit().constData(), 0600), 0);
    const QString paths[] = {QString::fromStdString(dir.str()), pathIn(dir, "MISSING.JPG"), fifo,
                             QStringLiteral("/dev/zero"), QString()};
    CLead1 lead;
    for (const QString &path : paths) {
        const int status = lead.LoadFile(path);
        EXPECT_EQ(status, CLead1::kUnreadable) << path.toStdString();
        expectRefused(lead, status);
    }
}

TEST(HostileFile, AFileOverTheReadLimitIsRefused) {
    const TempDir dir;
    const QString path = pathIn(dir, "HUGE.JPG");
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ASSERT_TRUE(file.write(cameraJpeg(640, 480)) > 0);
    // Sparse: the length costs no disk.
    ASSERT_TRUE(file.resize(CLead1::kMaxFileBytes + 1));
    file.close();
    CLead1 lead;
    expectRefused(lead, lead.LoadFile(path));
}

TEST(HostileFile, AJpegWithTrailingBytesUpToTheReadLimitLoads) {
    const TempDir dir;
    const QString path = pathIn(dir, "PADDED.JPG");
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ASSERT_TRUE(file.write(cameraJpeg(640, 480)) > 0);
    ASSERT_TRUE(file.resize(CLead1::kMaxFileBytes));
    file.close();
    CLead1 lead;
    EXPECT_EQ(lead.LoadFile(path), CLead1::kLoaded);
    EXPECT_EQ(lead.GetImageWidth(), 640.0f);
}

} // namespace
