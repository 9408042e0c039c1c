// Runs the real window offscreen over one folder as a user would, every
// switch on: Execute, or with --preview File, Preview and then the Preview
// window's Execute. Prints every message the window shows (answered with
// OK), the rows the Preview listed, and then the names under the folder, so
// that scripts/check-volumes can compare one volume with another. It never
// fails on a result; comparing is the script's job.
#include "linuxfilesystem.h"
#include "windowharness.h"

#include <QAbstractItemModel>
#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTableView>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <string>
#include <sys/stat.h>
#include <vector>

using namespace Qt::StringLiterals;
namespace fs = std::filesystem;

namespace {

void print(const QString &line)
{
    std::printf("%s\n", qPrintable(QString(line).replace(u"\r\n"_s, u" / "_s)));
}

// Answers whatever modal window is up: a message with OK, the Preview with
// its rows printed and Execute pressed.
void answerModal()
{
    QWidget *modal = QApplication::activeModalWidget();
    if (!modal)
        return;
    if (auto *box = qobject_cast<QMessageBox *>(modal)) {
        print(u"message: "_s + box->text());
        QAbstractButton *ok = box->button(QMessageBox::Ok);
        (ok ? ok : box->buttons().value(0))->click();
        return;
    }
    auto *table = modal->findChild<QTableView *>();
    auto *execute = modal->findChild<QPushButton *>(u"cmdExecute"_s);
    if (!table || !execute)
        return;
    const QAbstractItemModel *model = table->model();
    for (int row = 0; row < model->rowCount(); ++row) {
        QStringList cells;
        for (int column = 0; column < model->columnCount(); ++column)
            cells.append(model->index(row, column).data().toString());
        print(u"preview: "_s + cells.join(u" | "_s));
    }
    execute->click();
}

// Every entry under `root`, relative and sorted, a read-only file marked.
void printNames(const fs::path &root)
{
    std::vector<std::string> names;
    for (const fs::directory_entry &entry : fs::recursive_directory_iterator(root)) {
        struct stat info;
        const bool readOnly = ::lstat(entry.path().c_str(), &info) == 0 && S_ISREG(info.st_mode)
            && !(info.st_mode & S_IWUSR);
        names.push_back(
            fs::relative(entry.path(), root).string() + (readOnly ? "  (read-only)" : ""));
    }
    std::sort(names.begin(), names.end());
    for (const std::string &name : names)
        std::printf("name: %s\n", name.c_str());
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QStringList arguments = QApplication::arguments();
    if (arguments.size() < 2) {
        std::fprintf(stderr, "usage: volume_check FOLDER [--preview]\n");
        return 2;
    }
    const QString folder = arguments.at(1);

    LinuxFileSystem fileSystem;
    WindowHarness harness(fileSystem, folder, {});
    QTimer answerer;
    answerer.setInterval(20);
    QObject::connect(&answerer, &QTimer::timeout, &answerer, answerModal);
    answerer.start();
    if (arguments.contains(u"--preview"_s))
        harness.preview();
    else
        harness.execute();
    print(u"panel: "_s + harness.panel(u"Fixed"_s));
    printNames(fs::path(folder.toStdString()));
    return 0;
}
