// SPDX-License-Identifier: MIT
#pragma once

#include <memory>
#include <optional>
#include <string>

struct xcb_connection_t;

// What the X server saw of one start of a program.
struct FirstPaint {
    double seconds = 0; // from just before the program's start to its first drawing
    int width = 0;      // of the window drawn into
    int height = 0;
    double cpuSeconds = 0; // the processor time the program used by then
};

// Starts programs on the X display of $DISPLAY and times their first
// drawing, seen from outside through the X DAMAGE extension: the program
// needs no hook, and what is measured is what a user would see. Qt's
// windows have no background of their own, so mapping a window draws
// nothing and the first damage is the program's first painted frame.
//
// One connection serves every start: Xvfb resets itself, and refuses
// connections for a while, whenever its last client leaves.
class FirstPaintWatch {
public:
    FirstPaintWatch();
    ~FirstPaintWatch();

    // False when there is no display or it lacks the DAMAGE extension.
    bool isReady() const;

    // Starts `program` (with the xcb platform, whatever QT_QPA_PLATFORM
    // says), waits for the first drawing into one of its top-level windows
    // and ends it again at once. Nothing when it drew nothing within `timeoutSeconds`.
    std::optional<FirstPaint> measure(const std::string &program, double timeoutSeconds);

private:
    struct Disconnect {
        void operator()(xcb_connection_t *c) const;
    };
    std::unique_ptr<xcb_connection_t, Disconnect> m_connection;
    unsigned m_root = 0;
    int m_damageNotify = -1; // the event's type on this server
};
