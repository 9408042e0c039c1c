#include "benchnames.h"

#include <QRandomGenerator>

using namespace Qt::StringLiterals;

QStringList benchNames(int count, int dirtyEvery)
{
    // Clean for every switch the window has, underscores to blanks too.
    static const QStringList clean = {
        u"IMG %1.jpg"_s,
        u"%1 - Artist - Song Title.mp3"_s,
        u"Report %1 final.docx"_s,
        u"Holiday in Greece %1.mp4"_s,
        u"scan%1.pdf"_s,
        u"Ünïcødé ñame %1.txt"_s,
    };
    // Cleaned once, a dirty name is clean: a cut that left a blank at the
    // end would be cleaned again by the next pass. Each holds a run of
    // dashes or underscores, so that a peer that only collapses those
    // renames the same files.
    static const QStringList dirty = {
        u"CC Movie__Title--%1 ( ) [www.Site-Ads.com].avi"_s,
        u"  Track %1 -- (DOWNLOADED FROM freemusic.example)  .mp3"_s,
        u"ZZ copy of___report %1 [] {}.pdf"_s,
        u"Some!!Very##Long   name with   blanks %1 and more text beyondthelimitofsixtycharacters -- .txt"_s,
    };
    QRandomGenerator random(20261206);
    QStringList names;
    names.reserve(count);
    for (int i = 0; i < count; ++i) {
        const bool isDirty = dirtyEvery > 0 && i % dirtyEvery == 0;
        const QStringList &pool = isDirty ? dirty : clean;
        names.append(pool[int(random.bounded(pool.size()))].arg(i));
    }
    return names;
}

QStringList benchRemovals(int count)
{
    QStringList list = {u"[www.Site-Ads.com]"_s, u"(DOWNLOADED FROM freemusic.example)"_s};
    for (int i = list.size(); i < count; ++i)
        list.append(u"advert-%1.example"_s.arg(i));
    list.resize(qMin<qsizetype>(count, list.size()));
    return list;
}
