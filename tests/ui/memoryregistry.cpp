#include "memoryregistry.h"

#include <algorithm>

namespace {

constexpr quint32 WriteRights = 0x2 | 0x4 | 0x20; // set value, create sub-key, create link

} // namespace

void MemoryRegistry::setValue(
    const QString &keyPath, const QString &valueName, quint32 type, const QByteArray &bytes)
{
    m_keys[keyPath.toLower()][valueName.toLower()] = {type, bytes};
}

void MemoryRegistry::setText(const QString &keyPath, const QString &valueName, const QString &text)
{
    QByteArray bytes = text.toLocal8Bit();
    bytes.append('\0');
    setValue(keyPath, valueName, TextType, bytes);
}

Registry::Opened MemoryRegistry::openKey(Key root, const QString &path, quint32 access)
{
    m_asked.append(path);
    if (root != LocalMachine || !m_keys.contains(path.toLower()))
        return {FileNotFound, 0};
    if (access & WriteRights)
        return {AccessDenied, 0};
    const Key key = m_nextKey++;
    m_open.insert(key, path.toLower());
    return {Success, key};
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

void MemoryRegistry::closeKey(Key key)
{
    m_open.remove(key);
}
