#include "platform/host/qt/ProcessLaunch.h"

#include <spawn.h>
#include <sys/wait.h>

#include <cerrno>
#include <optional>
#include <thread>

extern char** environ;

namespace {

std::optional<pid_t> Spawn(const std::vector<std::string>& argv)
{
    if (argv.empty())
        return std::nullopt;
    std::vector<char*> args;
    args.reserve(argv.size() + 1);
    for (const std::string& a : argv)
        args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    pid_t pid = 0;
    if (posix_spawnp(&pid, args[0], nullptr, nullptr, args.data(), environ) != 0)
        return std::nullopt;
    return pid;
}

// The child's wait status; nothing when it cannot be had (for instance when SIGCHLD is ignored
// and the system reaped the child itself: its result is then unknown, not a success).
std::optional<int> WaitFor(pid_t pid)
{
    int status = 0;
    while (waitpid(pid, &status, 0) < 0) {
        if (errno != EINTR)
            return std::nullopt;
    }
    return status;
}

} // namespace

bool LaunchDetached(const std::vector<std::string>& argv)
{
    std::optional<pid_t> pid = Spawn(argv);
    if (!pid)
        return false;
    // A browser launcher may run for as long as the browser does; nobody waits for it, but its
    // exit status still has to be collected so that it does not linger as a zombie.
    std::thread([child = *pid] { WaitFor(child); }).detach();
    return true;
}

TProgramExit RunAndWait(const std::vector<std::string>& argv)
{
    TProgramExit result;
    std::optional<pid_t> pid = Spawn(argv);
    if (!pid)
        return result;
    result.Started = true;
    std::optional<int> status = WaitFor(*pid);
    if (status && WIFEXITED(*status)) {
        result.Exited = true;
        result.ExitCode = WEXITSTATUS(*status);
    }
    return result;
}
