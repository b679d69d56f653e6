// SPDX-License-Identifier: MIT
#include "as_user.h"

#include <grp.h>
#include <sys/wait.h>
#include <unistd.h>

namespace ovaline::test {
namespace {

constexpr uid_t kNobody = 65534;

} // namespace

std::string asOrdinaryUser(const std::function<std::string()> &work) {
    int pipeFds[2];
    if (::pipe(pipeFds) != 0)
        return "as-user failed: no pipe";
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(pipeFds[0]);
        if (::geteuid() == 0 &&
            (::setgroups(0, nullptr) != 0 || ::setgid(kNobody) != 0 || ::setuid(kNobody) != 0))
            ::_exit(1);
        const std::string result = work();
        if (::write(pipeFds[1], result.data(), result.size()) < 0)
            ::_exit(1);
        ::_exit(0);
    }
    ::close(pipeFds[1]);
    std::string result;
    char buffer[256];
    for (ssize_t got; (got = ::read(pipeFds[0], buffer, sizeof buffer)) > 0;)
        result.append(buffer, static_cast<std::size_t>(got));
    ::close(pipeFds[0]);
    int status = 0;
    ::waitpid(child, &status, 0);
    if (child < 0 || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return "as-user failed: the child did not run";
    return result;
}

} // namespace ovaline::test
