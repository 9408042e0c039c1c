#pragma once

#include "cleaningrules.h"
#include "failure.h"

#include <QString>

#include <optional>

struct CleanResult
{
    // The cleaned name. When `failure` is set, this is the name with every
    // step done but the one that failed, which is what the caller uses when
    // the user chooses to go on.
    QString name;
    std::optional<Failure> failure;
};

// Computes the cleaned form of one file name. Only the base (everything
// before the last ".") is cleaned; the extension comes back unchanged. The
// cleaner touches no file and keeps nothing between calls.
CleanResult CleanFileName(const QString &name, const CleaningRules &rules);

// The cleaner of one pass: the rules are prepared once and every name of the
// pass is cleaned with them.
class NameCleaner final
{
public:
    explicit NameCleaner(const CleaningRules &rules)
        : m_rules(rules)
    { }

    CleanResult clean(const QString &name) const { return CleanFileName(name, m_rules); }

private:
    CleaningRules m_rules;
};
