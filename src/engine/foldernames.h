#pragma once

#include "folderlisting.h"

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QSet>
#include <QString>

#include <vector>

// The names of one folder's entries that are not folders, as the pass
// changes them: its listing, less the names renamed away, plus the names
// renamed to. It answers "is this name taken?" without asking the file
// system, and remembers how far the numbering of a cleaned name got, so
// that a thousand files that clean to one name are numbered in linear time.
class FolderNames final
{
public:
    explicit FolderNames(const FolderListing &listing);

    bool isTaken(QByteArrayView name) const;
    void renamed(QByteArrayView from, const QByteArray &to);

    // The lowest number that is not known to be taken for `cleaned`; 0
    // stands for the cleaned name itself.
    int firstCandidate(const QString &cleaned) const { return m_next.value(cleaned, 0); }
    // Number `number` of `cleaned`, named `candidate`, is taken: later
    // numberings of `cleaned` start past it until that name is freed.
    void candidateTaken(const QString &cleaned, int number, const QByteArray &candidate);

private:
    bool inListing(QByteArrayView name) const;

    const FolderListing &m_listing;
    // Indexes of m_listing.files() in name order, made at the first question.
    mutable std::vector<quint32> m_sorted;
    mutable bool m_indexed = false;
    QSet<QByteArray> m_gone; // listed names renamed away
    QSet<QByteArray> m_added; // names renamed to

    struct Numbered
    {
        QString cleaned;
        int number;
    };
    QHash<QString, int> m_next;
    QHash<QByteArray, QList<Numbered>> m_reliedOn; // taken candidate -> numberings
};
