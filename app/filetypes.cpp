// SPDX-License-Identifier: MIT
#include "app/filetypes.h"

#include "app/messages.h"

#include <QFileIconProvider>
#include <QIconEngine>

namespace {

// An icon whose type is matched when it is first drawn.
class LaterIcon : public QIconEngine {
public:
    LaterIcon(std::shared_ptr<const FileTypes> types, QString fileName)
        : m_types(std::move(types)), m_fileName(std::move(fileName))
    {
    }

    void paint(QPainter *painter, const QRect &rect, QIcon::Mode mode, QIcon::State state) override
    {
        drawn().paint(painter, rect, Qt::AlignCenter, mode, state);
    }
    QPixmap pixmap(const QSize &size, QIcon::Mode mode, QIcon::State state) override
    {
        return drawn().pixmap(size, mode, state);
    }
    QSize actualSize(const QSize &size, QIcon::Mode mode, QIcon::State state) override
    {
        return drawn().actualSize(size, mode, state);
    }
    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override
    {
        return drawn().availableSizes(mode, state);
    }
    QString iconName() override { return drawn().name(); }
    QIconEngine *clone() const override { return new LaterIcon(m_types, m_fileName); }

private:
    const QIcon &drawn()
    {
        if (m_icon.isNull())
            m_icon = m_types->themeIcon(m_fileName);
        return m_icon;
    }

    const std::shared_ptr<const FileTypes> m_types;
    const QString m_fileName;
    QIcon m_icon;
};

} // namespace

QIcon FileTypes::icon(const QString &fileName)
{
    return QIcon(new LaterIcon(shared_from_this(), fileName));
}

QMimeType FileTypes::typeOf(const QString &fileName) const
{
    // An icon and the words for one file are asked for in turn: one match
    // of the name serves both.
    const QMutexLocker lock(&m_lock);
    if (fileName != m_lastName) {
        m_lastType = m_types.mimeTypeForFile(fileName, QMimeDatabase::MatchExtension);
        m_lastName = fileName;
    }
    return m_lastType;
}

QIcon FileTypes::themeIcon(const QString &fileName) const
{
    // Each theme lookup probes the theme's folders on disk.
    const QString name = typeOf(fileName).iconName();
    const QIcon unknown = standardIcon(QFileIconProvider::File);
    const QMutexLocker lock(&m_lock);
    auto known = m_icons.constFind(name);
    if (known == m_icons.cend())
        known = m_icons.insert(name, QIcon::fromTheme(name, unknown));
    return *known;
}

QIcon FileTypes::folderIcon() const
{
    return standardIcon(QFileIconProvider::Folder);
}

QIcon FileTypes::standardIcon(QAbstractFileIconProvider::IconType kind) const
{
    const QString key = QLatin1Char(':') + QString::number(kind); // no icon name starts so
    const QMutexLocker lock(&m_lock);
    auto known = m_icons.constFind(key);
    if (known == m_icons.cend())
        known = m_icons.insert(key, QFileIconProvider().icon(kind));
    return *known;
}

QString FileTypes::description(const QString &fileName) const
{
    // Qt reads a type's words, in the program's language, afresh each time.
    const QMimeType type = typeOf(fileName);
    const QMutexLocker lock(&m_lock);
    auto known = m_descriptions.constFind(type.name());
    if (known == m_descriptions.cend()) {
        const QString words = type.comment();
        known = m_descriptions.insert(type.name(),
                                      words.isEmpty() ? messages::plainFileType.toString() : words);
    }
    return *known;
}
