// SPDX-License-Identifier: MIT
// scripts/install-deps as CI and a fresh desktop run it: a package whose
// triggers are still to run counts as installed, and another package
// manager holding its locks is waited for. dpkg's database and apt's state
// are copies in a folder of the test (DPKG_ADMINDIR for dpkg-query,
// APT_CONFIG for apt-get), so the machine's packages stay as they are.
#include "run_process.h"
#include "scoped_env.h"
#include "temp_dir.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>

namespace ovaline::test {
namespace {

namespace fs = std::filesystem;

const fs::path kStatus = "/var/lib/dpkg/status";

// Holds a lock as dpkg and apt take it (a POSIX record lock) until released.
class PackageLock {
public:
    explicit PackageLock(const fs::path &file)
        : fd_(::open(file.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0640)) {
        struct flock whole {};
        whole.l_type = F_WRLCK;
        whole.l_whence = SEEK_SET;
        held_ = fd_ >= 0 && ::fcntl(fd_, F_SETLK, &whole) == 0;
    }
    ~PackageLock() { release(); }
    PackageLock(const PackageLock &) = delete;
    PackageLock &operator=(const PackageLock &) = delete;

    bool held() const { return held_; }
    void release() {
        if (fd_ >= 0)
            ::close(fd_);
        fd_ = -1;
    }

private:
    int fd_;
    bool held_ = false;
};

class InstallDeps : public ::testing::Test {
protected:
    void SetUp() override {
        if (!fs::exists(kStatus))
            GTEST_SKIP() << "no dpkg database on this machine";
        fs::create_directories(dpkgDir() / "updates");
        for (const char *dir :
             {"apt/dpkg", "apt/lists/partial", "apt/cache/archives/partial", "apt/sources.list.d"})
            fs::create_directories(dir_.path() / dir);
        fs::copy_file(kStatus, dir_.path() / "apt/dpkg/status");
        std::ofstream(dir_.path() / "apt/sources.list").flush();
        std::ofstream config(dir_.path() / "apt/apt.conf");
        for (const auto &[key, path] : {std::pair{"Dir::State::status", "apt/dpkg/status"},
                                        {"Dir::State::Lists", "apt/lists"},
                                        {"Dir::Cache", "apt/cache"},
                                        {"Dir::Etc::SourceList", "apt/sources.list"},
                                        {"Dir::Etc::SourceParts", "apt/sources.list.d"},
                                        {"Dir::Log", "apt"}})
            config << key << " \"" << (dir_.path() / path).string() << "\";\n";
        env_.set("DPKG_ADMINDIR", dpkgDir().string())
            .set("APT_CONFIG", (dir_.path() / "apt/apt.conf").string());
    }

    fs::path dpkgDir() const { return dir_.path() / "dpkg"; }
    fs::path aptDir() const { return dir_.path() / "apt"; }

    // dpkg's database as dpkg-query sees it: the machine's, with each
    // package's paragraph changed by `edit` (an empty result drops it).
    void writeDpkgStatus(const std::function<std::string(const std::string &)> &edit) const {
        std::ifstream in(kStatus);
        std::stringstream whole;
        whole << in.rdbuf();
        const std::string text = whole.str();
        std::ofstream out(dpkgDir() / "status");
        for (std::size_t at = 0; at < text.size();) {
            std::size_t end = text.find("\n\n", at);
            end = end == std::string::npos ? text.size() : end + 2;
            out << edit(text.substr(at, end - at));
            at = end;
        }
    }

    static std::string installDeps() { return OVALINE_INSTALL_DEPS_PATH; }

private:
    TempDir dir_;
    ScopedEnv env_;
};

std::string withStatus(const std::string &paragraph, const std::string &status,
                       const std::string &extra = {}) {
    std::string changed = paragraph;
    const std::string installed = "Status: install ok installed\n";
    const std::size_t at = changed.find(installed);
    if (at != std::string::npos)
        changed.replace(at, installed.size(), "Status: " + status + "\n" + extra);
    return changed;
}

bool isPackage(const std::string &paragraph, const std::string &name) {
    return paragraph.rfind("Package: " + name + "\n", 0) == 0;
}

TEST_F(InstallDeps, APackageWhoseTriggersArePendingCountsAsInstalled) {
    writeDpkgStatus([](const std::string &paragraph) {
        return isPackage(paragraph, "file") ? withStatus(paragraph, "install ok triggers-pending",
                                                         "Triggers-Pending: ldconfig\n")
                                            : paragraph;
    });
    const ProcessResult run = runProcess(installDeps(), {});
    EXPECT_EQ(run.exitCode, 0) << run.output;
    EXPECT_EQ(run.output, "") << "nothing is missing, so nothing is installed";
}

TEST_F(InstallDeps, AnotherPackageManagerIsWaitedForAndThenTheInstallSucceeds) {
    if (::geteuid() != 0)
        GTEST_SKIP() << "without root install-deps goes through sudo, which drops APT_CONFIG";
    // Removed with its configuration files kept: dpkg still knows its
    // version, but nothing of it is installed.
    writeDpkgStatus([](const std::string &paragraph) {
        return isPackage(paragraph, "file") ? withStatus(paragraph, "deinstall ok config-files")
                                            : paragraph;
    });
    // Held as an unattended upgrade holds them: the package lists while it
    // updates them, dpkg's front end while it installs.
    PackageLock lists(aptDir() / "lists/lock");
    PackageLock dpkg(aptDir() / "dpkg/lock-frontend");
    ASSERT_TRUE(lists.held() && dpkg.held());

    ChildProcess run;
    ASSERT_TRUE(run.start(installDeps(), {}, 30, (aptDir() / "errors").string()));
    EXPECT_EQ(run.firstLine(), "install-deps: installing file");
    ASSERT_TRUE(run.waitForOutput("install-deps: waiting for another package manager", 30))
        << run.laterOutput();
    lists.release();
    ASSERT_TRUE(run.waitForOutput("Waiting for cache lock", 30)) << run.laterOutput();
    dpkg.release();
    EXPECT_EQ(run.wait(), 0) << run.laterOutput();
    EXPECT_NE(run.laterOutput().find("file is already the newest version"), std::string::npos)
        << run.laterOutput();
}

} // namespace
} // namespace ovaline::test
