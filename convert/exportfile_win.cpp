// SPDX-License-Identifier: MIT
#include "convert/exportfile.h"

#include "convert/devicepath_win.h"

#include <QDir>
#include <QFileInfo>
#include <QRandomGenerator>

#include <algorithm>
#include <string>
#include <utility>

#include <windows.h>

namespace convert {

namespace {

ExportError failure(ExportStep step, DWORD code = GetLastError())
{
    return {step, int(code)};
}

std::wstring nativeName(const QString &path)
{
    return QDir::toNativeSeparators(path).toStdWString();
}

// What is at the path, looked at with no access at all so that nothing is
// read from or written to it: nothing (false), a file on a disk (true), or
// a failure (a folder, a device such as CON or NUL, a pipe, a missing
// folder on the path).
std::optional<ExportError> probe(const std::wstring &name, bool &exists)
{
    if (isDevicePath(name))
        return failure(ExportStep::NotRegularFile, 0);
    const HANDLE handle =
        CreateFileW(name.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                    nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        const DWORD error = GetLastError();
        if (error != ERROR_FILE_NOT_FOUND)
            return failure(ExportStep::Open, error);
        exists = false;
        return std::nullopt;
    }
    BY_HANDLE_FILE_INFORMATION info;
    const bool regular = GetFileType(handle) == FILE_TYPE_DISK
                         && GetFileInformationByHandle(handle, &info)
                         && !(info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY);
    CloseHandle(handle);
    if (!regular)
        return failure(ExportStep::NotRegularFile, 0);
    exists = true;
    return std::nullopt;
}

} // namespace

struct ExportFile::Private {
    QString path;
    std::wstring target;
    std::wstring temporary; // empty when the target is rewritten in place
    HANDLE file = INVALID_HANDLE_VALUE;
    qint64 written = 0;
    bool exists = false;
    DWORD attributes = INVALID_FILE_ATTRIBUTES; // of the file to replace

    // A new file beside the target, with a name of its own.
    bool openTemporary()
    {
        const QString folder = QFileInfo(path).absolutePath();
        for (int attempt = 0; attempt < 100; ++attempt) {
            const std::wstring name =
                nativeName(folder + QStringLiteral("/.vemdra-export-")
                           + QString::number(QRandomGenerator::global()->generate(), 16));
            file = CreateFileW(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                               FILE_ATTRIBUTE_NORMAL, nullptr);
            if (file != INVALID_HANDLE_VALUE) {
                temporary = name;
                return true;
            }
            if (GetLastError() != ERROR_FILE_EXISTS)
                return false;
        }
        return false;
    }

    bool openInPlace()
    {
        file = CreateFileW(target.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
        return file != INVALID_HANDLE_VALUE;
    }

    std::optional<ExportError> close()
    {
        if (!CloseHandle(std::exchange(file, INVALID_HANDLE_VALUE)))
            return failure(ExportStep::Close);
        return std::nullopt;
    }
};

ExportFile::ExportFile(const QString &path) : d(std::make_unique<Private>())
{
    d->path = path;
    d->target = nativeName(path);
}

ExportFile::~ExportFile()
{
    if (d->file != INVALID_HANDLE_VALUE)
        CloseHandle(d->file);
    if (!d->temporary.empty())
        DeleteFileW(d->temporary.c_str());
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
    return d->temporary.empty();
}

std::optional<ExportError> ExportFile::reserve(qint64 size)
{
    FILE_ALLOCATION_INFO allocation{};
    allocation.AllocationSize.QuadPart = size;
    if (SetFileInformationByHandle(d->file, FileAllocationInfo, &allocation, sizeof allocation))
        return std::nullopt;
    // A file system that cannot reserve space leaves it to the writes.
    const DWORD error = GetLastError();
    if (error == ERROR_INVALID_PARAMETER || error == ERROR_NOT_SUPPORTED
        || error == ERROR_INVALID_FUNCTION)
        return std::nullopt;
    return failure(ExportStep::Write, error);
}

std::optional<ExportError> ExportFile::write(QByteArrayView bytes)
{
    const char *data = bytes.data();
    qsizetype left = bytes.size();
    while (left > 0) {
        const DWORD chunk = DWORD(std::min<qsizetype>(left, 1 << 30));
        DWORD n = 0;
        if (!WriteFile(d->file, data, chunk, &n, nullptr))
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
    if (rewritesInPlace()) {
        // In place, the old content may reach past the new.
        LARGE_INTEGER end;
        end.QuadPart = d->written;
        if (!SetFilePointerEx(d->file, end, nullptr, FILE_BEGIN) || !SetEndOfFile(d->file))
            return failure(ExportStep::Write);
    }
    if (!FlushFileBuffers(d->file))
        return failure(ExportStep::Flush);
    if (auto failed = d->close())
        return failed;
    if (rewritesInPlace())
        return std::nullopt;

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

} // namespace convert
