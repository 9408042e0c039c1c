#include "buildinfo.h"
#include "frmabout.h"
#include "frmpreview.h"
#include "modalcatcher.h"
#include "previewmodel.h"
#include "qtuserdialogs.h"

#include <QDir>
#include <QFrame>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTableView>
#include <QTemporaryDir>
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

// Where the cursor shows at a position; the box scrolls its text when it paints.
int cursorX(QLineEdit *edit, qsizetype position)
{
    edit->setCursorPosition(int(position));
    edit->grab();
    return edit->inputMethodQuery(Qt::ImCursorRectangle).toRect().center().x();
}

} // namespace

class tst_Dialogs final : public QObject
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

    void previewCells_data()
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

    void previewCells()
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

    void previewWindow_data()
    {
        QTest::addColumn<int>("read");
        QTest::addColumn<int>("rows"); // renamed, each shown in a row
        QTest::addColumn<QString>("counts");
        QTest::addColumn<QString>("gesture"); // keys, or the name of a button clicked
        QTest::addColumn<bool>("accepts");
        // clang-format off
        QTest::newRow("counts in plain digits, Escape rejects") << 12345 << 678 << u"12345 files would be read, 678 renamed"_s << u"Esc"_s << false;
        QTest::newRow("one file, Close rejects") << 1 << 1 << u"1 file would be read, 1 renamed"_s << u"cmdClose"_s << false;
        QTest::newRow("Execute accepts") << 3 << 3 << u"3 files would be read, 3 renamed"_s << u"cmdExecute"_s << true;
        QTest::newRow("Enter does not run Execute") << 3 << 3 << u"3 files would be read, 3 renamed"_s << u"Return"_s << false;
        QTest::newRow("nothing would change, Alt+E") << 40 << 0 << u"40 files would be read, 0 renamed"_s << u"Alt+E"_s << true;
        QTest::newRow("100,000 rows, Alt+E accepts") << 100000 << 100000 << u"100000 files would be read, 100000 renamed"_s << u"Alt+E"_s << true;
        // clang-format on
    }

    void previewWindow()
    {
        QFETCH(int, read);
        QFETCH(int, rows);
        QFETCH(QString, counts);
        QFETCH(QString, gesture);
        QFETCH(bool, accepts);
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
        QCOMPARE(finished.at(0).at(0).toInt() == QDialog::Accepted, accepts);
        QVERIFY(!dialog.isVisible());
    }

    void previewColumnWidths_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("everywhere"); // the folder and the new name as long as the name
        QTest::addColumn<bool>("fits"); // else the name is cut
        const QString longName = QString(300, u'n') + u".mp3"_s;
        QTest::newRow("a short name fits") << u"CC Song__Title.mp3"_s << false << true;
        QTest::newRow("a long name is cut") << longName << false << false;
        QTest::newRow("long texts everywhere") << longName << true << false;
    }

    void previewColumnWidths()
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

    void previewSortedByAnyColumn_data()
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

    void previewSortedByAnyColumn()
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

    void inputBoxShowsItsDefaultTextWhole_data()
    {
        QTest::addColumn<QString>("defaultText");
        QTest::addColumn<bool>("whole"); // false: wider than the screen
        QTest::newRow("long path")
            << u"home\\ann\\Music\\Collected Albums\\The Long Named Band - Live at the Hall (Remastered)"_s
            << true;
        QTest::newRow("wider than the screen") << QString(2000, u'x') << false;
    }

    void inputBoxShowsItsDefaultTextWhole()
    {
        QFETCH(QString, defaultText);
        QFETCH(bool, whole);
        QWidget window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QtUserDialogs dialogs(&window);
        ModalCatcher catcher;
        int shownWidth = -1;
        QRect frame;
        catcher.whileShown = [&](QDialog *dialog) {
            auto *edit = dialog->findChild<QLineEdit *>();
            QCOMPARE(edit->text(), defaultText);
            // Unless the text is scrolled, its two ends lie one text width apart.
            const int end = cursorX(edit, defaultText.size());
            shownWidth = end - cursorX(edit, 0);
            frame = dialog->frameGeometry();
        };
        QCOMPARE(
            dialogs.inputBox(u"Enter path string:"_s, u"Default Path"_s, defaultText), QString());
        QCOMPARE(catcher.shown.size(), 1);
        QCOMPARE(shownWidth == window.fontMetrics().horizontalAdvance(defaultText), whole);
        QVERIFY(frame.width() <= window.screen()->availableGeometry().width());
    }

    // Last, as these leave the search path on a folder of their own.
    void aboutButtonsAndKeys_data()
    {
        // A click on OK is left out: Enter and Esc both click it.
        QTest::addColumn<QString>("keys");
        // On the search path; a name ending in "!" cannot be run.
        QTest::addColumn<QStringList>("tools");
        QTest::addColumn<QStringList>("outcome"); // tools that ran, messages, the window
        const QString unavailable = ModalCatcher::entry(QMessageBox::NoIcon, QMessageBox::Ok,
            u"Purlex"_s, u"System Information Is Unavailable At This Time"_s);
        // clang-format off
        QTest::newRow("Enter") << u"Return"_s << QStringList() << QStringList{u"closed"_s};
        QTest::newRow("Esc") << u"Esc"_s << QStringList() << QStringList{u"closed"_s};
        QTest::newRow("Alt+S starts the preferred tool") << u"Alt+S"_s << QStringList{u"hardinfo"_s, u"kinfocenter"_s} << QStringList{u"kinfocenter"_s, u"open"_s};
        QTest::newRow("Alt+S, no tool") << u"Alt+S"_s << QStringList() << QStringList{unavailable, u"open"_s};
        QTest::newRow("Alt+S, a tool that cannot run") << u"Alt+S"_s << QStringList{u"hardinfo!"_s} << QStringList{unavailable, u"open"_s};
        // clang-format on
    }

    void aboutButtonsAndKeys()
    {
        QFETCH(QString, keys);
        QFETCH(QStringList, tools);
        QFETCH(QStringList, outcome);
        // The tool is run directly: a folder name that a shell would split
        // and expand does not stop it.
        QTemporaryDir bin(QDir::tempPath() + u"/system info $HOME-XXXXXX"_s);
        for (QString tool : std::as_const(tools)) {
            const bool runs = !tool.endsWith(u'!');
            tool.remove(u'!');
            QFile file(bin.filePath(tool));
            QVERIFY(file.open(QIODevice::WriteOnly)
                && file.write(runs ? "#!/bin/sh\necho >\"$0.ran\"\n" : "#!/nonexistent/sh\n"));
            QVERIFY(file.setPermissions(QFile::ReadOwner | QFile::ExeOwner));
        }
        qputenv("PATH", QFile::encodeName(bin.path()));
        frmAbout dialog;
        dialog.open();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        ModalCatcher catcher;
        QTest::keySequence(QApplication::focusWidget(), QKeySequence(keys));
        const auto ran = [&] {
            return QDir(bin.path()).entryList({u"*.ran"_s}).replaceInStrings(u".ran"_s, QString());
        };
        // An access key shows its button pressed for a moment before it acts.
        QTRY_COMPARE(
            ran() + catcher.shown << (dialog.isVisible() ? u"open"_s : u"closed"_s), outcome);
    }

    void aboutTextsAndColours()
    {
        QPalette dark;
        dark.setColor(QPalette::Window, QColor(0x20, 0x20, 0x20));
        dark.setColor(QPalette::WindowText, QColor(0xee, 0xee, 0xee));
        dark.setColor(QPalette::Mid, QColor(0x10, 0x10, 0x10));
        dark.setColor(QPalette::Light, QColor(0x50, 0x50, 0x50));
        frmAbout dialog;
        QStringList texts{dialog.windowTitle()};
        for (const char *name : {"lblTitle", "lblVersion", "lblDescription", "lblDisclaimer"})
            texts.append(dialog.findChild<QLabel *>(QLatin1StringView(name))->text());
        QCOMPARE(texts,
            (QStringList{u"About Purlex"_s, u"Purlex"_s,
                u"Version "_s + QLatin1StringView(PURLEX_TEST_VERSION),
                BuildInfo::FileDescription + u"\r\n\r\n"_s + BuildInfo::Comments,
                BuildInfo::CompanyName + u"\r\n"_s + BuildInfo::LegalCopyright}));
        // The texts and the etched lines follow a dark palette.
        dialog.setPalette(dark);
        const QImage shot = dialog.grab().toImage();
        for (const QLabel *label : dialog.findChildren<QLabel *>())
            QCOMPARE(
                label->palette().color(label->foregroundRole()), dark.color(QPalette::WindowText));
        const auto colourOf = [&](const QString &line) {
            const QPoint middle = dialog.findChild<QFrame *>(line)->geometry().center();
            return shot.pixelColor(middle * shot.devicePixelRatio());
        };
        QCOMPARE(colourOf(u"Line1_1"_s), dark.color(QPalette::Mid));
        QCOMPARE(colourOf(u"Line1_0"_s), dark.color(QPalette::Light));
    }
};

QTEST_MAIN(tst_Dialogs)
#include "tst_dialogs.moc"
