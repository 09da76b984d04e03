// SPDX-License-Identifier: MIT
#include "firstpaint.h"

#include <xcb/damage.h>
#include <xcb/xcb.h>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char **environ;

namespace {

using Clock = std::chrono::steady_clock;

// Waits until the server has handled every request sent so far.
void sync(xcb_connection_t *c)
{
    std::free(xcb_get_input_focus_reply(c, xcb_get_input_focus(c), nullptr));
}

// The program with its output discarded and the xcb platform chosen.
pid_t start(const std::string &program)
{
    std::vector<std::string> environment{"QT_QPA_PLATFORM=xcb"};
    for (char **e = environ; *e; ++e) {
        if (std::strncmp(*e, "QT_QPA_PLATFORM=", 16) != 0)
            environment.emplace_back(*e);
    }
    std::vector<char *> envp;
    for (std::string &e : environment)
        envp.push_back(e.data());
    envp.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    std::string path = program;
    char *argv[] = {path.data(), nullptr};
    pid_t pid = -1;
    if (posix_spawn(&pid, path.c_str(), &actions, nullptr, argv, envp.data()) != 0)
        pid = -1;
    posix_spawn_file_actions_destroy(&actions);
    return pid;
}

// Ends the program and returns the processor time it used.
double stop(pid_t pid)
{
    kill(pid, SIGTERM);
    int status = 0;
    rusage usage{};
    wait4(pid, &status, 0, &usage);
    const auto seconds = [](const timeval &t) { return double(t.tv_sec) + t.tv_usec / 1e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

} // namespace

void FirstPaintWatch::Disconnect::operator()(xcb_connection_t *c) const
{
    xcb_disconnect(c);
}

FirstPaintWatch::FirstPaintWatch() : m_connection(xcb_connect(nullptr, nullptr))
{
    xcb_connection_t *c = m_connection.get();
    if (xcb_connection_has_error(c))
        return;
    const xcb_query_extension_reply_t *damage = xcb_get_extension_data(c, &xcb_damage_id);
    if (!damage || !damage->present)
        return;
    std::free(xcb_damage_query_version_reply(c, xcb_damage_query_version(c, 1, 1), nullptr));
    m_damageNotify = damage->first_event + XCB_DAMAGE_NOTIFY;

    // Every window made on the root is reported to us before it is shown.
    m_root = xcb_setup_roots_iterator(xcb_get_setup(c)).data->root;
    const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(c, m_root, XCB_CW_EVENT_MASK, &mask);
    sync(c);
}

FirstPaintWatch::~FirstPaintWatch() = default;

bool FirstPaintWatch::isReady() const
{
    return m_damageNotify >= 0 && !xcb_connection_has_error(m_connection.get());
}

std::optional<FirstPaint> FirstPaintWatch::measure(const std::string &program,
                                                   double timeoutSeconds)
{
    if (!isReady())
        return std::nullopt;
    xcb_connection_t *c = m_connection.get();
    // What the last program left behind is not this one's.
    sync(c);
    while (xcb_generic_event_t *event = xcb_poll_for_event(c))
        std::free(event);

    const Clock::time_point begin = Clock::now();
    const pid_t pid = start(program);
    if (pid < 0)
        return std::nullopt;
    const Clock::time_point deadline = begin
                                       + std::chrono::duration_cast<Clock::duration>(
                                           std::chrono::duration<double>(timeoutSeconds));

    std::optional<FirstPaint> result;
    while (!result && !xcb_connection_has_error(c)) {
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
        if (left.count() <= 0)
            break;
        pollfd fd{xcb_get_file_descriptor(c), POLLIN, 0};
        poll(&fd, 1, int(left.count()));
        while (xcb_generic_event_t *event = xcb_poll_for_event(c)) {
            const Clock::time_point now = Clock::now();
            const int type = event->response_type & 0x7F;
            if (type == XCB_CREATE_NOTIFY) {
                // The damage object goes with the window when it is destroyed.
                const auto *created = reinterpret_cast<xcb_create_notify_event_t *>(event);
                xcb_damage_create(c, xcb_generate_id(c), created->window,
                                  XCB_DAMAGE_REPORT_LEVEL_NON_EMPTY);
                xcb_flush(c);
            } else if (type == m_damageNotify && !result) {
                const auto *notify = reinterpret_cast<xcb_damage_notify_event_t *>(event);
                result = FirstPaint{std::chrono::duration<double>(now - begin).count(),
                                    notify->geometry.width, notify->geometry.height};
            }
            std::free(event);
        }
    }
    const double cpu = stop(pid);
    if (result)
        result->cpuSeconds = cpu;
    return result;
}
