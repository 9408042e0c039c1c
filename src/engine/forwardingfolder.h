#pragma once

#include "filesystem.h"

// A folder that hands every operation to another one: the base of layers
// that change a few operations and leave the rest to the folder below.
class ForwardingFolder : public Folder
{
public:
    explicit ForwardingFolder(FolderPtr inner)
        : m_inner(std::move(inner))
    { }

    const QString &path() const override { return m_inner->path(); }
    Result<FolderListing> list() override { return m_inner->list(); }
    Result<FolderPtr> openSubFolder(QByteArrayView name) override
    {
        return m_inner->openSubFolder(name);
    }
    Result<EntryAttributes> attributes(QByteArrayView name) override
    {
        return m_inner->attributes(name);
    }
    Status setAttributes(QByteArrayView name, quint32 attributes) override
    {
        return m_inner->setAttributes(name, attributes);
    }
    Status rename(QByteArrayView name, QByteArrayView newName) override
    {
        return m_inner->rename(name, newName);
    }
    Result<bool> fileExists(QByteArrayView name) override { return m_inner->fileExists(name); }
    bool ignoresCase() override { return m_inner->ignoresCase(); }
    bool isMountRoot() override { return m_inner->isMountRoot(); }
    Result<EntryIdentity> identity(QByteArrayView name) override { return m_inner->identity(name); }
    Status setMode(QByteArrayView name, quint32 mode) override
    {
        return m_inner->setMode(name, mode);
    }

protected:
    Folder &inner() const { return *m_inner; }

private:
    FolderPtr m_inner;
};
