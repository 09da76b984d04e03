// SPDX-License-Identifier: MIT
#include "savefile/slotfile.h"
#include "savefile/slotpatch.h"

#include "nativefile/nativefile_posix.h"

#include <algorithm>
#include <cerrno>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace savefile {

namespace {

using nativefile::Descriptor;
using nativefile::retryOnInterrupt;

SlotError failure(SlotStep step, int code = errno)
{
    return {step, code};
}

std::optional<SlotError> refuseIrregular(const struct stat &info)
{
    if (S_ISREG(info.st_mode))
        return std::nullopt;
    // A folder has an error code of its own; FIFOs, devices and sockets do not.
    return failure(SlotStep::NotRegularFile, S_ISDIR(info.st_mode) ? EISDIR : 0);
}

// Looks before opening: open() on a FIFO or a device could block or act on
// the device. Sets `exists` to false when nothing is at the path yet, and
// `writable` to whether any write permission bit is set.
std::optional<SlotError> checkPath(const QByteArray &name, bool &exists, bool &writable)
{
    struct stat info;
    if (::stat(name.constData(), &info) != 0) {
        if (errno != ENOENT)
            return failure(SlotStep::Open);
        exists = false;
        writable = true;
        return std::nullopt;
    }
    exists = true;
    writable = (info.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) != 0;
    return refuseIrregular(info);
}

// Opens without blocking, so something that turned into a FIFO since
// checkPath() cannot hang the window, then refuses whatever is not a
// regular file after all.
std::optional<SlotError> openRegular(const QByteArray &name, int flags, Descriptor &file)
{
    file.adopt(retryOnInterrupt(
        [&] { return ::open(name.constData(), flags | O_NONBLOCK | O_NOCTTY | O_CLOEXEC, 0666); }));
    if (!file.isOpen())
        return failure(SlotStep::Open);

    struct stat info;
    if (::fstat(file.get(), &info) != 0)
        return failure(SlotStep::Open);
    return refuseIrregular(info);
}

// Reads the slot's bytes into `bytes` and sets `count` to how many of
// them the file holds; the rest stay zero.
std::optional<SlotError> readBytes(int fd, int slot, SlotBytes &bytes, qint64 &count)
{
    count = 0;
    while (count < slotSize) {
        const ssize_t n = retryOnInterrupt([&] {
            return ::pread(fd, bytes.data() + count, size_t(slotSize - count),
                           off_t(firstOffset(slot) + count));
        });
        if (n < 0)
            return failure(SlotStep::Read);
        if (n == 0)
            break; // the end of the file
        count += n;
    }
    return std::nullopt;
}

// After a write that failed part way: the first `changed` of the `count`
// old bytes the file held at the slot go back, and a file that the write
// lengthened gets its old `length` again, synced. False when any of that
// failed.
bool putBack(int fd, int slot, const SlotBytes &before, qint64 count, qint64 changed, off_t length)
{
    const off_t offset = off_t(firstOffset(slot));
    const qint64 back = std::min(count, changed);
    const auto write = [&] { return ::pwrite(fd, before.data(), size_t(back), offset); };
    if (back > 0 && retryOnInterrupt(write) != ssize_t(back))
        return false;
    struct stat info;
    if (::fstat(fd, &info) != 0)
        return false;
    if (info.st_size > length && ::ftruncate(fd, length) != 0)
        return false;
    return ::fsync(fd) == 0;
}

} // namespace

std::optional<SlotError> patchSlot(const QString &path, int slot, const SlotBytes &bytes,
                                   const BeforeWrite &first)
{
    Q_ASSERT(isSlot(slot));
    const QByteArray name = nativefile::nativeName(path);
    bool exists = true; // a missing file is created by O_CREAT below
    bool writable = true;
    if (auto refused = checkPath(name, exists, writable))
        return refused;
    // As an export: a file its owner made read-only is not written, not
    // even by root.
    if (!writable)
        return failure(SlotStep::Open, EACCES);

    // No O_TRUNC: the file is patched in place and keeps its inode, owner,
    // permissions, links and every byte outside the slot.
    Descriptor file;
    if (auto failed = openRegular(name, first.create ? O_RDWR | O_CREAT : O_RDWR, file))
        return failed;

    // The old bytes and length are read in the same open, for a caller that
    // takes the write back and to put them back when the write fails.
    SlotBytes before{};
    qint64 count = 0;
    struct stat info;
    if (::fstat(file.get(), &info) != 0)
        return failure(SlotStep::Read);
    if (auto failed = readBytes(file.get(), slot, before, count))
        return failed;
    if (first.expected && (count != slotSize || before != *first.expected))
        return failure(SlotStep::Changed, 0);
    if (first.before)
        *first.before = before;
    const auto undone = [&](SlotError error, qint64 changed) {
        error.mayBeDamaged = !putBack(file.get(), slot, before, count, changed, info.st_size);
        return error;
    };

    // All eight bytes in one positioned write, so that a full disk or a
    // file size limit shows up in its count.
    const ssize_t written = retryOnInterrupt(
        [&] { return ::pwrite(file.get(), bytes.data(), slotSize, off_t(firstOffset(slot))); });
    if (written < 0)
        return failure(SlotStep::Write); // nothing was written
    if (written != slotSize)
        return undone(failure(SlotStep::ShortWrite, 0), written);

    if (::fsync(file.get()) != 0)
        return undone(failure(SlotStep::Flush), slotSize);
    if (const int error = file.close())
        return failure(SlotStep::Close, error);
    return std::nullopt;
}

SlotRead readSlot(const QString &path, int slot)
{
    Q_ASSERT(isSlot(slot));
    const QByteArray name = nativefile::nativeName(path);
    bool exists = true;
    bool writable = true;
    if (auto refused = checkPath(name, exists, writable))
        return {{}, refused};

    // Read-only whenever the file exists, so reading cannot change it.
    Descriptor file;
    if (auto failed = openRegular(name, exists ? O_RDONLY : O_RDONLY | O_CREAT, file))
        return {{}, failed};

    SlotRead result;
    qint64 count = 0;
    if (auto failed = readBytes(file.get(), slot, result.bytes, count))
        return {{}, failed};
    if (const int error = file.close())
        return {{}, failure(SlotStep::Close, error)};
    return result;
}

} // namespace savefile
