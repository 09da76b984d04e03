// SPDX-License-Identifier: MIT
#include "convert/exportfile.h"

#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <cerrno>
#include <utility>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace convert {

namespace {

ExportError failure(ExportStep step, int code = errno)
{
    return {step, code};
}

template <typename Call>
auto retryOnInterrupt(Call call)
{
    decltype(call()) result;
    do
        result = call();
    while (result < 0 && errno == EINTR);
    return result;
}

// The file that `path` names, symbolic links followed, so that an export
// through a link replaces the file it points to and keeps the link. A
// dangling link names the file it would point to.
QByteArray resolvedName(const QString &path)
{
    const QFileInfo info(path);
    if (info.isSymLink()) {
        const QString target = info.exists() ? info.canonicalFilePath() : info.symLinkTarget();
        if (!target.isEmpty())
            return QFile::encodeName(target);
    }
    return QFile::encodeName(path);
}

QByteArray folderOf(const QByteArray &name)
{
    const qsizetype slash = name.lastIndexOf('/');
    if (slash < 0)
        return ".";
    return slash == 0 ? QByteArray("/") : name.left(slash);
}

// Makes the name durable after a rename. Its failure is not reported: the
// content itself is synced and in place by then.
void syncFolder(const QByteArray &folder)
{
    const int fd = retryOnInterrupt(
        [&] { return ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC); });
    if (fd < 0)
        return;
    [[maybe_unused]] const int synced = ::fsync(fd);
    ::close(fd);
}

} // namespace

struct ExportFile::Private {
    QByteArray target;
    QByteArray temporary; // empty when the target is rewritten in place
    int fd = -1;
    qint64 written = 0;

    // A new file beside the target, with a name of its own (not derived
    // from the target's, which may already be as long as a name can be).
    bool openTemporary()
    {
        const QByteArray folder = folderOf(target);
        for (int attempt = 0; attempt < 100; ++attempt) {
            const QByteArray name =
                folder + "/.vemdra-export-"
                + QByteArray::number(QRandomGenerator::global()->generate(), 16);
            fd = retryOnInterrupt([&] {
                return ::open(name.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOCTTY,
                              0666);
            });
            if (fd >= 0) {
                temporary = name;
                return true;
            }
            if (errno != EEXIST)
                return false;
        }
        return false;
    }

    bool openInPlace()
    {
        // Non-blocking, in case a FIFO took the file's place since stat().
        fd = retryOnInterrupt([&] {
            return ::open(target.constData(), O_WRONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
        });
        struct stat info;
        if (fd >= 0 && (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode))) {
            ::close(std::exchange(fd, -1));
            errno = EINVAL;
        }
        return fd >= 0;
    }

    std::optional<ExportError> close()
    {
        if (::close(std::exchange(fd, -1)) != 0)
            return failure(ExportStep::Close);
        return std::nullopt;
    }
};

ExportFile::ExportFile(const QString &path) : d(std::make_unique<Private>())
{
    d->target = resolvedName(path);
}

ExportFile::~ExportFile()
{
    if (d->fd >= 0)
        ::close(d->fd);
    if (!d->temporary.isEmpty())
        ::unlink(d->temporary.constData());
}

std::optional<ExportError> ExportFile::open()
{
    struct stat info;
    const bool exists = ::stat(d->target.constData(), &info) == 0;
    if (!exists && errno != ENOENT)
        return failure(ExportStep::Open);
    if (exists && !S_ISREG(info.st_mode))
        return failure(ExportStep::NotRegularFile, S_ISDIR(info.st_mode) ? EISDIR : 0);
    // A file that may not be written is not replaced behind its owner's
    // back; one without any write permission not even by root.
    if (exists && ::faccessat(AT_FDCWD, d->target.constData(), W_OK, AT_EACCESS) != 0)
        return failure(ExportStep::Open);
    if (exists && !(info.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)))
        return failure(ExportStep::Open, EACCES);

    if (d->openTemporary()) {
        if (exists) {
            // Root gives the new file the old one's owner; anyone may try
            // its group. Then the mode, which a change of owner may clear.
            if (::fchown(d->fd, info.st_uid, info.st_gid) != 0) {
                [[maybe_unused]] const int groupOnly = ::fchown(d->fd, uid_t(-1), info.st_gid);
            }
            if (::fchmod(d->fd, info.st_mode & 07777) != 0)
                return failure(ExportStep::Open);
        }
        return std::nullopt;
    }
    const int temporaryError = errno;
    if (exists && d->openInPlace())
        return std::nullopt;
    return failure(ExportStep::Open, temporaryError);
}

bool ExportFile::rewritesInPlace() const
{
    return d->temporary.isEmpty();
}

std::optional<ExportError> ExportFile::reserve(qint64 size)
{
    if (size == 0)
        return std::nullopt;
    int error;
    do
        error = ::posix_fallocate(d->fd, 0, off_t(size));
    while (error == EINTR);
    // A file system that cannot reserve space leaves it to the writes.
    if (error == 0 || error == EOPNOTSUPP || error == EINVAL)
        return std::nullopt;
    return failure(ExportStep::Write, error);
}

std::optional<ExportError> ExportFile::write(QByteArrayView bytes)
{
    const char *data = bytes.data();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t n = retryOnInterrupt([&] { return ::write(d->fd, data, size_t(left)); });
        if (n < 0)
            return failure(ExportStep::Write);
        if (n == 0)
            return failure(ExportStep::Write, 0);
        data += n;
        left -= n;
        d->written += n;
    }
    return std::nullopt;
}

std::optional<ExportError> ExportFile::commit()
{
    // In place, the old content may reach past the new.
    if (rewritesInPlace() && ::ftruncate(d->fd, off_t(d->written)) != 0)
        return failure(ExportStep::Write);
    if (::fsync(d->fd) != 0)
        return failure(ExportStep::Flush);
    if (auto failed = d->close())
        return failed;
    if (rewritesInPlace())
        return std::nullopt;
    if (::rename(d->temporary.constData(), d->target.constData()) != 0)
        return failure(ExportStep::Replace);
    d->temporary.clear(); // it is the target now
    syncFolder(folderOf(d->target));
    return std::nullopt;
}

} // namespace convert
