// Prints how long an execution pass takes over a large folder tree on the
// real disk, next to what the same work costs without the pass around it:
//   (a) a bare walk: readdir and fstatat (relative to the folder) of every
//       entry, nothing cleaned;
//   (d) the cleaner alone over the same names;
//   (c) a pass that renames every file whose name needs cleaning;
//   (b) a second pass over the now clean tree, which renames nothing;
// a bare loop of the same renames, and the memory the pass needs. It prints
// figures and never fails.
#include "benchnames.h"
#include "executionpass.h"
#include "journal.h"
#include "linuxfilesystem.h"
#include "namecleaner.h"
#include "passhost.h"
#include "passpreview.h"
#include "passsettings.h"
#include "windowharness.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <filesystem>
#include <functional>
#include <malloc.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <type_traits>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

struct Options
{
    int files = 100'000;
    int folders = 1'000;
    int removals = 50;
    int dirtyEvery = 10;
    int wide = 50'000; // files in the one folder of the memory comparison
    int alike = 10'000; // files in one folder that all clean to one name
    QString parent; // where the tree goes; the temporary folder when empty
    bool journalOnly = false; // only what the undo journal costs
    bool cpuOnly = false; // only the CPU seconds of the window's pass and its peers
};

bool parse(int argc, char **argv, Options *options)
{
    for (int i = 1; i < argc; ++i) {
        const QByteArray arg(argv[i]);
        const bool hasValue = i + 1 < argc;
        const auto number = [&] { return std::atoi(argv[++i]); };
        if (arg == "--files" && hasValue)
            options->files = number();
        else if (arg == "--folders" && hasValue)
            options->folders = number();
        else if (arg == "--removals" && hasValue)
            options->removals = number();
        else if (arg == "--dirty-every" && hasValue)
            options->dirtyEvery = number();
        else if (arg == "--wide" && hasValue)
            options->wide = number();
        else if (arg == "--alike" && hasValue)
            options->alike = number();
        else if (arg == "--cpu-only")
            options->cpuOnly = true;
        else if (arg == "--journal-only")
            options->journalOnly = true;
        else if (arg == "--dir" && hasValue)
            options->parent = QFile::decodeName(argv[++i]);
        else
            return false;
    }
    return options->files > 0 && options->folders > 0 && options->removals >= 0
        && options->wide >= 0 && options->alike >= 0;
}

CleaningRules benchRules(int removals)
{
    CleaningRules rules;
    rules.underline = rules.copy = rules.multSpecial = rules.multSpace = true;
    rules.empty = rules.starting = rules.ending = true;
    rules.maxLength = 60;
    rules.removals = benchRemovals(removals);
    return rules;
}

// A window that shows nothing: it keeps the parts of the last file read and
// the last count fixed, the way the window keeps them until its bar paints,
// and answers OK to every failure.
class BenchHost final : public PassHost
{
public:
    BenchHost(QString folder, CleaningRules rules)
    {
        settings.startFolder = std::move(folder);
        settings.includeSubfolders = true;
        settings.overrideReadOnly = true;
        settings.limit = 1000000;
        settings.rules = std::move(rules);
    }

    PassSettings settings;
    int failures = 0;

    void fileRead(qint32 count, const QString &folder, const QString &name) override
    {
        m_read = count;
        m_readFolder = folder;
        m_readName = name;
    }
    void fileFixed(qint32 count) override { m_fixed = count; }
    bool continueAfter(const Failure &failure) override
    {
        if (++failures <= 3)
            std::printf("  failure %d: %s\n", failure.number, qPrintable(failure.description));
        return true;
    }
    bool startOnWholeDrive(const QString &) override { return true; }

private:
    qint32 m_read = 0;
    qint32 m_fixed = 0;
    QString m_readFolder;
    QString m_readName;
};

// Where the time of a pass goes and the heap it holds: every folder the pass
// opens is watched, call by call, and the heap is sampled at every listing.
class Probe final : public FileSystem
{
public:
    explicit Probe(FileSystem &inner)
        : m_inner(inner)
        , m_startHeap(heapInUse())
        , m_peakHeap(m_startHeap)
    {
        m_timer.start();
    }

    double listing = 0;
    double attributesRead = 0;
    double other = 0;
    qint64 heapGrowth() const { return m_peakHeap - m_startHeap; }

    Result<FolderPtr> openFolder(const QString &path) override
    {
        return watched(timed(&other, [&] { return m_inner.openFolder(path); }));
    }

private:
    class WatchedFolder final : public Folder
    {
    public:
        WatchedFolder(Probe &probe, FolderPtr inner)
            : m_probe(probe)
            , m_inner(std::move(inner))
        { }
        const QString &path() const override { return m_inner->path(); }
        Result<FolderListing> list() override
        {
            Result<FolderListing> listed
                = m_probe.timed(&m_probe.listing, [&] { return m_inner->list(); });
            m_probe.m_peakHeap = std::max(m_probe.m_peakHeap, heapInUse());
            return listed;
        }
        Result<FolderPtr> openSubFolder(QByteArrayView name) override
        {
            return m_probe.watched(
                m_probe.timed(&m_probe.other, [&] { return m_inner->openSubFolder(name); }));
        }
        Result<EntryAttributes> attributes(QByteArrayView name) override
        {
            return m_probe.timed(
                &m_probe.attributesRead, [&] { return m_inner->attributes(name); });
        }
        Status setAttributes(QByteArrayView name, quint32 attributes) override
        {
            return m_probe.timed(
                &m_probe.other, [&] { return m_inner->setAttributes(name, attributes); });
        }
        Status rename(QByteArrayView name, QByteArrayView newName) override
        {
            return m_probe.timed(&m_probe.other, [&] { return m_inner->rename(name, newName); });
        }
        Result<bool> fileExists(QByteArrayView name) override
        {
            return m_probe.timed(&m_probe.other, [&] { return m_inner->fileExists(name); });
        }
        bool ignoresCase() override { return m_inner->ignoresCase(); }
        bool isMountRoot() override { return m_inner->isMountRoot(); }
        Result<EntryIdentity> identity(QByteArrayView name) override
        {
            return m_probe.timed(&m_probe.other, [&] { return m_inner->identity(name); });
        }
        Status setMode(QByteArrayView name, quint32 mode) override
        {
            return m_probe.timed(&m_probe.other, [&] { return m_inner->setMode(name, mode); });
        }

    private:
        Probe &m_probe;
        FolderPtr m_inner;
    };

    static qint64 heapInUse()
    {
        const struct mallinfo2 info = mallinfo2();
        return qint64(info.uordblks + info.hblkhd);
    }
    Result<FolderPtr> watched(Result<FolderPtr> opened)
    {
        if (!opened.ok() || !opened.value())
            return opened;
        return FolderPtr(std::make_unique<WatchedFolder>(*this, std::move(opened.value())));
    }
    template <typename Call> std::invoke_result_t<Call> timed(double *total, Call call)
    {
        const qint64 start = m_timer.nsecsElapsed();
        std::invoke_result_t<Call> result = call();
        *total += double(m_timer.nsecsElapsed() - start) / 1e9;
        return result;
    }

    FileSystem &m_inner;
    QElapsedTimer m_timer;
    qint64 m_startHeap;
    qint64 m_peakHeap;
};

// User and system CPU seconds of this process (or of its waited-for
// children) spent in `work`: what the machine's other load does not change.
double cpuSecondsOf(const std::function<void()> &work, int who = RUSAGE_SELF)
{
    const auto cpu = [who] {
        rusage usage{};
        getrusage(who, &usage);
        return double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec)
            + double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
    };
    const double before = cpu();
    work();
    return cpu() - before;
}

double secondsOf(const std::function<void()> &work)
{
    QElapsedTimer timer;
    timer.start();
    work();
    return double(timer.nsecsElapsed()) / 1e9;
}

double bestOf(int runs, const std::function<void()> &work)
{
    double best = secondsOf(work);
    for (int i = 1; i < runs; ++i)
        best = std::min(best, secondsOf(work));
    return best;
}

long peakKilobytes()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

struct Tree
{
    QByteArray root;
    QList<QByteArray> folders; // leaf folders, in creation order
    QList<QByteArray> paths; // every file, in creation order
    QStringList names; // the names of `paths`, as text
};

// Leaf folders in groups of 100, the files spread over them in turn.
Tree buildTree(const QByteArray &root, int files, int folders, int dirtyEvery)
{
    Tree tree{root, {}, {}, benchNames(files, dirtyEvery)};
    for (int f = 0; f < folders; ++f) {
        const QByteArray group = root + "/group " + QByteArray::number(f / 100);
        if (f % 100 == 0)
            mkdir(group.constData(), 0755);
        tree.folders.append(group + "/folder " + QByteArray::number(f));
        mkdir(tree.folders.last().constData(), 0755);
    }
    tree.paths.reserve(files);
    for (int i = 0; i < files; ++i) {
        tree.paths.append(tree.folders[i % folders] + '/' + QFile::encodeName(tree.names[i]));
        const int fd = open(tree.paths.last().constData(), O_WRONLY | O_CREAT | O_EXCL, 0644);
        if (fd < 0) {
            std::printf(
                "cannot create %s: %s\n", tree.paths.last().constData(), std::strerror(errno));
            std::exit(1);
        }
        close(fd);
    }
    return tree;
}

// The floor: every entry listed and its type read, nothing else.
qint64 bareWalk(const QByteArray &folder)
{
    qint64 entries = 0;
    DIR *dir = opendir(folder.constData());
    if (!dir)
        return 0;
    QList<QByteArray> subFolders;
    while (const dirent *entry = readdir(dir)) {
        const char *name = entry->d_name;
        if (name[0] == '.' && (name[1] == '\0' || (name[1] == '.' && name[2] == '\0')))
            continue;
        struct stat info;
        if (fstatat(dirfd(dir), name, &info, AT_SYMLINK_NOFOLLOW) != 0)
            continue;
        ++entries;
        if (S_ISDIR(info.st_mode))
            subFolders.append(folder + '/' + name);
    }
    closedir(dir);
    for (const QByteArray &sub : std::as_const(subFolders))
        entries += bareWalk(sub);
    return entries;
}

// How many of the tree's files no longer stand under the names it was
// built with.
qsizetype renamedSince(const Tree &tree)
{
    qsizetype renamed = 0;
    for (const QByteArray &path : tree.paths) {
        struct stat info;
        renamed += lstat(path.constData(), &info) != 0;
    }
    return renamed;
}

QByteArray rootOf(const QTemporaryDir &dir)
{
    return QFile::encodeName(dir.path());
}

void removeTree(QTemporaryDir &dir)
{
    dir.setAutoRemove(false);
    std::filesystem::remove_all(rootOf(dir).toStdString());
}

// Heap growth of one clean pass over one folder of `files` files, and the
// bytes their names take as the file system holds them.
std::pair<qint64, qint64> passHeapGrowth(
    const QString &parent, int files, const CleaningRules &rules)
{
    QTemporaryDir dir(parent + u"/bench_pass-XXXXXX"_s);
    const Tree tree = buildTree(rootOf(dir), files, 1, 0);
    qint64 nameBytes = 0;
    for (const QString &name : tree.names)
        nameBytes += QFile::encodeName(name).size();
    LinuxFileSystem native;
    BenchHost host(dir.path(), rules);
    qint64 growth = 0;
    {
        Probe probe(native);
        ExecutionPass pass(probe, host, host.settings);
        pass.execute();
        growth = probe.heapGrowth();
    }
    removeTree(dir);
    return {growth, nameBytes};
}

// Seconds for a pass over one folder of `files` files that all clean to
// "Song.mp3": every name past the first is numbered.
double numberingSeconds(const QString &parent, int files, const CleaningRules &rules)
{
    QTemporaryDir dir(parent + u"/bench_pass-XXXXXX"_s);
    const QByteArray root = rootOf(dir);
    // Trailing delimiters go, so every mix of them after "Song" cleans away.
    const char delimiters[] = {' ', '-', '(', '[', '{', '<'};
    for (int i = 0; i < files; ++i) {
        QByteArray name = "Song";
        for (int n = i + 1; n > 0; n /= 6)
            name += delimiters[n % 6];
        const QByteArray path = root + '/' + name + ".mp3";
        close(open(path.constData(), O_WRONLY | O_CREAT | O_EXCL, 0644));
    }
    LinuxFileSystem native;
    BenchHost host(dir.path(), rules);
    qint32 fixed = 0;
    const double seconds = secondsOf([&] {
        ExecutionPass pass(native, host, host.settings);
        const PassSummary summary = pass.execute();
        fixed = summary.filesFixed;
    });
    std::printf("    (%d files numbered, %d failures)\n", fixed, host.failures);
    removeTree(dir);
    return seconds;
}

struct Cost
{
    double wall = 1e9;
    double cpu = 1e9;
    void keepLeast(const Cost &other)
    {
        wall = std::min(wall, other.wall);
        cpu = std::min(cpu, other.cpu);
    }
};

// A pass that renames `files` dirty files in 100 folders, with the undo
// journal or without; a fresh tree for every run.
Cost renamingPassCost(
    const QString &parent, int files, const CleaningRules &rules, bool journaled, int *fixed)
{
    QTemporaryDir dir(parent + u"/bench_pass-XXXXXX"_s);
    buildTree(rootOf(dir), files, std::max(1, files / 100), 1);
    QTemporaryDir journalDir(parent + u"/bench_journal-XXXXXX"_s);
    JournalWriter journal(journalDir.filePath(u"undo history"_s));
    LinuxFileSystem native;
    BenchHost host(dir.path(), rules);
    // The journal's sync would otherwise also commit whatever the building
    // and removing of trees left pending.
    ::sync();
    Cost cost;
    cost.cpu = cpuSecondsOf([&] {
        cost.wall = secondsOf([&] {
            ExecutionPass pass(native, host, host.settings, journaled ? &journal : nullptr);
            const PassSummary summary = pass.execute();
            *fixed = summary.filesFixed;
        });
    });
    removeTree(dir);
    return cost;
}

// What the undo journal adds to a pass that renames 10,000 files, the runs
// with and without it taking turns. Which goes first changes every time: a
// tree built where the one before was just removed renames faster or slower.
void journalCost(const QString &parent, const CleaningRules &rules)
{
    const int files = 10'000;
    Cost plain;
    Cost journaled;
    int fixed = 0;
    for (int run = 0; run < 10; ++run) {
        for (const bool withJournal : {run % 2 == 0, run % 2 != 0}) {
            (withJournal ? journaled : plain)
                .keepLeast(renamingPassCost(parent, files, rules, withJournal, &fixed));
        }
    }
    std::printf("\na pass that renames %d files: %.3f s without the undo journal, %.3f s "
                "with it: +%.1f%% (target 10%%); in CPU seconds %.3f and %.3f: +%.1f%%\n",
        fixed, plain.wall, journaled.wall, 100 * (journaled.wall / plain.wall - 1), plain.cpu,
        journaled.cpu, 100 * (journaled.cpu / plain.cpu - 1));
}

using Renames = QList<std::pair<QByteArray, QByteArray>>;

// detox with `arguments` and the folder, over a fresh tree of the
// benchmark's names each run: the least wall and CPU seconds (its own, as a
// child's) of `runs` runs, and how many files the last run renamed.
struct PeerCost
{
    Cost cost;
    qsizetype renamed = 0;
};
PeerCost detoxCost(
    const QString &detox, const QStringList &arguments, int runs, const Options &options)
{
    PeerCost peer;
    for (int run = 0; run < runs; ++run) {
        QTemporaryDir dir(options.parent + u"/bench_peer-XXXXXX"_s);
        const Tree built
            = buildTree(rootOf(dir), options.files, options.folders, options.dirtyEvery);
        Cost cost;
        cost.cpu = cpuSecondsOf(
            [&] {
                cost.wall = secondsOf(
                    [&] { QProcess::execute(detox, QStringList(arguments) << dir.path()); });
            },
            RUSAGE_CHILDREN);
        peer.cost.keepLeast(cost);
        peer.renamed = renamedSince(built);
        removeTree(dir);
    }
    return peer;
}

// In CPU seconds: the window's renaming pass against the floor (the bare
// walk plus the same renames), and against detox given only what our
// switches do (its wipeup filter), on a tree of the same names. Returns the
// renames that could not be undone between runs.
int cpuComparison(WindowHarness &window, const QByteArray &root, const Renames &renames,
    const std::function<int()> &undoRenames, const Options &options)
{
    int notUndone = 0;
    const QString detox = QStandardPaths::findExecutable(u"detox"_s);
    double windowCpu = 1e9;
    double floorCpu = 1e9;
    for (int run = 0; run < 5; ++run) {
        notUndone += undoRenames();
        windowCpu = std::min(windowCpu, cpuSecondsOf([&] { window.execute(); }));
        notUndone += undoRenames();
        floorCpu = std::min(floorCpu, cpuSecondsOf([&] {
            bareWalk(root);
            for (const auto &[from, to] : std::as_const(renames))
                (void)renameat2(
                    AT_FDCWD, from.constData(), AT_FDCWD, to.constData(), RENAME_NOREPLACE);
        }));
    }
    notUndone += undoRenames();
    PeerCost wipeup;
    if (!detox.isEmpty()) {
        QTemporaryDir configDir(options.parent + u"/bench_config-XXXXXX"_s);
        QFile config(configDir.filePath(u"wipeup.rc"_s));
        if (config.open(QIODevice::WriteOnly))
            config.write("sequence \"wipeup\" {\n\twipeup { remove_trailing; };\n};\n");
        config.close();
        wipeup = detoxCost(
            detox, {u"-f"_s, config.fileName(), u"-s"_s, u"wipeup"_s, u"-r"_s}, 5, options);
    }
    const double wipeupCpu = detox.isEmpty() ? 0 : wipeup.cost.cpu;
    std::printf("\nCPU: window's renaming pass %.3f s (%lld renames), bare walk + renames "
                "%.3f s, detox wipeup %.3f s (%lld renames)\n",
        windowCpu, static_cast<long long>(renames.size()), floorCpu, wipeupCpu,
        static_cast<long long>(wipeup.renamed));
    std::printf("window / (bare walk + renames), CPU = %.2f  (target 1.3)\n", windowCpu / floorCpu);
    if (!detox.isEmpty())
        std::printf("window / detox wipeup, CPU          = %.2f  (below 1: faster)\n",
            windowCpu / wipeupCpu);

    return notUndone;
}

} // namespace

int main(int argc, char **argv)
{
    // The window's pass is measured as a user has it, without a screen.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    Options options;
    if (!parse(argc, argv, &options)) {
        std::printf("usage: bench_pass [--files N] [--folders N] [--removals N] "
                    "[--dirty-every N] [--wide N] [--alike N] [--journal-only] [--cpu-only] "
                    "[--dir PATH]\n");
        return 2;
    }
    if (options.parent.isEmpty())
        options.parent = QDir::tempPath();
    const CleaningRules rules = benchRules(options.removals);
    if (options.journalOnly) {
        journalCost(options.parent, rules);
        return 0;
    }

    QTemporaryDir dir(options.parent + u"/bench_pass-XXXXXX"_s);
    if (!dir.isValid()) {
        std::printf("cannot create a folder in %s\n", qPrintable(options.parent));
        return 1;
    }
    const QByteArray root = rootOf(dir);
    std::printf(
        "tree: %d files in %d folders under %s, one name in %d written dirty, %d removals\n",
        options.files, options.folders, root.constData(), options.dirtyEvery, options.removals);
    Tree tree;
    const double built = secondsOf(
        [&] { tree = buildTree(root, options.files, options.folders, options.dirtyEvery); });
    std::printf("built in %.2f s\n\n", built);

    qint64 walked = 0;
    const double a = bestOf(3, [&] { walked = bareWalk(root); });
    std::printf("(a) bare walk, readdir + fstatat:   %8.3f s  (%lld entries)\n", a,
        static_cast<long long>(walked));

    QStringList cleaned;
    const double d = bestOf(3, [&] {
        const NameCleaner cleaner(rules);
        cleaned.clear();
        cleaned.reserve(tree.names.size());
        for (const QString &name : std::as_const(tree.names))
            cleaned.append(cleaner.clean(name).name);
    });
    qsizetype dirty = 0;
    for (qsizetype i = 0; i < cleaned.size(); ++i)
        dirty += cleaned[i] != tree.names[i];
    std::printf("(d) cleaner alone:                  %8.3f s  (%lld names change)\n", d,
        static_cast<long long>(dirty));

    // The same renames without the pass: there and back, timing the way there.
    Renames renames;
    for (qsizetype i = 0; i < cleaned.size(); ++i) {
        if (cleaned[i] != tree.names[i]) {
            const QByteArray &from = tree.paths[i];
            renames.append(
                {from, from.left(from.lastIndexOf('/') + 1) + QFile::encodeName(cleaned[i])});
        }
    }
    // Puts the dirty names back, so that the renames can be timed again.
    const auto undoRenames = [&] {
        int left = 0;
        for (const auto &[from, to] : std::as_const(renames))
            left
                += renameat2(AT_FDCWD, to.constData(), AT_FDCWD, from.constData(), RENAME_NOREPLACE)
                != 0;
        return left;
    };
    if (options.cpuOnly) {
        LinuxFileSystem fileSystem;
        WindowHarness window(fileSystem, dir.path(), rules.removals);
        window.execute(); // the comparison starts from a cleaned tree, as after (c)
        const int notUndone = cpuComparison(window, root, renames, undoRenames, options);
        if (notUndone > 0)
            std::printf("%d renames could not be undone between runs\n", notUndone);
        removeTree(dir);
        return 0;
    }
    int refused = 0;
    int notUndone = 0;
    double bare = 0;
    for (int run = 0; run < 3; ++run) {
        const double seconds = secondsOf([&] {
            refused = 0;
            for (const auto &[from, to] : std::as_const(renames))
                refused += renameat2(AT_FDCWD, from.constData(), AT_FDCWD, to.constData(),
                               RENAME_NOREPLACE)
                    != 0;
        });
        bare = run == 0 ? seconds : std::min(bare, seconds);
        notUndone += undoRenames();
    }
    std::printf("    bare renames (renameat2):       %8.3f s  (%lld renames, %d refused)\n", bare,
        static_cast<long long>(renames.size()), refused);

    const long peakBeforePasses = peakKilobytes();
    LinuxFileSystem fileSystem;
    BenchHost host(dir.path(), rules);
    qint32 fixed = 0;
    qint32 read = 0;
    // The undo after the last run is left out, so that (b) meets a clean tree.
    double c = 0;
    for (int run = 0; run < 3; ++run) {
        if (run > 0)
            notUndone += undoRenames();
        const double seconds = secondsOf([&] {
            ExecutionPass pass(fileSystem, host, host.settings);
            const PassSummary summary = pass.execute();
            fixed = summary.filesFixed;
            read = summary.filesRead;
        });
        c = run == 0 ? seconds : std::min(c, seconds);
    }
    std::printf("(c) pass that renames:              %8.3f s  (%d read, %d fixed, %d failures)\n",
        c, read, fixed, host.failures);
    if (notUndone > 0)
        std::printf("    %d renames could not be undone between runs\n", notUndone);

    const double b = bestOf(3, [&] {
        ExecutionPass pass(fileSystem, host, host.settings);
        const PassSummary summary = pass.execute();
        fixed = summary.filesFixed;
    });
    std::printf("(b) pass over the clean tree:       %8.3f s  (%d fixed)\n", b, fixed);

    int previewRows = 0;
    const double p = bestOf(3, [&] {
        const Preview preview = previewPass(fileSystem, host.settings);
        previewRows = int(preview.rows.size());
    });
    std::printf("(p) preview over the clean tree:    %8.3f s  (%d rows)\n", p, previewRows);

    // The same passes hosted by the window, pressed through its Execute
    // button; both keep the undo journal, as the window always does.
    WindowHarness window(fileSystem, dir.path(), rules.removals);
    const double wb = bestOf(3, [&] { window.execute(); });
    std::printf("(w) window's pass over the clean tree: %5.3f s  (%s,%s)\n", wb,
        qPrintable(window.panel(u"Read"_s)), qPrintable(window.panel(u"Fixed"_s)));
    QTemporaryDir journalDir(options.parent + u"/bench_journal-XXXXXX"_s);
    double hc = 0;
    double wc = 0;
    for (int run = 0; run < 3; ++run) {
        notUndone += undoRenames();
        const double headless = secondsOf([&] {
            JournalWriter journal(journalDir.filePath(u"undo history"_s));
            ExecutionPass pass(fileSystem, host, host.settings, &journal);
            const PassSummary summary = pass.execute();
            fixed = summary.filesFixed;
        });
        notUndone += undoRenames();
        const double windowed = window.execute();
        hc = run == 0 ? headless : std::min(hc, headless);
        wc = run == 0 ? windowed : std::min(wc, windowed);
    }
    std::printf("    renaming pass with its journal: %.3f s headless (%d fixed), %.3f s in the "
                "window (%s)\n",
        hc, fixed, wc, qPrintable(window.panel(u"Fixed"_s)));
    if (notUndone > 0)
        std::printf("    %d renames could not be undone between runs\n", notUndone);

    // The command-line peer over a tree of the same names, when it is there.
    double peer = 0;
    const QString detox = QStandardPaths::findExecutable(u"detox"_s);
    if (!detox.isEmpty()) {
        peer = detoxCost(detox, {u"-r"_s}, 3, options).cost.wall;
        std::printf("    detox -r over a tree of the same names: %.3f s\n", peer);
    }

    Probe split(fileSystem);
    const double whole = secondsOf([&] {
        ExecutionPass pass(split, host, host.settings);
        pass.execute();
    });
    std::printf("    (b) split: listing %.3f s, attributes %.3f s, other calls %.3f s, "
                "the rest %.3f s\n",
        split.listing, split.attributesRead, split.other,
        whole - split.listing - split.attributesRead - split.other);
    const double again = bestOf(3, [&] { walked = bareWalk(root); });
    std::printf("(a) bare walk again, after the renames: %.3f s\n", again);

    notUndone += cpuComparison(window, root, renames, undoRenames, options);

    std::printf("\n(b) / ((a) + (d))                 = %.2f  (target 1.2)\n", b / (a + d));
    std::printf("(c) / ((a) + (d) + bare renames)  = %.2f  (target 1.3)\n", c / (a + d + bare));
    std::printf("(p) / (b)                         = %.2f  (target 1.2)\n", p / b);
    std::printf("(w) / (b), the window's share     = %.2f  (target 1.1)\n", wb / b);
    std::printf("window / headless, renaming       = %.2f  (target 1.1)\n", wc / hc);
    std::printf("window / ((a) + bare renames)     = %.2f  (target 1.5)\n", wc / (a + bare));
    if (peer > 0)
        std::printf("window / detox                    = %.2f  (below 1: faster)\n", wc / peer);

    const long peakAfterPasses = peakKilobytes();
    tree = Tree();
    cleaned.clear();
    renames.clear();
    removeTree(dir);

    std::printf("\npeak memory (ru_maxrss): %ld KB before the first pass (the benchmark's own "
                "name lists included), %ld KB after the last\n",
        peakBeforePasses, peakAfterPasses);
    if (options.wide > 0) {
        const auto [growth, nameBytes] = passHeapGrowth(options.parent, options.wide, rules);
        std::printf("heap that a clean pass holds over one folder of %d files: %.1f KB, "
                    "%.1f bytes per entry beyond the name's own %.1f (target 120)\n",
            options.wide, double(growth) / 1024, double(growth - nameBytes) / options.wide,
            double(nameBytes) / options.wide);
    }
    journalCost(options.parent, rules);
    if (options.alike > 0) {
        std::printf("\n%d files in one folder that all clean to one name:\n", options.alike);
        const double seconds = numberingSeconds(options.parent, options.alike, rules);
        std::printf("    numbered in %.3f s (target 2 s)\n", seconds);
    }
    return 0;
}
