// SPDX-License-Identifier: MIT
// ovaline-cli send --fit with real picture files, as an ordinary user: each
// picture the unit then holds is exactly its size and fits a slot.
#include "jpeg_padding.h"
#include "run_process.h"
#include "scoped_env.h"
#include "temp_dir.h"
#include "unit_state.h"
#include "unit_store.h"

#include <QBuffer>
#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

#include <csignal>
#include <fstream>
#include <random>

namespace ovaline::test {
namespace {

using Bytes = std::vector<std::uint8_t>;

const QColor kMarker(255, 0, 0);

Bytes encoded(const QImage &image, const char *format) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    EXPECT_TRUE(image.save(&buffer, format));
    return {bytes.begin(), bytes.end()};
}

// An EXIF segment whose first directory holds only the orientation.
Bytes withOrientation(Bytes jpeg, std::uint8_t orientation) {
    const Bytes exif{0xFF, 0xE1, 0x00, 0x22, 'E', 'x', 'i', 'f', 0, 0, // APP1
                     'M',  'M',  0x00, 0x2A, 0,   0,   0,   8,         // TIFF header
                     0x00, 0x01,                                       // one entry
                     0x01, 0x12, 0x00, 0x03, 0,   0,   0,   1,   0, orientation, 0, 0, // SHORT
                     0,    0,    0,    0};                                             // no next
    jpeg.insert(jpeg.begin() + 2, exif.begin(), exif.end());
    return jpeg;
}

// A phone's portrait photo as its sensor stores it: landscape, with EXIF
// orientation 6 (turn a quarter clockwise to see it). The marker is in the
// stored bottom-left corner, so upright it is top left.
Bytes portraitPhoto() {
    QImage stored(800, 600, QImage::Format_RGB32);
    stored.fill(QColor(40, 160, 40));
    QPainter(&stored).fillRect(0, 500, 100, 100, kMarker);
    return withOrientation(encoded(stored, "JPG"), 6);
}

Bytes transparentPng() {
    QImage image(300, 200, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter(&image).fillRect(100, 50, 100, 100, QColor(0, 0, 255));
    return encoded(image, "PNG");
}

// Noise at 1,500 x 1,000: no quality near the top fits a slot.
Bytes noisyPhoto() {
    QImage image(1500, 1000, QImage::Format_RGB32);
    std::mt19937 random(7);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            image.setPixel(x, y, random() | 0xff000000u);
    return encoded(image, "JPG");
}

// One red pixel (too small to make: Qt writes no GIF).
const Bytes kRedPixelGif{'G', 'I',  'F', '8', '9', 'a', 1, 0,    1,    0, 0x80, 0,
                         0,   0xFF, 0,   0,   0,   0,   0, 0x2C, 0,    0, 0,    0,
                         1,   0,    1,   0,   0,   2,   2, 0x44, 0x01, 0, 0x3B};

bool near(QColor a, QColor b) {
    return std::abs(a.red() - b.red()) < 40 && std::abs(a.green() - b.green()) < 40 &&
           std::abs(a.blue() - b.blue()) < 40;
}

class CliFit : public ::testing::Test {
protected:
    void SetUp() override {
        // An ordinary user must reach the files and the camera's folder.
        std::filesystem::permissions(work.path(), std::filesystem::perms::all);
        env.set("OVALINE_VIRTUAL_DIR", (work.path() / "camera").string())
            .set("OVALINE_VIRTUAL_SPEED", "1000")
            .unset("OVALINE_VIRTUAL_FAULTS")
            .unset("OVALINE_VIRTUAL_MODEL");
    }

    std::string write(const std::string &name, const Bytes &bytes) {
        const auto path = work.path() / name;
        std::ofstream(path, std::ios::binary)
            .write(reinterpret_cast<const char *>(bytes.data()), std::streamsize(bytes.size()));
        return path.string();
    }

    // Runs as nobody when the test runs as root, unless the device is a
    // terminal only root may open.
    static ProcessResult cliAsUser(const std::string &device, std::vector<std::string> args) {
        args.insert(args.begin(), {"--device", device, "--baud", "115200"});
        if (device != "virtual")
            return runProcess(OVALINE_CLI_PATH, args);
        const Command command = asUser({OVALINE_CLI_PATH, args});
        return runProcess(command.program, command.args);
    }

    Bytes slot(const std::filesystem::path &camera, int n) const {
        emu::UnitState state;
        EXPECT_TRUE(emu::UnitStore(camera).load(state));
        return state.memory[n - 1].jpeg;
    }

    // The unit's picture: exactly 640 x 480 and no more than a slot holds.
    static QImage decodedCameraPicture(const Bytes &jpeg) {
        EXPECT_LE(jpeg.size(), 65535u);
        const QImage image = QImage::fromData(jpeg.data(), int(jpeg.size()), "JPG");
        EXPECT_EQ(image.size(), QSize(640, 480));
        return image;
    }

    TempDir work;
    ScopedEnv env;
};

TEST_F(CliFit, EveryPictureIsFittedUprightOnBlackAndTheRestAreRefusedUntouched) {
    const std::filesystem::path camera = work.path() / "camera";
    ProcessResult r =
        cliAsUser("virtual", {"send", "--fit", write("phone.jpg", portraitPhoto()), "5"});
    ASSERT_EQ(r.exitCode, 0) << r.output;
    EXPECT_NE(r.output.find("fitted to 640 x 480"), std::string::npos) << r.output;
    // Upright the photo is 600 x 800, so 360 x 480 from x = 140 on.
    QImage got = decodedCameraPicture(slot(camera, 5));
    EXPECT_TRUE(near(got.pixelColor(170, 30), kMarker)) << "the marker is top left";
    EXPECT_TRUE(near(got.pixelColor(470, 30), QColor(40, 160, 40)));
    EXPECT_TRUE(near(got.pixelColor(170, 450), QColor(40, 160, 40)));
    EXPECT_TRUE(near(got.pixelColor(60, 240), Qt::black)) << "the margins are black";

    ASSERT_EQ(
        cliAsUser("virtual", {"send", "--fit", write("logo.png", transparentPng()), "6"}).exitCode,
        0);
    got = decodedCameraPicture(slot(camera, 6));
    EXPECT_TRUE(near(got.pixelColor(320, 240), QColor(0, 0, 255)));
    EXPECT_TRUE(near(got.pixelColor(20, 240), Qt::white)) << "transparency lies on white";
    EXPECT_TRUE(near(got.pixelColor(320, 5), Qt::black)) << "the margins are black";

    ASSERT_EQ(cliAsUser("virtual", {"send", "--fit", write("dot.gif", kRedPixelGif), "7"}).exitCode,
              0);
    got = decodedCameraPicture(slot(camera, 7));
    EXPECT_TRUE(near(got.pixelColor(320, 240), kMarker));
    EXPECT_TRUE(near(got.pixelColor(40, 240), Qt::black));

    ASSERT_EQ(
        cliAsUser("virtual", {"send", "--fit", write("noise.jpg", noisyPhoto()), "1"}).exitCode, 0);
    decodedCameraPicture(slot(camera, 1));

    // A header that claims 100 megapixels on 2 kB, one over 100 megapixels,
    // and text named .jpg: refused from the file alone, the slot untouched.
    Bytes small = encoded(QImage(64, 64, QImage::Format_RGB32), "JPG");
    small.resize(2048, 0);
    const struct {
        Bytes file;
        const char *says;
    } refused[] = {
        {claimSize(small, 10000, 10000), "declares a larger picture than the file holds"},
        {claimSize(small, 10001, 10000), "has more than 100 megapixels"},
        {Bytes{'h', 'e', 'l', 'l', 'o', '\n'}, "is not a picture that can be read"},
    };
    const Bytes before = slot(camera, 2);
    for (const auto &c : refused) {
        r = cliAsUser("virtual", {"send", "--fit", write("bad.jpg", c.file), "2"});
        EXPECT_EQ(r.exitCode, 3) << r.output;
        EXPECT_NE(r.output.find(c.says), std::string::npos) << r.output;
        EXPECT_EQ(slot(camera, 2), before);
    }
}

TEST_F(CliFit, SaysWhatItFittedAndWhatItRefusedInTheUsersLanguage) {
    env.set("LANGUAGE", "ja").unset("LC_ALL").unset("LC_MESSAGES").unset("LANG");
    const std::string text = write("note.jpg", Bytes{'h', 'e', 'l', 'l', 'o', '\n'});
    const ProcessResult refused = cliAsUser("virtual", {"send", "--fit", text, "2"});
    EXPECT_EQ(refused.exitCode, 3) << refused.output;
    EXPECT_NE(refused.output.find("ovaline-cli: " + text + " は読み込める画像ではありません\n"),
              std::string::npos)
        << refused.output;
    const ProcessResult wrongPlace = cliAsUser("virtual", {"store", "--fit", "2"});
    EXPECT_EQ(wrongPlace.exitCode, 2) << wrongPlace.output;
    EXPECT_NE(wrongPlace.output.find("--fit は send のオプションです"), std::string::npos)
        << wrongPlace.output;
    const std::string photo = write("phone.jpg", portraitPhoto());
    const ProcessResult fitted = cliAsUser("virtual", {"send", "--fit", photo, "5"});
    ASSERT_EQ(fitted.exitCode, 0) << fitted.output;
    EXPECT_NE(fitted.output.find(photo + ": 640 x 480 に合わせました ("), std::string::npos)
        << fitted.output;

    env.set("LANGUAGE", "en");
    const ProcessResult english = cliAsUser("virtual", {"send", "--fit", text, "2"});
    EXPECT_NE(english.output.find("ovaline-cli: " + text + " is not a picture that can be read\n"),
              std::string::npos)
        << english.output;
}

TEST_F(CliFit, FitsForTheUnitOnAPseudoTerminal) {
    ChildProcess unit;
    const std::string port =
        startUnit(unit, OVALINE_UNIT_PATH,
                  {"--speed", "1000", "--model", "VIHP", "--dir", (work.path() / "unit").string()});
    ASSERT_FALSE(port.empty());
    const ProcessResult r =
        cliAsUser(port, {"send", "--fit", write("logo.png", transparentPng()), "3"});
    ASSERT_EQ(r.exitCode, 0) << r.output;
    EXPECT_NE(r.output.find("fitted to 768 x 576"), std::string::npos) << r.output;
    EXPECT_EQ(unit.stop(SIGTERM), 0);
    const Bytes jpeg = slot(work.path() / "unit", 3);
    EXPECT_LE(jpeg.size(), 65535u);
    EXPECT_EQ(QImage::fromData(jpeg.data(), int(jpeg.size()), "JPG").size(), QSize(768, 576));
}

} // namespace
} // namespace ovaline::test
