#pragma once

#include "registry.h"

#include <QHash>

#include <algorithm>
#include <utility>

// An in-memory registry below LocalMachine. Like the machine-wide registry
// for a user without administrator rights, it refuses to open a key for more
// than reading. A null value stands for none.
class MemoryRegistry final : public Registry
{
public:
    using Value = std::pair<quint32, QByteArray>; // type, bytes
    QHash<QString, QHash<QString, Value>> keys; // values by key path and name
    QHash<Key, QString> openKeys;

    Opened openKey(Key root, const QString &path, quint32 access) override
    {
        const Key key = ++m_lastKey;
        if (root != LocalMachine || !keys.contains(path))
            return {FileNotFound, 0};
        if (access & (0x2 | 0x4 | 0x20)) // set value, create sub-key, create link
            return {AccessDenied, 0};
        openKeys.insert(key, path);
        return {Success, key};
    }
    Queried queryValue(Key key, const QString &name, QByteArray &buffer) override
    {
        const auto [type, bytes] = keys.value(openKeys.value(key)).value(name);
        const auto byteCount = static_cast<quint32>(bytes.size());
        if (bytes.isNull())
            return {FileNotFound, 0, 0};
        if (bytes.size() > buffer.size())
            return {MoreData, type, byteCount};
        std::copy(bytes.cbegin(), bytes.cend(), buffer.begin());
        return {Success, type, byteCount};
    }
    void closeKey(Key key) override { openKeys.remove(key); }

private:
    Key m_lastKey = 0;
};
