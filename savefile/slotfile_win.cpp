// SPDX-License-Identifier: MIT
#include "savefile/slotfile.h"
#include "savefile/slotpatch.h"

#include "nativefile/nativefile_win.h"

#include <algorithm>
#include <string>

#include <windows.h>

namespace savefile {

namespace {

using nativefile::at;
using nativefile::Handle;

// The game may hold the save file open: let it read, write and even delete
// it while Vemdra has it open.
constexpr DWORD shareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

SlotError failure(SlotStep step, DWORD code = GetLastError())
{
    return {step, int(code)};
}

// Only a file on a disk: not a folder, a device (CON, NUL, COM1) or a pipe.
std::optional<SlotError> refuseIrregular(HANDLE file)
{
    if (!nativefile::isDiskFile(file))
        return failure(SlotStep::NotRegularFile, 0);
    return std::nullopt;
}

// Looks before opening for real, with no access at all, so that nothing is
// read from or written to whatever is at the path. Sets `exists` to false
// when nothing is there yet.
std::optional<SlotError> checkPath(const std::wstring &name, bool &exists)
{
    if (nativefile::isDevicePath(name))
        return failure(SlotStep::NotRegularFile, 0);
    const Handle probe(CreateFileW(name.c_str(), 0, shareAll, nullptr, OPEN_EXISTING,
                                   FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (!probe.isOpen()) {
        const DWORD error = GetLastError();
        if (error != ERROR_FILE_NOT_FOUND)
            return failure(SlotStep::Open, error);
        exists = false;
        return std::nullopt;
    }
    exists = true;
    return refuseIrregular(probe.get());
}

std::optional<SlotError> openRegular(const std::wstring &name, DWORD access, DWORD disposition,
                                     Handle &file)
{
    HANDLE handle = CreateFileW(name.c_str(), access, shareAll, nullptr, disposition,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return failure(SlotStep::Open);
    file.adopt(handle);
    return refuseIrregular(handle);
}

// Reads the slot's bytes into `bytes` and sets `count` to how many of
// them the file holds; the rest stay zero.
std::optional<SlotError> readBytes(HANDLE file, int slot, SlotBytes &bytes, qint64 &count)
{
    count = 0;
    while (count < slotSize) {
        OVERLAPPED position = at(firstOffset(slot) + count);
        DWORD n = 0;
        if (!ReadFile(file, bytes.data() + count, DWORD(slotSize - count), &n, &position)) {
            const DWORD error = GetLastError();
            if (error == ERROR_HANDLE_EOF)
                break; // the end of the file
            return failure(SlotStep::Read, error);
        }
        if (n == 0)
            break;
        count += n;
    }
    return std::nullopt;
}

// After a write that failed part way: the first `changed` of the `count`
// old bytes the file held at the slot go back, and a file that the write
// lengthened gets its old `length` again, flushed. False when any of that
// failed.
bool putBack(HANDLE file, int slot, const SlotBytes &before, qint64 count, qint64 changed,
             qint64 length)
{
    OVERLAPPED position = at(firstOffset(slot));
    DWORD written = 0;
    const qint64 back = std::min(count, changed);
    if (back > 0
        && (!WriteFile(file, before.data(), DWORD(back), &written, &position)
            || written != DWORD(back)))
        return false;
    LARGE_INTEGER size;
    if (!GetFileSizeEx(file, &size))
        return false;
    if (size.QuadPart > length) {
        FILE_END_OF_FILE_INFO end;
        end.EndOfFile.QuadPart = length;
        if (!SetFileInformationByHandle(file, FileEndOfFileInfo, &end, sizeof end))
            return false;
    }
    return FlushFileBuffers(file);
}

} // namespace

std::optional<SlotError> patchSlot(const QString &path, int slot, const SlotBytes &bytes,
                                   const BeforeWrite &first)
{
    Q_ASSERT(isSlot(slot));
    const std::wstring name = nativefile::nativeName(path);
    bool exists = true;
    if (auto refused = checkPath(name, exists))
        return refused;

    // A read-only file is not written, also where the system would let it
    // be (Wine run as root).
    const DWORD attributes = GetFileAttributesW(name.c_str());
    if (exists && attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY))
        return failure(SlotStep::Open, ERROR_ACCESS_DENIED);

    // Opened in place, never truncated: the file keeps every byte outside
    // the slot, its attributes and its other names.
    Handle file;
    if (auto failed = openRegular(name, GENERIC_READ | GENERIC_WRITE,
                                  first.create ? OPEN_ALWAYS : OPEN_EXISTING, file))
        return failed;

    // The old bytes and length are read in the same open, for a caller that
    // takes the write back and to put them back when the write fails.
    SlotBytes before{};
    qint64 count = 0;
    LARGE_INTEGER length;
    if (!GetFileSizeEx(file.get(), &length))
        return failure(SlotStep::Read);
    if (auto failed = readBytes(file.get(), slot, before, count))
        return failed;
    if (first.expected && (count != slotSize || before != *first.expected))
        return failure(SlotStep::Changed, 0);
    if (first.before)
        *first.before = before;
    const auto undone = [&](SlotError error, qint64 changed) {
        error.mayBeDamaged = !putBack(file.get(), slot, before, count, changed, length.QuadPart);
        return error;
    };

    // All eight bytes in one positioned write, so that a full disk shows up
    // in its count.
    OVERLAPPED position = at(firstOffset(slot));
    DWORD written = 0;
    if (!WriteFile(file.get(), bytes.data(), DWORD(slotSize), &written, &position)) {
        const DWORD error = GetLastError();
        // A failed WriteFile may still have written part of the bytes.
        return written > 0 ? undone(failure(SlotStep::Write, error), written)
                           : failure(SlotStep::Write, error);
    }
    if (written != DWORD(slotSize))
        return undone(failure(SlotStep::ShortWrite, 0), written);

    if (!FlushFileBuffers(file.get()))
        return undone(failure(SlotStep::Flush), slotSize);
    if (const DWORD error = file.close())
        return failure(SlotStep::Close, error);
    return std::nullopt;
}

SlotRead readSlot(const QString &path, int slot)
{
    Q_ASSERT(isSlot(slot));
    const std::wstring name = nativefile::nativeName(path);
    bool exists = true;
    if (auto refused = checkPath(name, exists))
        return {{}, refused};

    // Read-only whenever the file exists, so reading cannot change it.
    Handle file;
    if (auto failed = openRegular(name, GENERIC_READ, exists ? OPEN_EXISTING : OPEN_ALWAYS, file))
        return {{}, failed};

    SlotRead result;
    qint64 count = 0;
    if (auto failed = readBytes(file.get(), slot, result.bytes, count))
        return {{}, failed};
    if (const DWORD error = file.close())
        return {{}, failure(SlotStep::Close, error)};
    return result;
}

} // namespace savefile
