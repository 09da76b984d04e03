// SPDX-License-Identifier: MIT
#include "convert/exportfile.h"

#include "nativefile/nativefile_win.h"

#include <QFileInfo>
#include <QRandomGenerator>

#include <algorithm>
#include <string>
#include <utility>

#include <windows.h>

namespace convert {

namespace {

using nativefile::at;
using nativefile::Handle;
using nativefile::nativeName;

ExportError failure(ExportStep step, DWORD code = GetLastError())
{
    return {step, int(code)};
}

// What is at the path, looked at with no access at all so that nothing is
// read from or written to it: nothing (false), a file on a disk (true), or
// a failure (a folder, a device such as CON or NUL, a pipe, a missing
// folder on the path).
std::optional<ExportError> probe(const std::wstring &name, bool &exists)
{
    if (nativefile::isDevicePath(name))
        return failure(ExportStep::NotRegularFile, 0);
    const Handle probe(CreateFileW(name.c_str(), 0,
                                   FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                   OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (!probe.isOpen()) {
        const DWORD error = GetLastError();
        if (error != ERROR_FILE_NOT_FOUND)
            return failure(ExportStep::Open, error);
        exists = false;
        return std::nullopt;
    }
    if (!nativefile::isDiskFile(probe.get()))
        return failure(ExportStep::NotRegularFile, 0);
    exists = true;
    return std::nullopt;
}

// What a system that cannot reserve space answers: Wine, for one, does not
// implement it (ERROR_CALL_NOT_IMPLEMENTED).
bool cannotReserve(DWORD error)
{
    return error == ERROR_INVALID_PARAMETER || error == ERROR_NOT_SUPPORTED
           || error == ERROR_INVALID_FUNCTION || error == ERROR_CALL_NOT_IMPLEMENTED;
}

} // namespace

struct ExportFile::Private {
    QString path;
    std::wstring target;
    std::wstring temporary; // the temporary file's name, while there is one
    Handle file;
    bool exists = false;
    bool inPlace = false;
    DWORD attributes = INVALID_FILE_ATTRIBUTES; // of the file to replace
    FILETIME modified{};                        // in place: when it was opened

    // A new file beside the target, with a name of its own.
    bool openTemporary()
    {
        const QString folder = QFileInfo(path).absolutePath();
        for (int attempt = 0; attempt < 100; ++attempt) {
            const std::wstring name =
                nativeName(folder + QStringLiteral("/.vemdra-export-")
                           + QString::number(QRandomGenerator::global()->generate(), 16));
            file.adopt(CreateFileW(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                   FILE_ATTRIBUTE_NORMAL, nullptr));
            if (file.isOpen()) {
                temporary = name;
                return true;
            }
            if (GetLastError() != ERROR_FILE_EXISTS)
                return false;
        }
        return false;
    }

    // Read and write: the old content is kept to be put back. Another
    // program may hold the file open, for reading or writing, as long as it
    // shares it.
    bool openInPlace()
    {
        file.adopt(CreateFileW(target.c_str(), GENERIC_READ | GENERIC_WRITE,
                               FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                               OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file.isOpen())
            return false;
        if (!GetFileTime(file.get(), nullptr, nullptr, &modified))
            modified = {};
        inPlace = true;
        return true;
    }

    void dropTemporary()
    {
        if (file.isOpen())
            file.close();
        if (!temporary.empty())
            DeleteFileW(std::exchange(temporary, std::wstring()).c_str());
    }
};

ExportFile::ExportFile(const QString &path) : d(std::make_unique<Private>())
{
    d->path = path;
    d->target = nativeName(path);
}

ExportFile::~ExportFile()
{
    d->dropTemporary();
}

std::optional<ExportError> ExportFile::open()
{
    if (auto refused = probe(d->target, d->exists))
        return refused;
    // A file its owner made read-only is not replaced behind their back.
    if (d->exists)
        d->attributes = GetFileAttributesW(d->target.c_str());
    if (d->attributes != INVALID_FILE_ATTRIBUTES && (d->attributes & FILE_ATTRIBUTE_READONLY))
        return failure(ExportStep::Open, ERROR_ACCESS_DENIED);

    if (d->openTemporary())
        return std::nullopt;
    const DWORD temporaryError = GetLastError();
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
        const DWORD chunk = DWORD(std::min<qsizetype>(left, 1 << 30));
        OVERLAPPED position = at(offset);
        DWORD n = 0;
        if (!WriteFile(d->file.get(), data, chunk, &n, &position))
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
    if (!FlushFileBuffers(d->file.get()))
        return failure(ExportStep::Flush);
    if (auto failed = close())
        return failed;
    // The new file takes the old one's attributes (hidden, archive, ...)
    // and then its name. ReplaceFileW would keep the attributes itself, but
    // leaves a temporary file of its own behind when it fails.
    if (d->attributes != INVALID_FILE_ATTRIBUTES
        && !SetFileAttributesW(d->temporary.c_str(), d->attributes))
        return failure(ExportStep::Replace);
    if (!MoveFileExW(d->temporary.c_str(), d->target.c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return failure(ExportStep::Replace);
    d->temporary.clear(); // it is the target now
    return std::nullopt;
}

std::optional<ExportError> ExportFile::openInPlaceInstead(const ExportError &refused)
{
    d->dropTemporary();
    if (d->exists && d->openInPlace())
        return std::nullopt;
    // The file is in use: the rename was refused for that, whatever the
    // rename said (Wine says "access denied").
    const DWORD error = GetLastError();
    if (error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION)
        return ExportError{ExportStep::Replace, int(ERROR_SHARING_VIOLATION)};
    return refused;
}

std::optional<ExportError> ExportFile::readAll(QByteArray &content, qint64 limit)
{
    LARGE_INTEGER size;
    if (!GetFileSizeEx(d->file.get(), &size))
        return failure(ExportStep::Open);
    if (size.QuadPart > limit)
        return failure(ExportStep::Open, ERROR_FILE_TOO_LARGE);
    content.resize(qsizetype(size.QuadPart));
    qint64 done = 0;
    for (;;) {
        if (done == content.size()) {
            // The file may have grown since: look one block further.
            if (done >= limit + 1)
                return failure(ExportStep::Open, ERROR_FILE_TOO_LARGE);
            content.resize(qsizetype(std::min<qint64>(done + 65536, limit + 1)));
        }
        OVERLAPPED position = at(done);
        DWORD n = 0;
        if (!ReadFile(d->file.get(), content.data() + done, DWORD(content.size() - done), &n,
                      &position)) {
            if (GetLastError() == ERROR_HANDLE_EOF)
                break;
            return failure(ExportStep::Open);
        }
        if (n == 0)
            break;
        done += n;
    }
    content.truncate(qsizetype(done));
    return std::nullopt;
}

std::optional<ExportError> ExportFile::reserve(qint64 size)
{
    // The allocation, not the length: the file keeps its length.
    FILE_ALLOCATION_INFO allocation{};
    allocation.AllocationSize.QuadPart = size;
    if (SetFileInformationByHandle(d->file.get(), FileAllocationInfo, &allocation,
                                   sizeof allocation))
        return std::nullopt;
    // A system that cannot reserve space leaves it to the writes.
    const DWORD error = GetLastError();
    if (cannotReserve(error))
        return std::nullopt;
    return failure(ExportStep::Write, error);
}

std::optional<ExportError> ExportFile::truncate(qint64 size)
{
    LARGE_INTEGER end;
    end.QuadPart = size;
    if (!SetFilePointerEx(d->file.get(), end, nullptr, FILE_BEGIN) || !SetEndOfFile(d->file.get()))
        return failure(ExportStep::Write);
    // Space reserved past the end is given back where the system can.
    FILE_ALLOCATION_INFO allocation{};
    allocation.AllocationSize.QuadPart = size;
    SetFileInformationByHandle(d->file.get(), FileAllocationInfo, &allocation, sizeof allocation);
    return std::nullopt;
}

std::optional<ExportError> ExportFile::sync()
{
    if (!FlushFileBuffers(d->file.get()))
        return failure(ExportStep::Flush);
    return std::nullopt;
}

void ExportFile::restoreTimes()
{
    if (d->modified.dwLowDateTime || d->modified.dwHighDateTime)
        SetFileTime(d->file.get(), nullptr, nullptr, &d->modified);
}

std::optional<ExportError> ExportFile::close()
{
    if (!d->file.isOpen())
        return std::nullopt;
    if (const DWORD error = d->file.close())
        return failure(ExportStep::Close, error);
    return std::nullopt;
}

} // namespace convert
