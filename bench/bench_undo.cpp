// Undo and its history: Undo of 10,000 renames against the pass that made
// them, and what the history costs when the program starts, when the File
// menu opens and when Undo is chosen, with 50 journals kept.
#include "executionpass.h"
#include "journal.h"
#include "linuxfilesystem.h"
#include "openfilelimit.h"
#include "passhost.h"
#include "passsettings.h"
#include "undohistory.h"
#include "undopass.h"

#include <QDateTime>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <cstdio>
#include <fcntl.h>
#include <functional>
#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

class QuietHost final : public PassHost
{
public:
    explicit QuietHost(QString folder)
    {
        settings.startFolder = std::move(folder);
        settings.includeSubfolders = true;
        settings.overrideReadOnly = true;
        settings.limit = 1000000;
        settings.rules.copy = true;
        settings.rules.maxLength = 60;
    }
    PassSettings settings;
    int failures = 0;

    bool continueAfter(const Failure &failure) override
    {
        if (++failures <= 3)
            std::printf("  failure %d: %s\n", failure.number, qPrintable(failure.description));
        return true;
    }
    bool startOnWholeDrive(const QString &) override { return true; }
};

double secondsOf(const std::function<void()> &work)
{
    QElapsedTimer timer;
    timer.start();
    work();
    return double(timer.nsecsElapsed()) / 1e9;
}

// `files` names with a copy tag in 100 folders.
void buildTree(const QByteArray &root, int files)
{
    for (int f = 0; f < 100; ++f)
        mkdir((root + "/folder " + QByteArray::number(f)).constData(), 0755);
    for (int i = 0; i < files; ++i) {
        const QByteArray path = root + "/folder " + QByteArray::number(i % 100) + "/CC file "
            + QByteArray::number(i) + ".txt";
        ::close(::open(path.constData(), O_WRONLY | O_CREAT | O_EXCL, 0644));
    }
}

} // namespace

int main()
{
    constexpr int Files = 10'000;
    constexpr int Runs = 5;
    LinuxFileSystem native;
    double plain = 1e9;
    double pass = 1e9;
    double undo = 1e9;
    QTemporaryDir history;
    for (int run = 0; run < Runs; ++run) {
        {
            QTemporaryDir dir;
            buildTree(QFile::encodeName(dir.path()), Files);
            QuietHost host(dir.path());
            plain = std::min(
                plain, secondsOf([&] { ExecutionPass(native, host, host.settings).execute(); }));
        }
        QTemporaryDir dir;
        buildTree(QFile::encodeName(dir.path()), Files);
        QuietHost host(dir.path());
        int renamed = 0;
        pass = std::min(pass, secondsOf([&] {
            JournalWriter journal(history.path());
            ExecutionPass execution(native, host, host.settings, &journal);
            renamed = execution.execute().filesFixed;
        }));
        int back = 0;
        undo = std::min(undo, secondsOf([&] {
            UndoHistory undoHistory(history.path());
            Result<std::optional<HeldJournal>> newest = undoHistory.takeNewest();
            UndoPass undoPass(native, host, folderDescriptorBudget());
            const Journal left = undoPass.run(newest.value()->journal());
            (void)undoHistory.keep(*newest.value(), left);
            back = undoPass.summary().filesFixed;
        }));
        if (renamed != Files || back != Files || host.failures > 0)
            std::printf(
                "run %d: %d renamed, %d back, %d failures\n", run, renamed, back, host.failures);
    }
    std::printf("pass renaming %d files: %.3f s without its journal, %.3f s with it: %+.1f%% "
                "(target 10%%)\n",
        Files, plain, pass, 100 * (pass / plain - 1));
    std::printf("Undo of those renames:   %.3f s  (%.2f of the pass)\n", undo, undo / pass);

    // Fifty journals of 10,000 records each, as a history at its limit.
    Journal full{0, {{-1, "/home/ann/Downloads", {1, 2, 040755}}}, {}};
    for (int i = 0; i < Files; ++i)
        full.records.append({JournalRecord::Kind::Rename, 0, "CC file " + QByteArray::number(i),
            "file " + QByteArray::number(i), {1, quint64(100 + i), 0100644}});
    const qint64 now = QDateTime::currentMSecsSinceEpoch();
    for (int i = 0; i < UndoHistory::KeptJournals; ++i) {
        full.madeAt = now - i * 1000;
        (void)JournalFile::replace(
            history.path() + u"/%1-1-0.journal"_s.arg(full.madeAt, 13, 10, QChar(u'0')), full);
    }
    UndoHistory kept(history.path());
    bool available = false;
    const double menu = secondsOf([&] {
        for (int i = 0; i < 100; ++i)
            available = kept.hasUndo();
    }) / 100;
    double take = 1e9;
    for (int run = 0; run < Runs; ++run)
        take = std::min(take, secondsOf([&] { (void)kept.takeNewest(); }));
    double prune = 1e9;
    for (int run = 0; run < Runs; ++run)
        prune = std::min(prune, secondsOf([&] { (void)kept.prune(); }));
    std::printf("\nwith %d journals of %d records kept:\n", int(kept.names().size()), Files);
    std::printf("  start-up and File menu (is there an Undo?): %.1f us (%s)\n", menu * 1e6,
        available ? "yes" : "no");
    std::printf("  Undo chosen (newest journal read):          %.1f ms\n", take * 1e3);
    std::printf("  end of a pass (history pruned):             %.1f ms\n", prune * 1e3);
    return 0;
}
