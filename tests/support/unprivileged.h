// Running a check as a user without privileges, as a player meets the file system: root may
// write into any folder, which would hide what the check is about.
#pragma once

#include <sys/wait.h>
#include <unistd.h>

#include <functional>
#include <optional>
#include <string>

// The user id that owns nothing; every Linux system has it.
constexpr uid_t NOBODY = 65534;

// Runs `check` in this process when it has no privileges, else in a child that has given them up
// for good. The result is what `check` returned (empty when all was well), or none when no
// unprivileged run was possible.
inline std::optional<std::string> AsUnprivilegedUser(const std::function<std::string()>& check) {
    if (geteuid() != 0) {
        return check();
    }
    int channel[2];
    if (pipe(channel) != 0) {
        return std::nullopt;
    }
    const pid_t child = fork();
    if (child == 0) {
        close(channel[0]);
        std::string result = "cannot drop privileges";
        if (setgid(NOBODY) == 0 && setuid(NOBODY) == 0) {
            result = "ok:" + check();
        }
        ssize_t written = write(channel[1], result.data(), result.size());
        _exit(written == static_cast<ssize_t>(result.size()) ? 0 : 1);
    }
    close(channel[1]);
    std::string reply;
    char buffer[256];
    for (ssize_t got; (got = read(channel[0], buffer, sizeof buffer)) > 0;) {
        reply.append(buffer, static_cast<size_t>(got));
    }
    close(channel[0]);
    int status = 0;
    if (child < 0 || waitpid(child, &status, 0) != child || reply.rfind("ok:", 0) != 0) {
        return std::nullopt;
    }
    return reply.substr(3);
}
