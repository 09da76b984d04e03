// SPDX-License-Identifier: MIT
#pragma once

#include <QList>

// The system's error codes of this platform (errno values on POSIX,
// Windows' own codes), one unit per platform.
struct NamedCode {
    const char *name;
    int code;
};

// Every code a file operation of the program can meet.
QList<NamedCode> fileErrorCodes();
// Those the export meets where the system cannot do what it asks.
QList<NamedCode> unsupportedCodes();

// The code a file unit reports for each refusal the file tests make happen.
namespace expectedCode {
extern const int folder;        // a folder where a file is wanted (0 where the system has none)
extern const int missingFolder; // a folder on the path is missing
extern const int belowAFile;    // a file on the path where a folder should be
extern const int missingFile;   // opening a file that is not there
extern const int readOnly;      // writing a file its owner made read-only
} // namespace expectedCode
