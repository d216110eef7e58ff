#include "platform/Process.h"

#include <cerrno>
#include <spawn.h>
#include <string>
#include <sys/wait.h>

extern char** environ;

namespace platform {

std::optional<int> runAndWait(const Text& program, const std::vector<Text>& arguments) {
    std::vector<std::string> utf8;
    utf8.reserve(arguments.size() + 1);
    utf8.push_back(toUtf8(program));
    for (const Text& argument : arguments) {
        utf8.push_back(toUtf8(argument));
    }
    std::vector<char*> argv;
    for (std::string& argument : utf8) {
        argv.push_back(argument.data());
    }
    argv.push_back(nullptr);

    // posix_spawn reports a failed exec as its own error, so "could not start" is exact.
    pid_t pid = 0;
    if (::posix_spawn(&pid, utf8.front().c_str(), nullptr, nullptr, argv.data(), environ) != 0) {
        return std::nullopt;
    }
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0) {
        if (errno != EINTR) {
            return -1; // started, but reaped elsewhere (SIGCHLD ignored)
        }
    }
    if (WIFSIGNALED(status)) {
        return 128 + WTERMSIG(status);
    }
    return WEXITSTATUS(status);
}

} // namespace platform
