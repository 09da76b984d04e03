// SPDX-License-Identifier: MIT
#include "gamefile/openfile.h"

#include "nativefile/nativefile_win.h"

#include <algorithm>

namespace gamefile {

using nativefile::at;
using nativefile::Handle;

namespace {

// The game may hold the file open: let it read, write and even delete it
// while Vemdra has it open.
constexpr DWORD shareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

struct Identity {
    DWORD volume = 0;
    DWORD high = 0;
    DWORD low = 0;
    bool operator==(const Identity &) const = default;
};

std::optional<Identity> identityOf(HANDLE file)
{
    BY_HANDLE_FILE_INFORMATION info;
    if (!GetFileInformationByHandle(file, &info))
        return std::nullopt;
    return Identity{info.dwVolumeSerialNumber, info.nFileIndexHigh, info.nFileIndexLow};
}

// Opens with no access at all, so that nothing is read from or written to
// whatever is at the path.
Handle probe(const std::wstring &name)
{
    return Handle(CreateFileW(name.c_str(), 0, shareAll, nullptr, OPEN_EXISTING,
                              FILE_FLAG_BACKUP_SEMANTICS, nullptr));
}

} // namespace

struct OpenFile::Native {
    Handle handle;
    Identity identity;
};

OpenFile::OpenFile(std::unique_ptr<Native> native) : m_native(std::move(native)) {}
OpenFile::~OpenFile() = default;

OpenFile::Opened OpenFile::open(const QString &path, Mode mode)
{
    const std::wstring name = nativefile::nativeName(path);
    if (nativefile::isDevicePath(name))
        return {nullptr, Refusal::NotRegularFile, 0};
    {
        const Handle looked = probe(name);
        if (!looked.isOpen())
            return {nullptr, Refusal::Failed, int(GetLastError())};
        if (!nativefile::isDiskFile(looked.get()))
            return {nullptr, Refusal::NotRegularFile, 0};
    }
    // A read-only file is not written, also where the system would let it
    // be (Wine run as root).
    const DWORD attributes = GetFileAttributesW(name.c_str());
    if (mode == Mode::ReadWrite && attributes != INVALID_FILE_ATTRIBUTES
        && (attributes & FILE_ATTRIBUTE_READONLY))
        return {nullptr, Refusal::Failed, int(ERROR_ACCESS_DENIED)};

    auto native = std::make_unique<Native>();
    const DWORD access = mode == Mode::Read ? GENERIC_READ : GENERIC_READ | GENERIC_WRITE;
    native->handle.adopt(CreateFileW(name.c_str(), access, shareAll, nullptr, OPEN_EXISTING,
                                     FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!native->handle.isOpen())
        return {nullptr, Refusal::Failed, int(GetLastError())};
    if (!nativefile::isDiskFile(native->handle.get()))
        return {nullptr, Refusal::NotRegularFile, 0};
    const auto identity = identityOf(native->handle.get());
    if (!identity)
        return {nullptr, Refusal::Failed, int(GetLastError())};
    native->identity = *identity;
    return {std::unique_ptr<OpenFile>(new OpenFile(std::move(native))), std::nullopt, 0};
}

std::optional<qint64> OpenFile::size()
{
    LARGE_INTEGER size;
    if (!GetFileSizeEx(m_native->handle.get(), &size)) {
        m_error = int(GetLastError());
        return std::nullopt;
    }
    return qint64(size.QuadPart);
}

qint64 OpenFile::readAt(qint64 offset, char *data, qint64 size)
{
    qint64 done = 0;
    while (done < size) {
        OVERLAPPED position = at(offset + done);
        const DWORD want = DWORD(std::min<qint64>(size - done, 1 << 30));
        DWORD n = 0;
        if (!ReadFile(m_native->handle.get(), data + done, want, &n, &position)) {
            const DWORD error = GetLastError();
            if (error == ERROR_HANDLE_EOF)
                break; // the end of the file
            m_error = int(error);
            return -1;
        }
        if (n == 0)
            break;
        done += n;
    }
    return done;
}

// Windows tells of holes only through FSCTL_QUERY_ALLOCATED_RANGES on
// sparse NTFS files; their zeros are read like other bytes.
qint64 OpenFile::dataFrom(qint64 offset)
{
    return offset;
}

qint64 OpenFile::writeAt(qint64 offset, const char *data, qint64 size)
{
    OVERLAPPED position = at(offset);
    DWORD written = 0;
    if (!WriteFile(m_native->handle.get(), data, DWORD(size), &written, &position)) {
        m_error = int(GetLastError());
        // A failed WriteFile may still have written part of the bytes: the
        // caller puts back what it found either way.
        return written > 0 ? qint64(written) : -1;
    }
    return written;
}

bool OpenFile::sync()
{
    if (FlushFileBuffers(m_native->handle.get()))
        return true;
    m_error = int(GetLastError());
    return false;
}

bool OpenFile::close()
{
    m_error = int(m_native->handle.close());
    return m_error == 0;
}

bool OpenFile::isStillAt(const QString &path)
{
    const Handle looked = probe(nativefile::nativeName(path));
    return looked.isOpen() && identityOf(looked.get()) == m_native->identity;
}

} // namespace gamefile
