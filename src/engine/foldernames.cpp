#include "foldernames.h"

#include <algorithm>

FolderNames::FolderNames(const FolderListing &listing)
    : m_listing(listing)
{ }

bool FolderNames::inListing(QByteArrayView name) const
{
    const QList<FolderListing::Entry> &files = m_listing.files();
    if (!m_indexed) {
        m_sorted.resize(size_t(files.size()));
        for (quint32 i = 0; i < m_sorted.size(); ++i)
            m_sorted[i] = i;
        std::sort(m_sorted.begin(), m_sorted.end(), [&](quint32 a, quint32 b) {
            return m_listing.name(files[a]) < m_listing.name(files[b]);
        });
        m_indexed = true;
    }
    const auto found = std::lower_bound(
        m_sorted.begin(), m_sorted.end(), name, [&](quint32 index, QByteArrayView wanted) {
            return m_listing.name(files[index]) < wanted;
        });
    return found != m_sorted.end() && m_listing.name(files[*found]) == name;
}

bool FolderNames::isTaken(QByteArrayView name) const
{
    const QByteArray key = QByteArray::fromRawData(name.data(), name.size());
    if (m_added.contains(key))
        return true;
    return inListing(name) && !m_gone.contains(key);
}

void FolderNames::renamed(QByteArrayView from, const QByteArray &to)
{
    const QByteArray freed = from.toByteArray();
    if (!m_added.remove(freed))
        m_gone.insert(freed);
    m_gone.remove(to);
    if (!inListing(to))
        m_added.insert(to);

    // A freed name is free for every numbering that had passed over it.
    for (const Numbered &numbered : m_reliedOn.take(freed)) {
        int &next = m_next[numbered.cleaned];
        next = std::min(next, numbered.number);
    }
}

void FolderNames::candidateTaken(const QString &cleaned, int number, const QByteArray &candidate)
{
    m_reliedOn[candidate].append({cleaned, number});
    int &next = m_next[cleaned];
    next = std::max(next, number + 1);
}
