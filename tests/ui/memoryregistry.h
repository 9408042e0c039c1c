#pragma once

#include "registry.h"

#include <QHash>

#include <algorithm>

// An in-memory registry below LocalMachine. Like the machine-wide registry
// for a user without administrator rights, it refuses to open a key for more
// than reading. A null value stands for none.
class MemoryRegistry final : public Registry
{
public:
    struct Value
    {
        quint32 type = 0;
        QByteArray bytes;
    };
    QHash<QString, QHash<QString, Value>> keys; // values by key path and name
    int keysAsked = 0; // found or not
    QHash<Key, QString> openKeys;

    Opened openKey(Key root, const QString &path, quint32 access) override
    {
        const Key key = ++keysAsked;
        if (root != LocalMachine || !keys.contains(path))
            return {FileNotFound, 0};
        if (access & (0x2 | 0x4 | 0x20)) // set value, create sub-key, create link
            return {AccessDenied, 0};
        openKeys.insert(key, path);
        return {Success, key};
    }
    Queried queryValue(Key key, const QString &name, QByteArray &buffer) override
    {
        const Value value = keys.value(openKeys.value(key)).value(name);
        const auto byteCount = static_cast<quint32>(value.bytes.size());
        if (value.bytes.isNull())
            return {FileNotFound, 0, 0};
        if (value.bytes.size() > buffer.size())
            return {MoreData, value.type, byteCount};
        std::copy(value.bytes.cbegin(), value.bytes.cend(), buffer.begin());
        return {Success, value.type, byteCount};
    }
    void closeKey(Key key) override { openKeys.remove(key); }
};
