#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

// A per-user settings folder of its own for one test: a store made with
// folder() as its folder is kept in a fresh temporary folder.
class TempStore final
{
public:
    QString folder() const { return m_dir.path(); }
    // Where the store of `name` keeps its file.
    QString filePath(const QString &name) const
    {
        return m_dir.filePath(name + QLatin1Char('/') + name + QStringLiteral(".conf"));
    }

    bool write(const QString &name, const QByteArray &content) const
    {
        QDir().mkpath(m_dir.filePath(name));
        QFile file(filePath(name));
        return file.open(QIODevice::WriteOnly) && file.write(content) == content.size();
    }

private:
    QTemporaryDir m_dir;
};
