#pragma once

#include "cleaningrules.h"

#include <QRandomGenerator>
#include <QString>
#include <QStringList>
#include <QStringView>

// Reproducible random cleaning rules and names for comparing the prepared
// cleaner with the reference. Both lean towards what the steps look for:
// special characters and their doubles, brackets and empty pairs, runs of
// blanks, copy tags, dots, letters whose case folding is not plain ASCII
// (Ä/ä, Σ/σ/ς, İ/ı, ß/ẞ, µ/μ, the Kelvin sign), characters outside the basic
// plane with and without case, lone surrogates, and the removal entries
// themselves in changed letter case, so that entries occur, overlap and join.
class RandomCleaning final
{
public:
    explicit RandomCleaning(quint32 seed);

    // Random switches, a removal list of 0 to 50 entries (empty ones,
    // duplicates, overlapping ones, ones with specials, blanks and
    // surrogates) and a maximum-length text (whole, fractional, odd, and
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
    QStringView oneOf(const QString &units);
    QStringView atom();
    void appendAtoms(QString &text, int count);
    void appendInOtherCase(QString &out, QStringView text);
    QString entry(const QStringList &before);
    QString maxLength();

    QRandomGenerator m_random;
};
