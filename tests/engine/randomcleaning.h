#pragma once

#include "cleaningrules.h"

#include <QRandomGenerator>

// Switch letters: u underline, c copy, s doubled specials, p repeated
// blanks, e empty pairs, b leading delimiters, n trailing delimiters; "all"
// turns on every one.
CleaningRules rulesFrom(
    const QString &switches, const QString &maxLength, const QStringList &removals = {});

// Reproducible random cleaning rules and names for comparing the prepared
// cleaner with the reference. Both lean towards what the steps look for:
// special characters and their doubles, brackets and empty pairs, runs of
// blanks, copy tags, dots, letters whose case folding is not plain ASCII,
// characters outside the basic plane, lone surrogates, and the removal
// entries themselves in changed letter case, so that entries occur, overlap
// and join.
class RandomCleaning final
{
public:
    explicit RandomCleaning(quint32 seed)
        : m_random(seed)
    { }

    // Random switches, a removal list of 0 to 50 entries (empty ones,
    // duplicates, overlapping ones, long ones, ones that start inside a
    // surrogate pair) and a maximum-length text (whole, fractional, odd, and
    // small enough to make the cut fail).
    CleaningRules rules();
    // A name that often holds some of `removals`.
    QString name(const QStringList &removals);

    // The text with every unit outside printable ASCII as \uXXXX.
    static QString escaped(const QString &text);
    static QString describe(const CleaningRules &rules);

private:
    int below(int bound) { return int(m_random.bounded(bound)); }
    bool chance(int percent) { return below(100) < percent; }
    template <typename List> auto oneOf(const List &list) { return list[below(int(list.size()))]; }
    QString atom();
    QString atoms(int count);
    QString inOtherCase(QStringView text);
    QString entry(const QStringList &before);

    QRandomGenerator m_random;
};
