// Prints how many names per second the cleaner turns over, with an empty
// removal list and with a list of 50 entries. It prints figures and never
// fails.
#include "benchnames.h"
#include "namecleaner.h"

#include <QElapsedTimer>

#include <cstdio>

using namespace Qt::StringLiterals;

namespace {

double namesPerSecond(const QStringList &names, const CleaningRules &rules, qsizetype *changed)
{
    QElapsedTimer timer;
    timer.start();
    qsizetype n = 0;
    qsizetype rounds = 0;
    do {
        for (const QString &name : names)
            n += CleanFileName(name, rules).name != name;
        ++rounds;
    } while (timer.elapsed() < 1000);
    *changed = n / rounds;
    return double(rounds * names.size()) / (double(timer.nsecsElapsed()) / 1e9);
}

} // namespace

int main()
{
    const QStringList names = benchNames(100'000);
    CleaningRules rules;
    rules.underline = rules.copy = rules.multSpecial = rules.multSpace = true;
    rules.empty = rules.starting = rules.ending = true;
    rules.maxLength = u"60"_s;

    for (int entries : {0, 50}) {
        rules.removals = benchRemovals(entries);
        qsizetype changed = 0;
        const double rate = namesPerSecond(names, rules, &changed);
        std::printf("cleaner, %2d removal entries: %10.0f names/s (%lld of %lld names change)\n",
            entries, rate, static_cast<long long>(changed), static_cast<long long>(names.size()));
    }
    return 0;
}
