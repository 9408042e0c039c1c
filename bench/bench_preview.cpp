// Prints how long the Preview window takes to open over many rows and to
// scroll: building the rows, handing them to the window (the columns sized
// from a sample), showing it, and painting pages of the table spread from
// its top to its bottom. It prints figures and never fails. Runs on the offscreen
// platform unless another one is chosen.
#include "frmpreview.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QScrollBar>
#include <QTableView>
#include <QWindow>

#include <cstdio>
#include <cstdlib>

using namespace Qt::StringLiterals;

namespace {

QList<PreviewRow> benchRows(int count)
{
    QList<PreviewRow> rows;
    rows.reserve(count);
    for (int i = 0; i < count; ++i) {
        PreviewRow row;
        row.folder = u"Music/Artist %1/Album %2"_s.arg(i / 1000).arg(i / 10);
        row.name = u"CC Track__%1--(www.site.example).mp3"_s.arg(i);
        if (i % 500 == 0) {
            row.failure = u"Cannot rename '%1': Permission denied"_s.arg(row.name);
        } else {
            row.newName = u"Track %1.mp3"_s.arg(i);
            row.numbered = i % 7 == 0;
            row.readOnly = i % 11 == 0;
        }
        rows.append(std::move(row));
    }
    return rows;
}

double millis(QElapsedTimer &timer)
{
    const double ms = double(timer.nsecsElapsed()) / 1e6;
    timer.restart();
    return ms;
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int count = argc > 1 ? std::atoi(argv[1]) : 100'000;
    if (count < 0) {
        std::fprintf(stderr, "usage: bench_preview [rows]\n");
        return 2;
    }

    QElapsedTimer timer;
    timer.start();
    QList<PreviewRow> rows = benchRows(count);
    std::printf("preview of %d rows\n", count);
    std::printf("  rows built:        %9.1f ms\n", millis(timer));

    frmPreview dialog(Preview{count, count, 0, std::move(rows), {}});
    std::printf("  window built:      %9.1f ms\n", millis(timer));

    dialog.show();
    while (!dialog.windowHandle()->isExposed())
        QApplication::processEvents();
    QApplication::processEvents();
    std::printf("  window shown:      %9.1f ms\n", millis(timer));

    // Pages spread evenly from the top to the bottom, the last one included.
    auto *table = dialog.findChild<QTableView *>(u"grdPreview"_s);
    QScrollBar *bar = table->verticalScrollBar();
    constexpr int Pages = 200;
    for (int page = 0; page <= Pages; ++page) {
        bar->setValue(int(qint64(bar->maximum()) * page / Pages));
        table->viewport()->repaint();
    }
    const double paging = millis(timer);
    std::printf(
        "  %d pages painted: %7.1f ms, %.3f ms a page\n", Pages + 1, paging, paging / (Pages + 1));
    return 0;
}
