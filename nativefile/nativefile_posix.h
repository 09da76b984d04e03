// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

#include <cerrno>
#include <utility>

#include <unistd.h>

// The small file helpers that the POSIX units of convert/ and savefile/
// share: one spelling of a name, one retry loop, one owner of a descriptor.
namespace nativefile {

// The bytes the system takes for `path`: the encoding Qt gives every name.
inline QByteArray nativeName(const QString &path)
{
    return QFile::encodeName(path);
}

// Calls `call` again for as long as a signal interrupts it (a negative
// result with EINTR), so that no step fails for a signal that was handled.
template <typename Call>
auto retryOnInterrupt(Call call)
{
    decltype(call()) result;
    do
        result = call();
    while (result < 0 && errno == EINTR);
    return result;
}

// Owns one descriptor and closes it on every early return.
class Descriptor {
public:
    Descriptor() = default;
    ~Descriptor()
    {
        if (isOpen())
            ::close(m_fd);
    }
    Descriptor(const Descriptor &) = delete;
    Descriptor &operator=(const Descriptor &) = delete;

    bool isOpen() const { return m_fd >= 0; }
    int get() const { return m_fd; }
    // Takes what open() returned, -1 included.
    void adopt(int fd) { m_fd = fd; }

    // 0, or the error code of close(). Not retried: Linux releases the
    // descriptor even when close() reports an error.
    int close()
    {
        const int fd = std::exchange(m_fd, -1);
        return ::close(fd) == 0 ? 0 : errno;
    }

private:
    int m_fd = -1;
};

} // namespace nativefile
