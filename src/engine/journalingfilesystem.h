#pragma once

#include "filesystem.h"

class JournalWriter;

// Writes a journal record before every change made through it: a rename, or
// the clearing of a read-only bit, with the file's identity and mode. A
// change whose record cannot be written is not made and its failure goes to
// the pass; after that, the journal is given up and every later change goes
// on without one. A change that fails takes its record back.
class JournalingFileSystem final : public FileSystem
{
public:
    JournalingFileSystem(FileSystem &inner, JournalWriter &journal)
        : m_inner(inner)
        , m_journal(journal)
    { }

    Result<FolderPtr> openFolder(const QString &path) override;

private:
    FileSystem &m_inner;
    JournalWriter &m_journal;
};
