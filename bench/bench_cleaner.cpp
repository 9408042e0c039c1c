// Prints how many names per second the cleaner turns over with every switch
// on, in three cases: an empty removal list; 50 entries of which at most two
// occur in a name (the common case); 50 entries that all occur in every name.
// It prints figures and targets and never fails.
#include "benchnames.h"
#include "namecleaner.h"

#include <QElapsedTimer>
#include <QRandomGenerator>

#include <cstdio>

using namespace Qt::StringLiterals;

namespace {

struct Case
{
    const char *title;
    QStringList names;
    QStringList removals;
    double target; // names per second; 0 when there is none
};

// 50 entries of a letter and a digit, "a0" to "e9".
QStringList everywhereRemovals()
{
    QStringList list;
    for (char16_t letter = u'a'; letter <= u'e'; ++letter)
        for (char16_t digit = u'0'; digit <= u'9'; ++digit)
            list.append(QString(QChar(letter)) + QChar(digit));
    return list;
}

// The bench names with all of `removals` put in front of the extension, each
// entry in a random letter case: every entry occurs in every name.
QStringList namesHolding(const QStringList &names, const QStringList &removals)
{
    QRandomGenerator random(20261207);
    QStringList result;
    result.reserve(names.size());
    for (const QString &name : names) {
        QString block = u" "_s;
        for (const QString &entry : removals)
            block += random.bounded(2) ? entry.toUpper() : entry;
        qsizetype dot = name.lastIndexOf(u'.');
        if (dot < 0)
            dot = name.size();
        result.append(name.left(dot) + block + name.mid(dot));
    }
    return result;
}

double namesPerSecond(const QStringList &names, const CleaningRules &rules, qsizetype *changed)
{
    QElapsedTimer timer;
    timer.start();
    qsizetype n = 0;
    qsizetype rounds = 0;
    do {
        // One cleaner per pass over the names, as the execution pass does.
        const NameCleaner cleaner(rules);
        for (const QString &name : names)
            n += cleaner.clean(name).name != name;
        ++rounds;
    } while (timer.elapsed() < 1000);
    *changed = n / rounds;
    return double(rounds * names.size()) / (double(timer.nsecsElapsed()) / 1e9);
}

} // namespace

int main()
{
    const QStringList names = benchNames(100'000);
    const QStringList everywhere = everywhereRemovals();
    const Case cases[] = {
        {"empty removal list", names, {}, 5'000'000},
        {"50 entries, at most two occur", names, benchRemovals(50), 2'000'000},
        {"50 entries, all occur", namesHolding(names, everywhere), everywhere, 0},
    };

    CleaningRules rules;
    rules.underline = rules.copy = rules.multSpecial = rules.multSpace = true;
    rules.empty = rules.starting = rules.ending = true;
    rules.maxLength = 60;

    for (const Case &c : cases) {
        rules.removals = c.removals;
        qsizetype changed = 0;
        const double rate = namesPerSecond(c.names, rules, &changed);
        std::printf("cleaner, %-30s %10.0f names/s (%lld of %lld names change)", c.title, rate,
            static_cast<long long>(changed), static_cast<long long>(c.names.size()));
        if (c.target > 0)
            std::printf(", target %.0f: %s", c.target, rate >= c.target ? "met" : "missed");
        std::printf("\n");
    }
    return 0;
}
