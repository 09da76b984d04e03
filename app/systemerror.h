// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

#include <span>

// The reason, in Chinese, for an error code that a file operation of this
// program can meet (errno on Linux), for the line below a failure's
// sentence. Empty for 0 (no code); a code without a reason of its own
// gives "系统错误 (代码 N)". The system's own texts are never shown: they
// follow the system's language, not the program's.
QString systemErrorReason(int code);

// One line of a platform's table (systemerror_posix.cpp: errno values,
// systemerror_win.cpp: Windows error codes).
struct SystemErrorReason {
    long long code;
    const char16_t *reason;
};
std::span<const SystemErrorReason> platformErrorReasons();
