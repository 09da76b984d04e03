// SPDX-License-Identifier: MIT
#include "gamefile/openfile.h"

#include "nativefile/nativefile_posix.h"

#include <algorithm>
#include <cerrno>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace gamefile {

using nativefile::retryOnInterrupt;

struct OpenFile::Native {
    nativefile::Descriptor fd;
    dev_t device = 0;
    ino_t inode = 0;
};

OpenFile::OpenFile(std::unique_ptr<Native> native) : m_native(std::move(native)) {}
OpenFile::~OpenFile() = default;

OpenFile::Opened OpenFile::open(const QString &path, Mode mode)
{
    const QByteArray name = nativefile::nativeName(path);
    // Looked at before opening: open() on a FIFO or a device could block
    // or act on the device.
    struct stat info;
    if (::stat(name.constData(), &info) != 0)
        return {nullptr, Refusal::Failed, errno};
    if (!S_ISREG(info.st_mode))
        return {nullptr, Refusal::NotRegularFile, S_ISDIR(info.st_mode) ? EISDIR : 0};
    // A file its owner made read-only is not written, not even by root.
    if (mode == Mode::ReadWrite && !(info.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)))
        return {nullptr, Refusal::Failed, EACCES};

    auto native = std::make_unique<Native>();
    const int flags = (mode == Mode::Read ? O_RDONLY : O_RDWR) | O_NONBLOCK | O_NOCTTY | O_CLOEXEC;
    native->fd.adopt(retryOnInterrupt([&] { return ::open(name.constData(), flags); }));
    if (!native->fd.isOpen())
        return {nullptr, Refusal::Failed, errno};
    // Whatever turned into something else since stat() is refused after all.
    if (::fstat(native->fd.get(), &info) != 0)
        return {nullptr, Refusal::Failed, errno};
    if (!S_ISREG(info.st_mode))
        return {nullptr, Refusal::NotRegularFile, S_ISDIR(info.st_mode) ? EISDIR : 0};
    native->device = info.st_dev;
    native->inode = info.st_ino;
    return {std::unique_ptr<OpenFile>(new OpenFile(std::move(native))), std::nullopt, 0};
}

std::optional<qint64> OpenFile::size()
{
    struct stat info;
    if (::fstat(m_native->fd.get(), &info) != 0) {
        m_error = errno;
        return std::nullopt;
    }
    return qint64(info.st_size);
}

qint64 OpenFile::readAt(qint64 offset, char *data, qint64 size)
{
    qint64 done = 0;
    while (done < size) {
        const ssize_t n = retryOnInterrupt([&] {
            return ::pread(m_native->fd.get(), data + done, size_t(size - done),
                           off_t(offset + done));
        });
        if (n < 0) {
            m_error = errno;
            return -1;
        }
        if (n == 0)
            break; // the end of the file
        done += n;
    }
    return done;
}

qint64 OpenFile::dataFrom(qint64 offset)
{
    // ENXIO: no data after `offset`, the rest of the file is a hole.
    const off_t data = ::lseek(m_native->fd.get(), off_t(offset), SEEK_DATA);
    if (data >= 0)
        return qint64(data);
    if (errno == ENXIO) {
        const std::optional<qint64> end = size();
        return end ? std::max(*end, offset) : offset;
    }
    return offset;
}

qint64 OpenFile::writeAt(qint64 offset, const char *data, qint64 size)
{
    // One positioned write, so that a full disk or a size limit shows up in
    // its count rather than being retried away.
    const ssize_t n = retryOnInterrupt(
        [&] { return ::pwrite(m_native->fd.get(), data, size_t(size), off_t(offset)); });
    if (n < 0)
        m_error = errno;
    return n;
}

bool OpenFile::sync()
{
    if (::fsync(m_native->fd.get()) == 0)
        return true;
    m_error = errno;
    return false;
}

bool OpenFile::close()
{
    m_error = m_native->fd.close();
    return m_error == 0;
}

bool OpenFile::isStillAt(const QString &path)
{
    struct stat info;
    return ::stat(nativefile::nativeName(path).constData(), &info) == 0
           && info.st_dev == m_native->device && info.st_ino == m_native->inode;
}

} // namespace gamefile
