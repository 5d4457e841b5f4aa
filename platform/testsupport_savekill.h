#pragma once

// Kills a saving process at a chosen stage of a whole-file replace (see savestage.h): the
// child reports each stage it reaches through a pipe and waits there until the parent lets
// it go on or kills it, so the kill lands exactly at that stage, however busy the machine.
// Header-only and free of any test framework. POSIX only.

#include <csignal>
#include <filesystem>
#include <functional>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

#include "platform/savestage.h"

namespace kvr::test {

// A temporary file of replaceFileAtomically for target: beside it, named
// "<name>.tmp-<pid>-<counter>".
inline bool isTemporaryOf(const std::filesystem::path &file, const std::filesystem::path &target)
{
    return file.parent_path() == target.parent_path()
        && file.filename().string().starts_with(target.filename().string() + ".tmp-");
}

inline int countTemporaries(const std::string &target)
{
    const std::filesystem::path path(target);
    int count = 0;
    for (const auto &entry : std::filesystem::directory_iterator(path.parent_path()))
        count += isTemporaryOf(entry.path(), path) ? 1 : 0;
    return count;
}

struct StageKill
{
    SaveStage stage;
    int occurrence; // 1 for the first time any replace in the child reaches stage
};

// Forks a child that calls save(1), save(2), save(3), … and kills it with SIGKILL when it
// reaches at.stage for the at.occurrence-th time. True when it died there; false when it
// ended by itself first (a save failed).
inline bool killSaverAt(const std::function<bool(int)> &save, StageKill at)
{
    int report[2];
    int resume[2];
    if (::pipe(report) != 0)
        return false;
    if (::pipe(resume) != 0) {
        ::close(report[0]);
        ::close(report[1]);
        return false;
    }
    const pid_t child = ::fork();
    if (child < 0) {
        for (const int fd : { report[0], report[1], resume[0], resume[1] })
            ::close(fd);
        return false;
    }
    if (child == 0) {
        ::close(report[0]);
        ::close(resume[1]);
        static int fds[2];
        fds[0] = report[1];
        fds[1] = resume[0];
        setSaveStageHook(
            [](SaveStage stage, void *context) {
                const int *pipes = static_cast<const int *>(context);
                const char reached = static_cast<char>(stage);
                char go = 0;
                if (::write(pipes[0], &reached, 1) != 1 || ::read(pipes[1], &go, 1) != 1)
                    ::_exit(4);
            },
            fds);
        for (int n = 1;; ++n) {
            if (!save(n))
                ::_exit(3);
        }
    }
    ::close(report[1]);
    ::close(resume[0]);
    int seen = 0;
    bool killed = false;
    char reached = 0;
    while (!killed && ::read(report[0], &reached, 1) == 1) {
        if (static_cast<SaveStage>(reached) == at.stage && ++seen == at.occurrence)
            killed = ::kill(child, SIGKILL) == 0;
        else if (::write(resume[1], "g", 1) != 1)
            break;
    }
    ::close(report[0]);
    ::close(resume[1]);
    int status = 0;
    ::waitpid(child, &status, 0);
    return killed && WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL;
}

} // namespace kvr::test
