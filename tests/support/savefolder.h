// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QString>
#include <QTemporaryDir>

// A slot's worth of bytes that no slot of the fixtures holds by chance.
inline const QByteArray marker = QByteArray::fromHex("D5C5C8FD41420043");

// A fresh temporary folder with Chinese and blanks in its name, as in a
// real game folder, removed with the object.
class SaveFolder {
public:
    SaveFolder() : m_ready(m_dir.isValid() && QDir(m_dir.path()).mkdir(QStringLiteral("存盘 文件")))
    {
    }
    // Read-only files would stay behind on Windows.
    ~SaveFolder()
    {
        for (const QFileInfo &file : QDir(folder()).entryInfoList(QDir::Files | QDir::Hidden))
            QFile::setPermissions(file.filePath(), file.permissions() | QFileDevice::WriteOwner);
    }
    SaveFolder(const SaveFolder &) = delete;
    SaveFolder &operator=(const SaveFolder &) = delete;
    bool isValid() const { return m_ready; }
    QString path(const QString &name = QStringLiteral("ShinSangokumusou3.dat")) const
    {
        return folder() + QLatin1Char('/') + name;
    }
    QString folder() const { return m_dir.path() + QStringLiteral("/存盘 文件"); }

private:
    QTemporaryDir m_dir;
    bool m_ready;
};
