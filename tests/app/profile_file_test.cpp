// SPDX-License-Identifier: MIT
// The profile: defaults, bad values, lines that cannot be read, a file that
// cannot be written.
#include "file_size_limit.h"
#include "profile_file.h"
#include "temp_dir.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

namespace ovaline::app {
namespace {

using test::TempDir;

class Profile : public ::testing::Test {
protected:
    QString path(const char *name = "Ovaline.ini") const {
        return QString::fromStdString((folder.path() / name).string());
    }
    void write(const QByteArray &content) {
        QFile file(path());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(content);
    }
    static QByteArray read(const QString &path) {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    TempDir folder;
};

TEST_F(Profile, AMissingFileGivesTheDefaultsAndIsWrittenOnFlush) {
    ProfileFile profile(path());
    EXPECT_EQ(profile.health(), ProfileFile::Health::Fine);
    EXPECT_TRUE(profile.healthMessage().isEmpty());
    EXPECT_EQ(profile.readInt("COM_PORT", "COM", 1, 1, 4), 1);
    profile.writeInt("COM_PORT", "COM", 3);
    ASSERT_TRUE(profile.flush());
    EXPECT_EQ(ProfileFile(path()).readInt("COM_PORT", "COM", 1, 1, 4), 3);
}

TEST_F(Profile, ValuesOutOfRangeOrNotNumbersFallBackToTheirDefaults) {
    write("[COM_PORT]\nCOM=9\n[COM_SPEED]\nSPEED=-3\n[MAIN_WND]\nWIDTH=wide\nHEIGHT= 300 \n");
    ProfileFile profile(path());
    EXPECT_EQ(profile.health(), ProfileFile::Health::Fine);
    EXPECT_EQ(profile.readInt("COM_PORT", "COM", 1, 1, 4), 1);
    EXPECT_EQ(profile.readInt("COM_SPEED", "SPEED", 2, 0, 6), 2);
    EXPECT_EQ(profile.readInt("MAIN_WND", "WIDTH", 640, 1, 32767), 640);
    EXPECT_EQ(profile.readInt("MAIN_WND", "HEIGHT", 480, 1, 32767), 300);
}

TEST_F(Profile, LinesThatCannotBeReadAreDroppedAndEveryGoodKeyIsKept) {
    const char bytes[] = "[COM_PORT]\nCOM=3\n\x89PNG\x00\x01\xff binary\n"
                         "not a setting\n[MAIN_WND]\nWIDTH=800\n";
    const QByteArray damaged(bytes, sizeof bytes - 1);
    write(damaged);
    ProfileFile profile(path());
    ASSERT_EQ(profile.health(), ProfileFile::Health::CorruptKept);
    EXPECT_EQ(profile.backupPath(), path("Ovaline.ini.corrupt"));
    EXPECT_EQ(read(profile.backupPath()), damaged);
    EXPECT_TRUE(profile.healthMessage().contains(QDir::toNativeSeparators(profile.backupPath())));
    EXPECT_EQ(profile.readInt("COM_PORT", "COM", 1, 1, 4), 3);
    EXPECT_EQ(profile.readInt("MAIN_WND", "WIDTH", 640, 1, 32767), 800);

    profile.writeInt("COM_PORT", "COM", 2);
    ASSERT_TRUE(profile.flush());
    EXPECT_TRUE(ProfileFile::isWellFormed(read(path())));
    EXPECT_FALSE(read(path()).contains("PNG"));
    EXPECT_EQ(ProfileFile(path()).readInt("MAIN_WND", "WIDTH", 640, 1, 32767), 800);

    // A second damaged file does not replace the first copy.
    write("not an ini line\n");
    EXPECT_EQ(ProfileFile(path()).backupPath(), path("Ovaline.ini.corrupt.1"));
    EXPECT_EQ(read(path("Ovaline.ini.corrupt")), damaged);
}

TEST_F(Profile, ACorruptFileThatCannotBeCopiedIsLeftAloneAndNeverWritten) {
    const QByteArray garbage("garbage without structure\n");
    write(garbage);
    std::unique_ptr<ProfileFile> profile;
    {
        test::FileSizeLimit full(0);
        profile = std::make_unique<ProfileFile>(path());
    }
    ASSERT_EQ(profile->health(), ProfileFile::Health::CorruptLeft);
    EXPECT_FALSE(profile->healthMessage().isEmpty());
    profile->writeInt("COM_PORT", "COM", 2);
    EXPECT_FALSE(profile->flush());
    EXPECT_EQ(read(path()), garbage);
}

TEST_F(Profile, AFileThatCannotBeWrittenReportsItAndKeepsTheOldOne) {
    write("[COM_PORT]\nCOM=2\n");
    ProfileFile blocked(path("Ovaline.ini") + "/Ovaline.ini"); // under a file, not a folder
    blocked.writeInt("COM_PORT", "COM", 4);
    EXPECT_FALSE(blocked.flush());
    EXPECT_TRUE(blocked.writeFailureMessage().contains("Ovaline.ini"));
    EXPECT_EQ(read(path()), "[COM_PORT]\nCOM=2\n");
}

TEST(ProfileText, WellFormedMeansSectionsPairsCommentsAndBlankLines) {
    EXPECT_TRUE(ProfileFile::isWellFormed("; note\n[A]\nB=1\n\n# more\nC = x y\n"));
    EXPECT_TRUE(ProfileFile::isWellFormed(""));
    EXPECT_FALSE(ProfileFile::isWellFormed("[A]\njust words\n"));
    EXPECT_FALSE(ProfileFile::isWellFormed(QByteArray("[A]\nB=1\0\n", 9)));
    EXPECT_FALSE(ProfileFile::isWellFormed("[A]\nB=\xff\xfe\n"));
    EXPECT_EQ(ProfileFile::readableLines("[A]\r\nB=1\r\njunk\n\n; c\nC=\xff\n"),
              "[A]\r\nB=1\r\n; c\n");
}

} // namespace
} // namespace ovaline::app
