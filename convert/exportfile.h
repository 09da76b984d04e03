// SPDX-License-Identifier: MIT
#pragma once

#include "convert/export.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <memory>
#include <optional>

namespace convert {

// The file that an export writes, one unit per platform: a temporary
// file beside the target that replaces it on replace(), or, where none can
// be made beside an existing target, the target itself, rewritten in place
// (export.cpp keeps its old content and puts it back on failure, with the
// primitives below). Every step reports its own failure; nothing is left
// to a later step to notice. Destroying the object removes a temporary
// file that has not replaced the target.
//
// Not QSaveFile: its commit() (Qt 6.4) renames even after a failed flush,
// so a small export onto a full disk cut the old file without a word; its
// new file does not take the target's owner, ACLs or other extended
// attributes; and where the rename is refused (a shared sticky folder) it
// has no rewrite in place that can put the old content back.
class ExportFile {
public:
    explicit ExportFile(const QString &path);
    ~ExportFile();
    ExportFile(const ExportFile &) = delete;
    ExportFile &operator=(const ExportFile &) = delete;

    [[nodiscard]] std::optional<ExportError> open();
    bool rewritesInPlace() const;

    // Writes all of `bytes` at `offset`.
    [[nodiscard]] std::optional<ExportError> writeAt(qint64 offset, QByteArrayView bytes);

    // The temporary file: takes the target's owner, group, mode and
    // extended attributes (Windows: its attributes), is synced and closed,
    // and takes the target's name. A failure at the step Replace means that
    // the target was not touched; openInPlaceInstead() may then be tried.
    [[nodiscard]] std::optional<ExportError> replace();
    // After replace() failed: drops the temporary file and opens the target
    // itself, to be rewritten in place. Where that cannot be done either,
    // the error to report (`refused`, or a better reason for it).
    [[nodiscard]] std::optional<ExportError> openInPlaceInstead(const ExportError &refused);

    // In place only. The target's whole present content, at most `limit`
    // bytes (a larger file is refused at the step Open).
    [[nodiscard]] std::optional<ExportError> readAll(QByteArray &content, qint64 limit);
    // Claims the space of `size` bytes without changing the file's length.
    // A file system that cannot reserve space is no failure: the writes
    // then find out.
    [[nodiscard]] std::optional<ExportError> reserve(qint64 size);
    // Sets the length; space reserved past it is freed.
    [[nodiscard]] std::optional<ExportError> truncate(qint64 size);
    [[nodiscard]] std::optional<ExportError> sync();
    // Gives the file back the modification time it had when opened, where
    // the process may (after its old content was put back).
    void restoreTimes();
    [[nodiscard]] std::optional<ExportError> close();

private:
    struct Private;
    std::unique_ptr<Private> d;
};

} // namespace convert
