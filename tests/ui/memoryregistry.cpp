#include "memoryregistry.h"

#include <algorithm>

Registry::Opened MemoryRegistry::openKey(Key root, const QString &path, quint32 access)
{
    constexpr quint32 writeRights = 0x2 | 0x4 | 0x20; // set value, create sub-key, create link
    m_asked.append(path);
    if (root != LocalMachine || !m_keys.contains(path.toLower()))
        return {FileNotFound, 0};
    if (access & writeRights)
        return {AccessDenied, 0};
    m_open.insert(m_nextKey, path.toLower());
    return {Success, m_nextKey++};
}

Registry::Queried MemoryRegistry::queryValue(Key key, const QString &valueName, QByteArray &buffer)
{
    if (!m_open.contains(key))
        return {InvalidHandle, 0, 0};
    const auto &values = m_keys.value(m_open.value(key));
    const auto value = values.find(valueName.toLower());
    if (value == values.cend())
        return {FileNotFound, 0, 0};
    const auto byteCount = static_cast<quint32>(value->bytes.size());
    if (value->bytes.size() > buffer.size())
        return {MoreData, value->type, byteCount};
    std::copy(value->bytes.cbegin(), value->bytes.cend(), buffer.begin());
    return {Success, value->type, byteCount};
}
