// SPDX-License-Identifier: MIT
// The listing of a folder's small JPEG files, and folders that try to trip it.
#include "jpeg_listing.h"
#include "ovaline_app.h"
#include "temp_dir.h"

#include <QFile>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace ovaline::test {
namespace {

namespace fs = std::filesystem;

void writeFile(const fs::path &path, std::size_t size) {
    std::ofstream(path, std::ios::binary) << std::string(size, 'x');
}

// The folder listed and stored as the current folder, as the program does.
int listInto(app::COvalineAppState &state, const QString &folder) {
    return folder::StoreFolderListing(state, folder,
                                      folder::listReadableFolder(folder).value_or(QStringList()));
}

QStringList listed(const app::COvalineAppState &state) {
    QStringList names;
    for (int k = 0; k < state.m_nFiles; ++k)
        names << state.m_strFiles[k];
    return names;
}

TEST(FolderListing, SmallJpegFilesOfAnyCaseInNameOrder) {
    TempDir dir;
    writeFile(dir.path() / "b.jpg", 10);
    writeFile(dir.path() / "A.JPEG", 10);
    writeFile(dir.path() / "c.Jpg", 65535);
    writeFile(dir.path() / "d.jpg", 65536);
    writeFile(dir.path() / "e.png", 10);
    writeFile(dir.path() / "jpg", 10);
    writeFile(dir.path() / "a.jpeg", 10);

    app::COvalineAppState state;
    state.m_nSelItem = 9;
    state.m_strFiles[5] = "stale.jpg";
    const QString folder = QString::fromStdString(dir.str());
    EXPECT_EQ(listInto(state, folder), 4);
    EXPECT_EQ(listed(state), QStringList({"A.JPEG", "a.jpeg", "b.jpg", "c.Jpg"}));
    EXPECT_EQ(state.m_strFolder, folder);
    EXPECT_TRUE(state.m_strFiles[5].isEmpty());
    EXPECT_EQ(state.m_nSelItem, 0);
    EXPECT_EQ(state.m_bFolderChanged, 1);

    // A folder that is gone cannot be listed.
    EXPECT_EQ(folder::listReadableFolder(folder + "/gone"), std::nullopt);
}

TEST(FolderListing, AHundredFilesGiveSeventyOfTheFirstSeventyOneExamined) {
    TempDir dir;
    for (int i = 0; i < 100; ++i)
        writeFile(dir.path() / QString("p%1.jpg").arg(i, 3, 10, QChar('0')).toStdString(), 100);
    app::COvalineAppState state;
    EXPECT_EQ(listInto(state, QString::fromStdString(dir.str())), 71);
    EXPECT_EQ(state.m_nFiles, 70);
    EXPECT_EQ(state.m_strFiles[0], "p000.jpg");
    EXPECT_EQ(state.m_strFiles[69], "p069.jpg");
    EXPECT_EQ(state.m_strFiles[70], "p070.jpg"); // stored, not counted

    // A large file among the first 71 is examined and skipped: 70 remain.
    writeFile(dir.path() / "p005.jpg", 70000);
    EXPECT_EQ(listInto(state, QString::fromStdString(dir.str())), 70);
    EXPECT_EQ(state.m_nFiles, 70);
    EXPECT_EQ(state.m_strFiles[5], "p006.jpg");
}

TEST(FolderListing, AHostileFolderNeitherHangsNorListsWhatCannotBeRead) {
    TempDir dir;
    const fs::path d = dir.path();
    writeFile(d / "good.jpg", 100);
    ASSERT_EQ(::mkfifo((d / "fifo.jpg").c_str(), 0600), 0);
    const int sock = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const std::string socketPath = (d / "socket.jpg").string();
    ASSERT_LT(socketPath.size(), sizeof address.sun_path);
    socketPath.copy(address.sun_path, socketPath.size());
    ASSERT_EQ(::bind(sock, reinterpret_cast<sockaddr *>(&address), sizeof address), 0);
    fs::create_directory(d / "x.jpg");
    fs::create_symlink("loop.jpg", d / "loop.jpg");
    fs::create_symlink("good.jpg", d / "link.jpg");
    fs::create_symlink("missing.jpg", d / "dangling.jpg");
    writeFile(d / "bad\xff\xfe.jpg", 100);
    writeFile(d / "secret.jpg", 100);
    fs::permissions(d / "secret.jpg", fs::perms::none);

    app::COvalineAppState state;
    listInto(state, QString::fromStdString(dir.str()));
    QStringList expected{"good.jpg", "link.jpg"};
    if (::geteuid() == 0) // permissions do not hold for root
        expected << "secret.jpg";
    EXPECT_EQ(listed(state), expected);
    ::close(sock);

    // An unreadable folder cannot be listed.
    if (::geteuid() != 0) {
        fs::permissions(d, fs::perms::none);
        EXPECT_EQ(folder::listReadableFolder(QString::fromStdString(dir.str())), std::nullopt);
        fs::permissions(d, fs::perms::owner_all);
    }
}

} // namespace
} // namespace ovaline::test
