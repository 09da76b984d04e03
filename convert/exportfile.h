// SPDX-License-Identifier: MIT
#pragma once

#include "convert/export.h"

#include <QByteArrayView>
#include <QString>

#include <memory>
#include <optional>

namespace convert {

// The file that an export writes, one unit per platform: a temporary
// file beside the target that replaces it on commit(), or, where none can
// be made beside an existing target, the target itself, rewritten in
// place. Every step reports its own failure; nothing is left to a later
// step to notice. Destroying an uncommitted file removes the temporary
// file and leaves the target as it was.
class ExportFile {
public:
    explicit ExportFile(const QString &path);
    ~ExportFile();
    ExportFile(const ExportFile &) = delete;
    ExportFile &operator=(const ExportFile &) = delete;

    [[nodiscard]] std::optional<ExportError> open();
    bool rewritesInPlace() const;
    // Claims the space of `size` bytes before anything is overwritten.
    [[nodiscard]] std::optional<ExportError> reserve(qint64 size);
    [[nodiscard]] std::optional<ExportError> write(QByteArrayView bytes);
    // Syncs, closes and puts the content in place of the target.
    [[nodiscard]] std::optional<ExportError> commit();

private:
    struct Private;
    std::unique_ptr<Private> d;
};

} // namespace convert
