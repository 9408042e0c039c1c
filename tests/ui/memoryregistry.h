#pragma once

#include "registry.h"

#include <QByteArray>
#include <QHash>
#include <QString>
#include <QStringList>

// An in-memory registry below LocalMachine. Like the machine-wide registry
// for a user without administrator rights, it refuses to open a key for more
// than reading.
class MemoryRegistry final : public Registry
{
public:
    void setValue(
        const QString &keyPath, const QString &valueName, quint32 type, const QByteArray &bytes)
    {
        m_keys[keyPath.toLower()][valueName.toLower()] = {type, bytes};
    }
    void setText(const QString &keyPath, const QString &valueName, const QString &text)
    {
        setValue(keyPath, valueName, TextType, text.toLocal8Bit() + '\0');
    }

    // Every key path asked for, in order, whether it exists or not.
    const QStringList &askedKeys() const { return m_asked; }
    qsizetype openKeyCount() const { return m_open.size(); }

    Opened openKey(Key root, const QString &path, quint32 access) override;
    Queried queryValue(Key key, const QString &valueName, QByteArray &buffer) override;
    void closeKey(Key key) override { m_open.remove(key); }

private:
    struct Value
    {
        quint32 type = 0;
        QByteArray bytes;
    };

    QHash<QString, QHash<QString, Value>> m_keys; // lower-case paths and names
    QHash<Key, QString> m_open;
    Key m_nextKey = 0x100;
    QStringList m_asked;
};
