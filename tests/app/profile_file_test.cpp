// SPDX-License-Identifier: MIT
// The profile: defaults, bad values, lines that cannot be read, a file that
// cannot be written, a file that is none, and a hand-written file written
// back.
#include "file_size_limit.h"
#include "profile_file.h"
#include "run_process.h"
#include "scoped_env.h"
#include "temp_dir.h"

#include <QDir>
#include <QFile>
#include <QSettings>

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <filesystem>
#include <future>
#include <sys/stat.h>
#include <unistd.h>

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
    EXPECT_EQ(IniText(read(path())).unreadableLines(), 0);
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

TEST_F(Profile, AProfileThatCannotBeRewrittenIsLeftAsItIsAndItsGoodKeysAreUsed) {
    // The program as an ordinary user whose profile is read-only, in a folder
    // that user may write, then in one he may not: it starts on the good
    // keys, says that the file is left as it is, and leaves it so at the end.
    const QByteArray written("[COM_PORT]\nCOM=2\n[COM_SPEED]\nSPEED=1\nnot a setting\n");
    write(written);
    namespace fs = std::filesystem;
    fs::permissions(folder.path(), fs::perms::all);
    fs::permissions(path().toStdString(),
                    fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    test::ScopedEnv env;
    env.set("OVALINE_ANSWER_BOXES", "1")
        .set("OVALINE_COM2", (folder.path() / "ttyUSB1").string())
        .set("QT_QPA_PLATFORM", "offscreen");
    const QString said =
        QStringLiteral("Some lines of the settings file %1 could not be read, and the file "
                       "cannot be rewritten.\nThe other settings are used. The file was left as "
                       "it is; settings changed now are not saved.")
            .arg(path());
    for (const bool folderWritable : {true, false}) {
        if (!folderWritable)
            fs::permissions(folder.path(), fs::perms::owner_all | fs::perms::group_read |
                                               fs::perms::group_exec | fs::perms::others_read |
                                               fs::perms::others_exec);
        const test::Command user = test::asUser(
            {OVALINE_WATCHED_PROGRAM_PATH, {"--nosplash", "--profile", path().toStdString()}});
        test::ChildProcess program;
        ASSERT_TRUE(program.start(user.program, user.args, 30.0));
        EXPECT_EQ(program.firstLine(), "BOX");
        EXPECT_TRUE(program.waitForOutput("COM=2 SPEED=1", 30.0)) << program.laterOutput();
        EXPECT_EQ(program.stop(SIGTERM, 5.0), 0);
        EXPECT_TRUE(QString::fromStdString(program.laterOutput()).startsWith(said))
            << program.laterOutput() << "folder writable: " << folderWritable;
        EXPECT_EQ(read(path()), written) << "folder writable: " << folderWritable;
        EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files), QStringList{"Ovaline.ini"})
            << "no copy is left beside a file left as it is";
    }
}

TEST_F(Profile, AHandWrittenProfileKeepsItsCommentsAndOrderAndACutCharacterIsABadLine) {
    write("; written by hand\n"
          "[COM_SPEED]\n"
          "# the fastest the adapter takes\n"
          "SPEED = 6\n"
          "\n"
          "[COM_PORT]\n"
          "COM=1\n"
          "; the next one is for the lab\n"
          "[PORTS]\n"
          "COM1=/dev/ttyUSB0\n");
    ProfileFile profile(path());
    ASSERT_EQ(profile.health(), ProfileFile::Health::Fine);
    EXPECT_EQ(profile.readInt("COM_SPEED", "SPEED", 2, 0, 6), 6);
    profile.writeInt("COM_PORT", "COM", 2);
    profile.writeInt("COM_SPEED", "SPEED", 6);
    profile.writeString("FOLDER", "PATH", "/home/me/a, b; c \"d\"");
    profile.writeString("PORTS", "COM2", "virtual");
    ASSERT_TRUE(profile.flush());
    EXPECT_EQ(read(path()), "; written by hand\n"
                            "[COM_SPEED]\n"
                            "# the fastest the adapter takes\n"
                            "SPEED = 6\n"
                            "\n"
                            "[COM_PORT]\n"
                            "COM=2\n"
                            "; the next one is for the lab\n"
                            "[PORTS]\n"
                            "COM1=/dev/ttyUSB0\n"
                            "COM2=virtual\n"
                            "\n"
                            "[FOLDER]\n"
                            "PATH=\"/home/me/a, b; c \\\"d\\\"\"\n");
    EXPECT_EQ(ProfileFile(path()).readString("FOLDER", "PATH"), "/home/me/a, b; c \"d\"");

    // Values read and written as QSettings reads and writes them.
    const QString awkward = QStringLiteral("@C:\\pics\\été, \"2\"; x\t ");
    {
        QSettings qt(path("qt.ini"), QSettings::IniFormat);
        qt.setValue("FOLDER/PATH", awkward);
    }
    EXPECT_EQ(ProfileFile(path("qt.ini")).readString("FOLDER", "PATH"), awkward);
    EXPECT_EQ(QSettings(path(), QSettings::IniFormat).value("FOLDER/PATH").toString(),
              "/home/me/a, b; c \"d\"");
    profile.writeString("FOLDER", "PATH", awkward);
    ASSERT_TRUE(profile.flush());
    EXPECT_EQ(QSettings(path(), QSettings::IniFormat).value("FOLDER/PATH").toString(), awkward);

    // A line whose last character was cut short is a bad line like any other.
    const QByteArray cut("[FOLDER]\nPATH=/home/caf\xc3\n[COM_PORT]\nCOM=3\n");
    write(cut);
    ProfileFile damaged(path());
    EXPECT_EQ(damaged.health(), ProfileFile::Health::CorruptKept);
    EXPECT_EQ(read(damaged.backupPath()), cut);
    EXPECT_EQ(damaged.readString("FOLDER", "PATH"), "");
    EXPECT_EQ(damaged.readInt("COM_PORT", "COM", 1, 1, 4), 3);
}

TEST_F(Profile, AProfileThatIsNoFileIsRefusedAtOnceAndNeverRead) {
    ASSERT_EQ(::mkfifo(path("pipe.ini").toLocal8Bit().constData(), 0600), 0);
    // A profile larger than any profile: sparse, so it takes no room.
    QFile large(path("large.ini"));
    ASSERT_TRUE(large.open(QIODevice::WriteOnly));
    ASSERT_TRUE(large.resize(qint64(1) << 40));
    large.close();
    for (const QString &file : {path("pipe.ini"), QStringLiteral("/dev/zero"), path("large.ini")}) {
        auto opened =
            std::async(std::launch::async, [&file] { return ProfileFile(file).health(); });
        if (opened.wait_for(std::chrono::seconds(10)) != std::future_status::ready) {
            ADD_FAILURE() << file.toStdString() << " held the profile up";
            // A writer that goes at once lets the blocked read end.
            ::close(::open(path("pipe.ini").toLocal8Bit().constData(), O_WRONLY | O_NONBLOCK));
        }
        EXPECT_EQ(opened.get(), ProfileFile::Health::Unreadable) << file.toStdString();
    }
    ProfileFile pipe(path("pipe.ini"));
    EXPECT_EQ(pipe.readInt("COM_PORT", "COM", 1, 1, 4), 1);
    pipe.writeInt("COM_PORT", "COM", 2);
    EXPECT_FALSE(pipe.flush());
    EXPECT_TRUE(pipe.healthMessage().contains("left as it is"));
}

} // namespace
} // namespace ovaline::app
