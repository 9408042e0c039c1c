#pragma once

#include "cleaningrules.h"
#include "failure.h"

#include <QString>
#include <QStringView>

#include <memory>
#include <optional>

struct CleanResult
{
    // The cleaned name. When `failure` is set, this is the name with every
    // step done but the one that failed, which is what the caller uses when
    // the user chooses to go on.
    QString name;
    std::optional<Failure> failure;
};

// Cleans file names under one set of rules. What depends on the rules alone
// (the maximum length read from its text, the removal entries in the form
// in which they are compared) is prepared once, by the constructor, so that
// a pass builds one NameCleaner and calls clean() for every file.
//
// A removal entry matches any run of whole user-perceived characters that
// is canonically equivalent to it without regard to case, however either
// encodes its accents; only the matched characters go, and the rest of the
// name keeps its units. A name that no step changes comes back as the same
// shared string.
class NameCleaner final
{
public:
    explicit NameCleaner(const CleaningRules &rules);

    // Only the base (everything before the last ".") is cleaned; the
    // extension comes back unchanged. Keeps nothing between calls.
    CleanResult clean(const QString &name) const;

private:
    struct Removals;

    bool leavesAlone(QStringView base, qsizetype nameSize) const;

    bool m_underline;
    bool m_copy;
    bool m_multSpecial;
    bool m_multSpace;
    bool m_empty;
    bool m_starting;
    bool m_ending;
    double m_maxLength;
    std::shared_ptr<const Removals> m_removals; // null when no entry can remove anything
};

// Computes the cleaned form of one file name under `rules`: the same as
// NameCleaner(rules).clean(name). The cleaner touches no file and keeps
// nothing between calls.
CleanResult CleanFileName(const QString &name, const CleaningRules &rules);
