// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>

#include <csignal>
#include <functional>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

struct ChildResult {
    bool exited = false; // false: no child, or it did not end by exit()
    int code = -1;
    QByteArray output;
};

// Runs `work` in a child process whose files may grow to `limit` bytes at
// most and which ignores SIGXFSZ, so that a write past the limit fails with
// EFBIG or comes out short, as on a full disk, even for root. `work` returns
// the child's exit code and may put text into its argument, which comes
// back as `output`. Exit code 99 means the limit could not be set.
// With `ignoreSignal` false the child keeps SIGXFSZ's default action, which
// ends it unless `work` itself ignores the signal.
inline ChildResult runWithFileSizeLimit(rlim_t limit, const std::function<int(QByteArray &)> &work,
                                        bool ignoreSignal = true)
{
    int pipeFds[2];
    if (::pipe(pipeFds) != 0)
        return {};
    const pid_t child = ::fork();
    if (child < 0)
        return {};
    if (child == 0) {
        ::close(pipeFds[0]);
        ::signal(SIGXFSZ, ignoreSignal ? SIG_IGN : SIG_DFL);
        const rlimit size{limit, limit};
        if (::setrlimit(RLIMIT_FSIZE, &size) != 0)
            ::_exit(99);
        QByteArray output;
        const int code = work(output);
        [[maybe_unused]] const ssize_t sent =
            ::write(pipeFds[1], output.constData(), size_t(output.size()));
        ::_exit(code);
    }
    ::close(pipeFds[1]);
    ChildResult result;
    char buffer[256];
    for (ssize_t n; (n = ::read(pipeFds[0], buffer, sizeof buffer)) > 0;)
        result.output.append(buffer, n);
    ::close(pipeFds[0]);
    int status = 0;
    if (::waitpid(child, &status, 0) == child && WIFEXITED(status)) {
        result.exited = true;
        result.code = WEXITSTATUS(status);
    }
    return result;
}
