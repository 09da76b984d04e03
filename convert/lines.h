// SPDX-License-Identifier: MIT
#pragma once

#include "convert/rows.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>

namespace convert {

// Lines of text, back to back in one buffer with their end
// offsets beside it: a million short lines cost two allocations instead of
// a million, and about half the memory of a QStringList.
class Lines : public Rows {
public:
    qsizetype size() const override { return m_ends.size(); }
    bool isEmpty() const { return m_ends.isEmpty(); }

    // Each line as it was appended, a NUL included.
    void appendLine(qsizetype row, QString &out) const override { out += at(row); }

    QStringView at(qsizetype i) const
    {
        const qsizetype begin = i == 0 ? 0 : m_ends[i - 1];
        return QStringView(m_text).mid(begin, m_ends[i] - begin);
    }

    // Appends one line: a QString, a view, or a QStringBuilder expression.
    template <typename Line>
    void append(const Line &line)
    {
        m_text += line;
        m_ends.append(m_text.size());
    }

    void reserve(qsizetype lines, qsizetype characters)
    {
        m_ends.reserve(lines);
        m_text.reserve(characters);
    }

    QStringList toStringList() const
    {
        QStringList list;
        list.reserve(size());
        for (qsizetype i = 0; i < size(); ++i)
            list.append(at(i).toString());
        return list;
    }

private:
    QString m_text;
    QList<qsizetype> m_ends;
};

} // namespace convert
