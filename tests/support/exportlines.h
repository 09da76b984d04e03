// SPDX-License-Identifier: MIT
#pragma once

#include "convert/export.h"
#include "support/codec.h"

#include <QByteArray>
#include <QDir>
#include <QStringList>

#include <optional>

// The export of a list of lines, and what the export tests say about it.
inline std::optional<convert::ExportError> exportTo(const QString &path, const QStringList &list)
{
    convert::Lines lines;
    for (const QString &line : list)
        lines.append(line);
    return convert::exportLines(path, lines, testCodec());
}

// Lines of about 20 bytes each in code page 936.
inline QStringList someLines(int count)
{
    return QStringList(count, QStringLiteral("序号:1  D6BB = 只"));
}

inline QByteArray describe(const std::optional<convert::ExportError> &error)
{
    return error ? "step " + QByteArray::number(int(error->step)) + " code "
                       + QByteArray::number(error->code)
                 : QByteArray("no error");
}

inline QStringList everythingIn(const QString &folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System
                                  | QDir::NoDotAndDotDot);
}
