#include "previewmodel.h"

#include <QStandardPaths>
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

} // namespace

class tst_frmPreview final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void cells_data()
    {
        QTest::addColumn<PreviewRow>("row");
        QTest::addColumn<QStringList>("texts"); // Folder, Name, New name, Note
        QTest::addColumn<bool>("warning"); // the Note carries the warning icon

        const QString tooLong = u"Cannot cut 'report.backup-copy-old' to the maximum length 12: "
                                "its extension alone is longer"_s;
        // clang-format off
        QTest::newRow("rename in the start folder")
            << rename({}, u"CC a__b.txt"_s, u"a b.txt"_s)
            << QStringList{u"."_s, u"CC a__b.txt"_s, u"a b.txt"_s, QString()} << false;
        QTest::newRow("numbered")
            << rename(u"a"_s, u"x .txt"_s, u"x1.txt"_s, true, false)
            << QStringList{u"a"_s, u"x .txt"_s, u"x1.txt"_s, u"numbered"_s} << false;
        QTest::newRow("read-only")
            << rename(u"a"_s, u"x .txt"_s, u"x.txt"_s, false, true)
            << QStringList{u"a"_s, u"x .txt"_s, u"x.txt"_s, u"read-only"_s} << false;
        QTest::newRow("numbered and read-only")
            << rename(u"a/b"_s, u"x .txt"_s, u"x2.txt"_s, true, true)
            << QStringList{u"a/b"_s, u"x .txt"_s, u"x2.txt"_s, u"numbered, read-only"_s} << false;
        QTest::newRow("failure in a subfolder")
            << failure(u"Docs"_s, u"report.backup-copy-old"_s, tooLong)
            << QStringList{u"Docs"_s, u"report.backup-copy-old"_s, QString(), tooLong} << true;
        QTest::newRow("failure without folder or name")
            << failure({}, {}, u"Cannot open the folder 'x'"_s)
            << QStringList{QString(), QString(), QString(), u"Cannot open the folder 'x'"_s} << true;
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
        QCOMPARE(model.columnCount(), 4);
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
};

QTEST_MAIN(tst_frmPreview)
#include "tst_frmpreview.moc"
