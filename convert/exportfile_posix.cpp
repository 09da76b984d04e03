// SPDX-License-Identifier: MIT
#include "convert/exportfile.h"

#include "nativefile/nativefile_posix.h"

#include <QRandomGenerator>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <utility>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

namespace convert {

namespace {

using nativefile::Descriptor;
using nativefile::nativeName;
using nativefile::retryOnInterrupt;

ExportError failure(ExportStep step, int code = errno)
{
    return {step, code};
}

QByteArray folderOf(const QByteArray &name)
{
    const qsizetype slash = name.lastIndexOf('/');
    if (slash < 0)
        return ".";
    return slash == 0 ? QByteArray("/") : name.left(slash);
}

// The file that `path` names, symbolic links followed to the end of their
// chain, so that an export through a link replaces the file it points to
// and keeps the links. A dangling chain names the file its last link would
// point to. A loop is left as it is, for stat() to report ELOOP.
QByteArray resolvedName(const QString &path)
{
    QByteArray name = nativeName(path);
    for (int depth = 0; depth < 40; ++depth) {
        QByteArray link(PATH_MAX, Qt::Uninitialized);
        const ssize_t n = ::readlink(name.constData(), link.data(), size_t(link.size()));
        if (n < 0 || n >= link.size())
            return name; // no link (or none that can be followed): the file itself
        link.truncate(n);
        name = link.startsWith('/') ? link : folderOf(name) + '/' + link;
    }
    return nativeName(path);
}

// Makes the name durable after a rename. Its failure is not reported: the
// content itself is synced and in place by then.
void syncFolder(const QByteArray &folder)
{
    Descriptor folderFile;
    folderFile.adopt(retryOnInterrupt(
        [&] { return ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC); }));
    if (!folderFile.isOpen())
        return;
    [[maybe_unused]] const int synced = ::fsync(folderFile.get());
}

// A file system without modes or extended attributes (FAT through FUSE)
// says so with one of these.
bool unsupported(int code)
{
    return code == EOPNOTSUPP || code == ENOSYS;
}

// Fills `value` through `get(buffer, size)`, a listxattr() or getxattr()
// of any kind, which may grow between the two calls.
template <typename Get>
bool fetch(QByteArray &value, Get get)
{
    for (int attempt = 0; attempt < 8; ++attempt) {
        const ssize_t size = get(nullptr, 0);
        if (size < 0)
            return false;
        value.resize(size);
        if (size == 0)
            return true;
        const ssize_t n = get(value.data(), size_t(size));
        if (n >= 0) {
            value.truncate(n);
            return true;
        }
        if (errno != ERANGE)
            return false;
    }
    return false;
}

std::vector<QByteArray> namesIn(const QByteArray &list)
{
    std::vector<QByteArray> names;
    for (const QByteArray &name : list.split('\0')) {
        if (!name.isEmpty())
            names.push_back(name);
    }
    return names;
}

// Gives the open file `fd` the extended attributes of the file `from`, the
// access ACL (system.posix_acl_access) among them, and no others. False,
// with errno, where one of them cannot be read, set or removed.
bool copyExtendedAttributes(const QByteArray &from, int fd)
{
    QByteArray list;
    if (!fetch(list, [&](char *buffer, size_t size) {
            return ::listxattr(from.constData(), buffer, size);
        }))
        return unsupported(errno); // none where none can be
    const std::vector<QByteArray> names = namesIn(list);
    for (const QByteArray &name : names) {
        QByteArray value;
        if (!fetch(value, [&](char *buffer, size_t size) {
                return ::getxattr(from.constData(), name.constData(), buffer, size);
            })) {
            if (errno == ENODATA)
                continue; // removed since it was listed
            return false;
        }
        // The new file may have it already (an SELinux label, an ACL from
        // the folder's default): setting it again may be refused.
        QByteArray present;
        if (fetch(present,
                  [&](char *buffer, size_t size) {
                      return ::fgetxattr(fd, name.constData(), buffer, size);
                  })
            && present == value)
            continue;
        if (::fsetxattr(fd, name.constData(), value.constData(), size_t(value.size()), 0) != 0)
            return false;
    }
    QByteArray own;
    if (!fetch(own, [&](char *buffer, size_t size) { return ::flistxattr(fd, buffer, size); }))
        return unsupported(errno);
    for (const QByteArray &name : namesIn(own)) {
        if (std::find(names.begin(), names.end(), name) == names.end()
            && ::fremovexattr(fd, name.constData()) != 0 && errno != ENODATA)
            return false;
    }
    return true;
}

QByteArray temporaryName(const QByteArray &folder)
{
    return folder + "/.vemdra-export-"
           + QByteArray::number(QRandomGenerator::global()->generate(), 16);
}

} // namespace

struct ExportFile::Private {
    QByteArray target;
    bool exists = false;
    struct stat old {}; // the target's, where it exists
    Descriptor file;
    bool inPlace = false;
    bool unnamed = false; // a temporary file that has no name yet
    QByteArray temporary; // the temporary file's name, once it has one
    timespec modified{};  // in place: the target's when it was opened

    // A file with no name in the target's folder (O_TMPFILE), which a
    // killed export cannot leave behind; it gets a name just before the
    // rename. Only where it can be named: through /proc, or as root.
    bool openUnnamed()
    {
        if (::access("/proc/self/fd", X_OK) != 0 && ::geteuid() != 0)
            return false;
        file.adopt(retryOnInterrupt([&] {
            return ::open(folderOf(target).constData(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666);
        }));
        unnamed = file.isOpen();
        return unnamed;
    }

    // Else a new file beside the target, with a name of its own (not
    // derived from the target's, which may already be as long as a name
    // can be).
    bool openNamed()
    {
        const QByteArray folder = folderOf(target);
        for (int attempt = 0; attempt < 100; ++attempt) {
            const QByteArray name = temporaryName(folder);
            file.adopt(retryOnInterrupt([&] {
                return ::open(name.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOCTTY,
                              0666);
            }));
            if (file.isOpen()) {
                temporary = name;
                return true;
            }
            if (errno != EEXIST)
                return false;
        }
        return false;
    }

    // Links the unnamed file into its folder under a name of its own.
    bool giveName()
    {
        const QByteArray self = "/proc/self/fd/" + QByteArray::number(file.get());
        const QByteArray folder = folderOf(target);
        for (int attempt = 0; attempt < 100; ++attempt) {
            const QByteArray name = temporaryName(folder);
            int linked =
                ::linkat(AT_FDCWD, self.constData(), AT_FDCWD, name.constData(), AT_SYMLINK_FOLLOW);
            if (linked != 0 && errno != EEXIST) // no /proc
                linked = ::linkat(file.get(), "", AT_FDCWD, name.constData(), AT_EMPTY_PATH);
            if (linked == 0) {
                temporary = name;
                unnamed = false;
                return true;
            }
            if (errno != EEXIST)
                return false;
        }
        return false;
    }

    bool openInPlace()
    {
        // Read and write: the old content is kept to be put back. Non-
        // blocking, in case a FIFO took the file's place since stat().
        file.adopt(retryOnInterrupt([&] {
            return ::open(target.constData(), O_RDWR | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
        }));
        struct stat info;
        if (file.isOpen() && (::fstat(file.get(), &info) != 0 || !S_ISREG(info.st_mode))) {
            file.close();
            errno = EINVAL;
        }
        if (!file.isOpen())
            return false;
        modified = info.st_mtim;
        inPlace = true;
        return true;
    }

    // The temporary file takes the target's owner, group, extended
    // attributes and mode. False, with errno, where they cannot all be
    // carried over.
    bool carryOver()
    {
        if (!exists)
            return true;
        // Root gives the new file the old one's owner; anyone may try its
        // group. Then the mode, which a change of owner may clear; a file
        // system without modes has none to lose.
        const int fd = file.get();
        if (::fchown(fd, old.st_uid, old.st_gid) != 0) {
            [[maybe_unused]] const int groupOnly = ::fchown(fd, uid_t(-1), old.st_gid);
        }
        if (!copyExtendedAttributes(target, fd))
            return false;
        return ::fchmod(fd, old.st_mode & 07777) == 0 || unsupported(errno);
    }

    void dropTemporary()
    {
        if (file.isOpen())
            file.close();
        if (!temporary.isEmpty())
            ::unlink(std::exchange(temporary, QByteArray()).constData());
        unnamed = false;
    }
};

ExportFile::ExportFile(const QString &path) : d(std::make_unique<Private>())
{
    d->target = resolvedName(path);
}

ExportFile::~ExportFile()
{
    d->dropTemporary();
}

std::optional<ExportError> ExportFile::open()
{
    struct stat &info = d->old;
    d->exists = ::stat(d->target.constData(), &info) == 0;
    if (!d->exists && errno != ENOENT)
        return failure(ExportStep::Open);
    if (d->exists && !S_ISREG(info.st_mode))
        return failure(ExportStep::NotRegularFile, S_ISDIR(info.st_mode) ? EISDIR : 0);
    // A file that may not be written is not replaced behind its owner's
    // back; one without any write permission not even by root.
    if (d->exists && ::faccessat(AT_FDCWD, d->target.constData(), W_OK, AT_EACCESS) != 0)
        return failure(ExportStep::Open);
    if (d->exists && !(info.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)))
        return failure(ExportStep::Open, EACCES);

    if (d->openUnnamed() || d->openNamed())
        return std::nullopt;
    const int temporaryError = errno;
    if (d->exists && d->openInPlace())
        return std::nullopt;
    return failure(ExportStep::Open, temporaryError);
}

bool ExportFile::rewritesInPlace() const
{
    return d->inPlace;
}

std::optional<ExportError> ExportFile::writeAt(qint64 offset, QByteArrayView bytes)
{
    const char *data = bytes.data();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t n = retryOnInterrupt(
            [&] { return ::pwrite(d->file.get(), data, size_t(left), off_t(offset)); });
        if (n < 0)
            return failure(ExportStep::Write);
        if (n == 0)
            return failure(ExportStep::Write, 0);
        data += n;
        left -= n;
        offset += n;
    }
    return std::nullopt;
}

std::optional<ExportError> ExportFile::replace()
{
    if (!d->carryOver())
        return failure(ExportStep::Replace);
    if (::fsync(d->file.get()) != 0)
        return failure(ExportStep::Flush);
    if (d->unnamed && !d->giveName())
        return failure(ExportStep::Replace);
    if (auto failed = close())
        return failed;
    if (::rename(d->temporary.constData(), d->target.constData()) != 0)
        return failure(ExportStep::Replace);
    d->temporary.clear(); // it is the target now
    syncFolder(folderOf(d->target));
    return std::nullopt;
}

std::optional<ExportError> ExportFile::openInPlaceInstead(const ExportError &refused)
{
    d->dropTemporary();
    if (d->exists && d->openInPlace())
        return std::nullopt;
    return refused;
}

std::optional<ExportError> ExportFile::readAll(QByteArray &content, qint64 limit)
{
    struct stat info;
    if (::fstat(d->file.get(), &info) != 0)
        return failure(ExportStep::Open);
    if (info.st_size > limit)
        return failure(ExportStep::Open, EOVERFLOW);
    content.resize(qsizetype(info.st_size));
    qint64 done = 0;
    for (;;) {
        if (done == content.size()) {
            // The file may have grown since fstat(): look one block further.
            if (done >= limit + 1)
                return failure(ExportStep::Open, EOVERFLOW);
            content.resize(qsizetype(std::min<qint64>(done + 65536, limit + 1)));
        }
        const ssize_t n = retryOnInterrupt([&] {
            return ::pread(d->file.get(), content.data() + done, size_t(content.size() - done),
                           off_t(done));
        });
        if (n < 0)
            return failure(ExportStep::Open);
        if (n == 0)
            break;
        done += n;
    }
    content.truncate(qsizetype(done));
    return std::nullopt;
}

std::optional<ExportError> ExportFile::reserve(qint64 size)
{
    if (size == 0)
        return std::nullopt;
    // FALLOC_FL_KEEP_SIZE: the length stays the old one until the writes
    // pass it. Without it (glibc's posix_fallocate()) the file would grow
    // at once, and a file system that cannot reserve would get zeros.
    if (retryOnInterrupt(
            [&] { return ::fallocate(d->file.get(), FALLOC_FL_KEEP_SIZE, 0, off_t(size)); })
        == 0)
        return std::nullopt;
    // A file system that cannot reserve space (ext2, ext3 without extents,
    // FUSE) leaves it to the writes.
    if (unsupported(errno) || errno == EINVAL)
        return std::nullopt;
    return failure(ExportStep::Write);
}

std::optional<ExportError> ExportFile::truncate(qint64 size)
{
    if (retryOnInterrupt([&] { return ::ftruncate(d->file.get(), off_t(size)); }) != 0)
        return failure(ExportStep::Write);
    return std::nullopt;
}

std::optional<ExportError> ExportFile::sync()
{
    if (::fsync(d->file.get()) != 0)
        return failure(ExportStep::Flush);
    return std::nullopt;
}

void ExportFile::restoreTimes()
{
    const timespec times[2] = {{0, UTIME_OMIT}, d->modified};
    [[maybe_unused]] const int restored = ::futimens(d->file.get(), times);
}

std::optional<ExportError> ExportFile::close()
{
    if (!d->file.isOpen())
        return std::nullopt;
    if (const int error = d->file.close())
        return failure(ExportStep::Close, error);
    return std::nullopt;
}

} // namespace convert
