// SPDX-License-Identifier: MIT
#pragma once

#include <QDir>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

// A fresh temporary folder for one export case, removed with the object.
class ExportFolder {
public:
    bool isValid() const { return m_dir.isValid(); }
    QString path() const { return m_dir.path(); }
    QString pathOf(const QString &name) const { return m_dir.filePath(name); }
    // The files in it, the hidden ones left out, as an export's leftovers
    // would show.
    QStringList filesHere() const { return QDir(m_dir.path()).entryList(QDir::Files); }

private:
    QTemporaryDir m_dir;
};
