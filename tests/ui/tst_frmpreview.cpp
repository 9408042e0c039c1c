#include "frmpreview.h"
#include "previewmodel.h"

#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTableView>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

PreviewRow rename(const QString &folder, const QString &name, const QString &newName,
    bool numbered = false, bool readOnly = false)
{
    return PreviewRow{folder, name, newName, numbered, readOnly, {}};
}

PreviewRow failure(const QString &folder, const QString &name, const QString &description)
{
    return PreviewRow{folder, name, {}, false, false, description};
}

QList<PreviewRow> alikeRows(int count)
{
    QList<PreviewRow> rows;
    for (int i = 0; i < count; ++i)
        rows.append(rename(u"Music/Rock"_s, u"CC Song %1.mp3"_s.arg(i), u"Song %1.mp3"_s.arg(i)));
    return rows;
}

} // namespace

class tst_frmPreview final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        // A locale that groups digits, so that a count written through it
        // would show.
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    }

    void cells_data()
    {
        QTest::addColumn<PreviewRow>("row");
        QTest::addColumn<QStringList>("texts"); // Folder, Name, New name, Note
        QTest::addColumn<bool>("warning"); // the Note carries the warning icon

        const QString tooLong = u"Cannot cut 'report.backup-copy-old' to the maximum length 12: "
                                "its extension alone is longer"_s;
        // clang-format off
        QTest::newRow("rename in the start folder") << rename({}, u"CC a__b.txt"_s, u"a b.txt"_s) << QStringList{u"."_s, u"CC a__b.txt"_s, u"a b.txt"_s, QString()} << false;
        QTest::newRow("numbered") << rename(u"a"_s, u"x .txt"_s, u"x1.txt"_s, true, false) << QStringList{u"a"_s, u"x .txt"_s, u"x1.txt"_s, u"numbered"_s} << false;
        QTest::newRow("read-only") << rename(u"a"_s, u"x .txt"_s, u"x.txt"_s, false, true) << QStringList{u"a"_s, u"x .txt"_s, u"x.txt"_s, u"read-only"_s} << false;
        QTest::newRow("numbered and read-only") << rename(u"a/b"_s, u"x .txt"_s, u"x2.txt"_s, true, true) << QStringList{u"a/b"_s, u"x .txt"_s, u"x2.txt"_s, u"numbered, read-only"_s} << false;
        QTest::newRow("failure in a subfolder") << failure(u"Docs"_s, u"report.backup-copy-old"_s, tooLong) << QStringList{u"Docs"_s, u"report.backup-copy-old"_s, QString(), tooLong} << true;
        QTest::newRow("failure without folder or name") << failure({}, {}, u"Cannot open the folder 'x'"_s) << QStringList{QString(), QString(), QString(), u"Cannot open the folder 'x'"_s} << true;
        // clang-format on
    }

    void cells()
    {
        QFETCH(PreviewRow, row);
        QFETCH(QStringList, texts);
        QFETCH(bool, warning);
        // The row between two others, so that a cell read from the wrong
        // row shows.
        const PreviewModel model({rename(u"before"_s, u"b1"_s, u"b2"_s), row,
            failure(u"after"_s, u"a1"_s, u"after failed"_s)});
        QCOMPARE(model.rowCount(), 3);
        QStringList shown, tips;
        for (int column = 0; column < model.columnCount(); ++column) {
            const QModelIndex index = model.index(1, column);
            shown << index.data(Qt::DisplayRole).toString();
            tips << index.data(Qt::ToolTipRole).toString();
            const bool icon = !index.data(Qt::DecorationRole).value<QIcon>().isNull();
            QCOMPARE(icon, warning && column == PreviewModel::NoteColumn);
            QVERIFY(!(model.flags(index) & Qt::ItemIsEditable));
        }
        QCOMPARE(shown, texts);
        QCOMPARE(tips, texts);
    }

    void window_data()
    {
        QTest::addColumn<int>("read");
        QTest::addColumn<int>("rows"); // renamed, each shown in a row
        QTest::addColumn<QString>("counts");
        QTest::addColumn<QString>("gesture"); // keys, or the name of a button clicked
        QTest::addColumn<int>("result");
        const int accepted = QDialog::Accepted, rejected = QDialog::Rejected;
        // clang-format off
        QTest::newRow("counts in plain digits, Escape rejects") << 12345 << 678 << u"12345 files would be read, 678 renamed"_s << u"Esc"_s << rejected;
        QTest::newRow("one file, Close rejects") << 1 << 1 << u"1 file would be read, 1 renamed"_s << u"cmdClose"_s << rejected;
        QTest::newRow("Execute accepts") << 3 << 3 << u"3 files would be read, 3 renamed"_s << u"cmdExecute"_s << accepted;
        QTest::newRow("Enter does not run Execute") << 3 << 3 << u"3 files would be read, 3 renamed"_s << u"Return"_s << rejected;
        QTest::newRow("nothing would change, Alt+E") << 40 << 0 << u"40 files would be read, 0 renamed"_s << u"Alt+E"_s << accepted;
        QTest::newRow("100,000 rows, Alt+E accepts") << 100000 << 100000 << u"100000 files would be read, 100000 renamed"_s << u"Alt+E"_s << accepted;
        // clang-format on
    }

    void window()
    {
        QFETCH(int, read);
        QFETCH(int, rows);
        QFETCH(QString, counts);
        QFETCH(QString, gesture);
        QFETCH(int, result);
        frmPreview dialog(Preview{read, rows, 0, alikeRows(rows), {}});
        QSignalSpy finished(&dialog, &QDialog::finished);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        QCOMPARE(dialog.windowTitle(), u"Preview"_s);
        QCOMPARE(dialog.findChild<QLabel *>(u"lblCounts"_s)->text(), counts);
        auto *table = dialog.findChild<QTableView *>(u"grdPreview"_s);
        QCOMPARE(table->model()->rowCount(), rows);
        QCOMPARE(table->isVisible(), rows > 0);
        QCOMPARE(dialog.findChild<QLabel *>(u"lblNothing"_s)->isVisible(), rows == 0);
        QVERIFY(dialog.findChild<QPushButton *>(u"cmdExecute"_s)->isEnabled());
        if (rows > 0) {
            // The last row can be scrolled to and is shown whole.
            const QModelIndex last = table->model()->index(rows - 1, PreviewModel::NameColumn);
            table->scrollTo(last);
            QVERIFY(table->viewport()->rect().contains(table->visualRect(last)));
            QCOMPARE(last.data().toString(), u"CC Song %1.mp3"_s.arg(rows - 1));
        }

        if (auto *button = dialog.findChild<QPushButton *>(gesture))
            QTest::mouseClick(button, Qt::LeftButton);
        else
            QTest::keySequence(QApplication::focusWidget(), QKeySequence(gesture));
        // An access key shows its button pressed for a moment before it acts.
        QTRY_COMPARE(finished.size(), 1);
        QCOMPARE(finished.at(0).at(0).toInt(), result);
        QVERIFY(!dialog.isVisible());
    }

    void columnWidths_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("everywhere"); // the folder and the new name as long as the name
        QTest::addColumn<bool>("fits"); // else the name is cut
        const QString longName = QString(300, u'n') + u".mp3"_s;
        QTest::newRow("a short name fits") << u"CC Song__Title.mp3"_s << false << true;
        QTest::newRow("a long name is cut") << longName << false << false;
        QTest::newRow("long texts everywhere") << longName << true << false;
    }

    void columnWidths()
    {
        QFETCH(QString, name);
        QFETCH(bool, everywhere);
        QFETCH(bool, fits);
        QList<PreviewRow> rows = alikeRows(1000);
        // Far from the top, where only a sample over every row finds it.
        rows[900].name = name;
        if (everywhere)
            rows[900].folder = rows[900].newName = name;
        frmPreview dialog(Preview{1000, 1000, 0, rows, {}});
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        auto *table = dialog.findChild<QTableView *>(u"grdPreview"_s);
        const int width = table->columnWidth(PreviewModel::NameColumn);
        QCOMPARE(width > table->fontMetrics().horizontalAdvance(name), fits);
        // The notes stay in view beside the others, title and all.
        QVERIFY(!table->horizontalScrollBar()->isVisible());
        QVERIFY(table->columnWidth(PreviewModel::NoteColumn)
            >= table->horizontalHeader()->sectionSizeHint(PreviewModel::NoteColumn));

        // A wider window widens the two names alike, and only them.
        const auto widths = [table] {
            const auto width = [table](int column) { return table->columnWidth(column); };
            return QList<int>{width(PreviewModel::FolderColumn),
                width(PreviewModel::NameColumn) + width(PreviewModel::NewNameColumn),
                width(PreviewModel::NoteColumn)};
        };
        QList<int> wider = widths();
        wider[1] += 200;
        dialog.resize(dialog.width() + 200, dialog.height());
        QTRY_COMPARE(widths(), wider);
        QVERIFY(qAbs(table->columnWidth(PreviewModel::NameColumn)
                    - table->columnWidth(PreviewModel::NewNameColumn))
            <= 1);
        QVERIFY(!table->horizontalScrollBar()->isVisible());
    }

    void sortedByAnyColumn_data()
    {
        QTest::addColumn<int>("column");
        QTest::addColumn<int>("clicks"); // on the column's header
        QTest::addColumn<QStringList>("names"); // the Name column from the top
        // clang-format off
        QTest::newRow("the pass's order at first") << int(PreviewModel::NameColumn) << 0 << QStringList{u"b10"_s, u"a"_s, u"B2"_s};
        QTest::newRow("names: numbers as numbers, case aside") << int(PreviewModel::NameColumn) << 1 << QStringList{u"a"_s, u"B2"_s, u"b10"_s};
        QTest::newRow("names descending") << int(PreviewModel::NameColumn) << 2 << QStringList{u"b10"_s, u"B2"_s, u"a"_s};
        QTest::newRow("folders") << int(PreviewModel::FolderColumn) << 1 << QStringList{u"B2"_s, u"b10"_s, u"a"_s};
        QTest::newRow("new names") << int(PreviewModel::NewNameColumn) << 1 << QStringList{u"B2"_s, u"a"_s, u"b10"_s};
        QTest::newRow("notes alike keep their order") << int(PreviewModel::NoteColumn) << 1 << QStringList{u"b10"_s, u"a"_s, u"B2"_s};
        // clang-format on
    }

    void sortedByAnyColumn()
    {
        QFETCH(int, column);
        QFETCH(int, clicks);
        QFETCH(QStringList, names);
        frmPreview dialog(Preview{3, 3, 0,
            {rename(u"f2"_s, u"b10"_s, u"z"_s), rename(u"F10"_s, u"a"_s, u"y"_s),
                rename(u"f1"_s, u"B2"_s, u"x"_s)},
            {}});
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        auto *table = dialog.findChild<QTableView *>(u"grdPreview"_s);
        table->selectRow(1);
        QHeaderView *header = table->horizontalHeader();
        const QPoint middle(
            header->sectionViewportPosition(column) + header->sectionSize(column) / 2,
            header->height() / 2);
        for (int i = 0; i < clicks; ++i)
            QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, middle);
        QStringList shown;
        for (int row = 0; row < 3; ++row)
            shown << table->model()->index(row, PreviewModel::NameColumn).data().toString();
        QCOMPARE(shown, names);
        // The selected row moves with its name.
        QCOMPARE(table->currentIndex().siblingAtColumn(PreviewModel::NameColumn).data().toString(),
            u"a"_s);
    }
};

QTEST_MAIN(tst_frmPreview)
#include "tst_frmpreview.moc"
