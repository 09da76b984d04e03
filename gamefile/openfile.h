// SPDX-License-Identifier: MIT
#pragma once

#include <QString>
#include <QtGlobal>

#include <memory>
#include <optional>

namespace gamefile {

// One open game file, through the platform's own calls (openfile_posix.cpp,
// openfile_win.cpp): 64-bit positions everywhere, every step's system
// error code kept. Reads and writes are positioned and never move a
// shared file position.
class OpenFile {
public:
    enum class Mode { Read, ReadWrite };
    enum class Refusal { NotRegularFile, Failed };

    // Opens an existing file (never creates one) and checks that it is a
    // regular file. A file without write permission is refused for
    // ReadWrite, as root too.
    struct Opened;
    static Opened open(const QString &path, Mode mode);

    ~OpenFile();
    OpenFile(const OpenFile &) = delete;
    OpenFile &operator=(const OpenFile &) = delete;

    // The file's length now, or nothing (errorCode() set).
    std::optional<qint64> size();
    // Bytes read at `offset`, fewer at the end of the file; -1 on error.
    qint64 readAt(qint64 offset, char *data, qint64 size);
    // The first offset from `offset` on that may hold other bytes than
    // zeros: where the hole of a sparse file that `offset` is in ends (its
    // bytes read as zeros, slowly on some systems), else `offset` itself.
    // Never an error: a system that cannot tell gives `offset`.
    qint64 dataFrom(qint64 offset);
    // Bytes written at `offset`; -1 on error.
    qint64 writeAt(qint64 offset, const char *data, qint64 size);
    bool sync();
    bool close();
    // False when `path` no longer names this file (deleted, or replaced).
    bool isStillAt(const QString &path);

    // The system's error code of the last step that failed.
    int errorCode() const { return m_error; }

    struct Native;

private:
    explicit OpenFile(std::unique_ptr<Native> native);
    std::unique_ptr<Native> m_native;
    int m_error = 0;
};

struct OpenFile::Opened {
    std::unique_ptr<OpenFile> file;
    std::optional<Refusal> refusal;
    int code = 0;
};

} // namespace gamefile
