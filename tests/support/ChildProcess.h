#pragma once

#include <csignal>
#include <cstring>
#include <functional>
#include <string>

#include <grp.h>
#include <sys/wait.h>
#include <unistd.h>

namespace vemo::test {

// The ids of "nobody": an ordinary user that exists without any account being made.
constexpr uid_t NobodyUserId = 65534;
constexpr gid_t NobodyGroupId = 65534;

inline bool canActAsOrdinaryUser() {
    return ::geteuid() == 0;
}

// Runs `body` in a forked child, as "nobody" when asked (only root can switch), and returns what
// the child reported: empty when all went as expected, otherwise its words or how it died. The
// child leaves through _exit, so nothing of the test process runs twice.
inline std::string inChildProcess(const std::function<std::string()>& body,
                                  bool asOrdinaryUser = false) {
    int pipeEnds[2];
    if (::pipe(pipeEnds) != 0) return "no pipe to the child";
    const pid_t child = ::fork();
    if (child < 0) return "no child process";
    if (child == 0) {
        ::close(pipeEnds[0]);
        std::string report;
        if (asOrdinaryUser && (::setgroups(0, nullptr) != 0 || ::setgid(NobodyGroupId) != 0 ||
                               ::setuid(NobodyUserId) != 0))
            report = "could not become the ordinary user";
        else
            report = body();
        const ssize_t written = ::write(pipeEnds[1], report.data(), report.size());
        ::_exit(written == static_cast<ssize_t>(report.size()) ? 0 : 1);
    }
    ::close(pipeEnds[1]);
    std::string report;
    char buffer[256];
    for (ssize_t got; (got = ::read(pipeEnds[0], buffer, sizeof buffer)) > 0;)
        report.append(buffer, static_cast<std::size_t>(got));
    ::close(pipeEnds[0]);
    int status = 0;
    ::waitpid(child, &status, 0);
    if (WIFSIGNALED(status))
        return report + "child killed by signal " + std::to_string(WTERMSIG(status)) + " (" +
               ::strsignal(WTERMSIG(status)) + ")";
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return report + "child ended with status " + std::to_string(status);
    return report;
}

} // namespace vemo::test
