#include "enginetexts.h"
#include "filename.h"
#include "namecleaner.h"
#include "randomcleaning.h"
#include "referencecleaner.h"

#include <QTest>

using namespace Qt::StringLiterals;
using CleanRow = std::tuple<QString, QString, QString, QStringList, QString, bool>;

class TestNameCleaner : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void clean_data()
    {
        // clang-format off
        // The name, the switches, the maximum length, the removals, the name
        // cleaned (uncut when the cut fails), whether the cut fails (the
        // extension alone is longer than the maximum)
        QTest::addColumn<CleanRow>("row");

        const QString all = u"all"_s;
        const QString none;

        // Steps in their order and how they interact.
        QTest::newRow("blanks merge before the empty pair goes") << CleanRow{u"CC My__Song--Title ( ) (Remix)__.mp3"_s, u"cspebn"_s, u"60"_s, {}, u"My_Song-Title  (Remix)_.mp3"_s, false};
        QTest::newRow("all switches") << CleanRow{u"CC My__Song--Title ( ) (Remix)__.mp3"_s, all, u"60"_s, {}, u"My Song-Title  (Remix).mp3"_s, false};
        QTest::newRow("removal entries match without regard to case") << CleanRow{u"Holiday DEMO Video [hd] - .avi"_s, u"pn"_s, u"60"_s, QStringList{u"demo"_s, u"[HD]"_s}, u"Holiday Video.avi"_s, false};
        QTest::newRow("cut after the trailing delimiters went") << CleanRow{u"Summer trip - day one.jpg"_s, all, u"17"_s, {}, u"Summer trip -.jpg"_s, false};
        QTest::newRow("no name at all, cut to nothing") << CleanRow{QString(), none, u"0"_s, {}, QString(), false};
        QTest::newRow("exactly the maximum") << CleanRow{u"abcdefghijkl.txt"_s, none, u"16"_s, {}, u"abcdefghijkl.txt"_s, false};
        QTest::newRow("one over the maximum") << CleanRow{u"abcdefghijklm.txt"_s, none, u"16"_s, {}, u"abcdefghijkl.txt"_s, false};
        QTest::newRow("fractional maximum, half to even up") << CleanRow{u"abcdefghijklmnop.txt"_s, none, u"15.5"_s, {}, u"abcdefghijkl.txt"_s, false};
        QTest::newRow("fractional maximum, half to even down") << CleanRow{u"abcdefghijklmnop.txt"_s, none, u"16.5"_s, {}, u"abcdefghijkl.txt"_s, false};
        QTest::newRow("extension fills the whole length") << CleanRow{u"x.abcdefghijk"_s, none, u"12"_s, {}, u".abcdefghijk"_s, false};
        QTest::newRow("copy tag any case") << CleanRow{u"zz Backup.doc"_s, u"c"_s, u"60"_s, {}, u"Backup.doc"_s, false};
        QTest::newRow("only the first copy tag") << CleanRow{u"CC ZZ x.doc"_s, u"c"_s, u"60"_s, {}, u"ZZ x.doc"_s, false};
        QTest::newRow("copy tag needs its blank") << CleanRow{u"CCx.doc"_s, u"c"_s, u"60"_s, {}, u"CCx.doc"_s, false};
        QTest::newRow("copy tag of mixed letters is none") << CleanRow{u"CZ x.doc"_s, u"c"_s, u"60"_s, {}, u"CZ x.doc"_s, false};
        QTest::newRow("copy tag behind a leading blank stays") << CleanRow{u" CC x.doc"_s, u"cb"_s, u"60"_s, {}, u"CC x.doc"_s, false};
        QTest::newRow("underscores first, so the entry no longer matches") << CleanRow{u"report_old_version.txt"_s, u"u"_s, u"60"_s, QStringList{u"old_version"_s}, u"report old version.txt"_s, false};
        QTest::newRow("entry with underscore") << CleanRow{u"report_old_version.txt"_s, none, u"60"_s, QStringList{u"old_version"_s}, u"report_.txt"_s, false};
        QTest::newRow("removal joins a new occurrence") << CleanRow{u"aabb.txt"_s, none, u"60"_s, QStringList{u"ab"_s}, u"ab.txt"_s, false};
        QTest::newRow("an entry is not applied again") << CleanRow{u"acb.txt"_s, none, u"60"_s, QStringList{u"ab"_s, u"c"_s}, u"ab.txt"_s, false};
        QTest::newRow("doubled special only at the very start") << CleanRow{u"##Top.txt"_s, u"s"_s, u"60"_s, {}, u"#Top.txt"_s, false};
        QTest::newRow("every special kind collapses") << CleanRow{u"a--__<<>>!!@@##$$^^&&**b.txt"_s, u"s"_s, u"60"_s, {}, u"a-_<>!@#$^&*b.txt"_s, false};
        QTest::newRow("long run of one special") << CleanRow{u"x#########y.txt"_s, u"s"_s, u"60"_s, {}, u"x#y.txt"_s, false};
        QTest::newRow("doubled percent stays") << CleanRow{u"50%% off.txt"_s, u"s"_s, u"60"_s, {}, u"50%% off.txt"_s, false};
        QTest::newRow("run of blanks") << CleanRow{u"a     b.txt"_s, u"p"_s, u"60"_s, {}, u"a b.txt"_s, false};
        QTest::newRow("underscores are no delimiters") << CleanRow{u"_Notes_.txt"_s, u"bn"_s, u"60"_s, {}, u"_Notes_.txt"_s, false};
        QTest::newRow("nested empty pairs") << CleanRow{u"x([ ])y.txt"_s, u"e"_s, u"60"_s, {}, u"xy.txt"_s, false};
        QTest::newRow("pair with two blanks is not empty") << CleanRow{u"x(  )y.txt"_s, u"e"_s, u"60"_s, {}, u"x(  )y.txt"_s, false};
        QTest::newRow("every empty pair") << CleanRow{u"a( )()[ ][]{ }{}< ><>b.txt"_s, u"e"_s, u"60"_s, {}, u"ab.txt"_s, false};
        QTest::newRow("delimiters at both ends") << CleanRow{u" ) - Title - ( .txt"_s, u"bn"_s, u"60"_s, {}, u"Title.txt"_s, false};
        QTest::newRow("whole base removed") << CleanRow{u"SAMPLE.avi"_s, none, u"60"_s, QStringList{u"sample"_s}, u".avi"_s, false};
        QTest::newRow("whole name removed") << CleanRow{u"sample"_s, none, u"60"_s, QStringList{u"sample"_s}, u""_s, false};
        QTest::newRow("empty base") << CleanRow{u".profile"_s, all, u"60"_s, {}, u".profile"_s, false};
        QTest::newRow("lone dot extension") << CleanRow{u"notes."_s, all, u"60"_s, {}, u"notes."_s, false};
        QTest::newRow("blanks inside what counts as extension") << CleanRow{u"part 1. intro  notes"_s, u"p"_s, u"60"_s, {}, u"part 1. intro  notes"_s, false};
        QTest::newRow("extension keeps its case and doubles") << CleanRow{u"a__b.TXT__"_s, u"us"_s, u"60"_s, {}, u"a  b.TXT__"_s, false};
        QTest::newRow("extension longer than the maximum") << CleanRow{u"report.backup-copy-old"_s, none, u"12"_s, {}, u"report.backup-copy-old"_s, true};
        QTest::newRow("other steps still done when the cut fails") << CleanRow{u"CC my__report.backup-copy-old"_s, all, u"12"_s, {}, u"my report.backup-copy-old"_s, true};
        QTest::newRow("maximum 3.4 rounds the keep below 0") << CleanRow{u"ab.txt"_s, none, u"3.4"_s, {}, u"ab.txt"_s, true};

        // Removal entries are plain text, not patterns.
        QTest::newRow("empty entry removes nothing") << CleanRow{u"abc.txt"_s, none, u"60"_s, QStringList{u""_s}, u"abc.txt"_s, false};
        QTest::newRow("regex characters are literal") << CleanRow{u"a.b(x)+[y]*z.txt"_s, none, u"60"_s, QStringList{u"(x)+"_s, u"[y]*"_s, u".*"_s}, u"a.bz.txt"_s, false};
        QTest::newRow("entry with blanks kept") << CleanRow{u"Song - www.site.com - .mp3"_s, u"n"_s, u"60"_s, QStringList{u" - www.site.com"_s}, u"Song.mp3"_s, false};
        QTest::newRow("duplicate entry applied twice") << CleanRow{u"xxxx.txt"_s, none, u"60"_s, QStringList{u"xx"_s, u"xx"_s}, u".txt"_s, false};
        QTest::newRow("case-insensitive outside ASCII") << CleanRow{u"Ärger ÉTÉ.txt"_s, u"p"_s, u"60"_s, QStringList{u"äRGER"_s, u"été"_s}, u" .txt"_s, false};

        // Entries match whole characters however their accents are encoded;
        // what they do not match keeps its own encoding.
        QTest::newRow("composed entry, decomposed name, other case") << CleanRow{u"Caf\u00e9 Te\u0301le\u0301charge\u0301 2019.avi"_s, none, u"60"_s, QStringList{u"T\u00c9L\u00c9CHARG\u00c9"_s}, u"Caf\u00e9  2019.avi"_s, false};
        QTest::newRow("decomposed entry, composed name, other case") << CleanRow{u"Cafe\u0301 T\u00c9L\u00c9CHARG\u00c9 2019.avi"_s, none, u"60"_s, QStringList{u"te\u0301le\u0301charge\u0301"_s}, u"Cafe\u0301  2019.avi"_s, false};
        QTest::newRow("marks in another order") << CleanRow{u"xS\u0307\u0323y.txt"_s, none, u"60"_s, QStringList{u"\u1e69"_s}, u"xy.txt"_s, false};
        QTest::newRow("a letter is not matched without its accent") << CleanRow{u"Cafe\u0301 cafe.txt"_s, none, u"60"_s, QStringList{u"cafe"_s}, u"Cafe\u0301 .txt"_s, false};
        QTest::newRow("an entry of marks alone matches where marks start") << CleanRow{u"\u0301x\u0301.txt"_s, none, u"60"_s, QStringList{u"\u0301"_s}, u"x\u0301.txt"_s, false};
        QTest::newRow("syllable against jamo, never a part of one") << CleanRow{u"\u1112\u1161\u11ab\u1100\u1173\u11af.txt"_s, none, u"60"_s, QStringList{u"\ud558"_s, u"\ud55c"_s}, u"\u1100\u1173\u11af.txt"_s, false};
        QTest::newRow("emoji with modifiers and joiners are whole") << CleanRow{u"\U0001F44D\U0001F3FD \U0001F469\u200D\U0001F467 \U0001F44D.txt"_s, none, u"60"_s, QStringList{u"\U0001F44D"_s, u"\U0001F469"_s}, u"\U0001F44D\U0001F3FD \U0001F469\u200D\U0001F467 .txt"_s, false};

        // Characters outside the basic plane take two units.
        QTest::newRow("letters outside the basic plane fold") << CleanRow{u"a\U00010400b.txt"_s, none, u"60"_s, QStringList{u"\U00010428"_s}, u"ab.txt"_s, false};
        // clang-format on
    }
    void clean()
    {
        QFETCH(CleanRow, row);
        const auto &[name, switches, maxLength, removals, expected, cutFails] = row;

        const CleanResult result = CleanFileName(name, rulesFrom(switches, maxLength, removals));
        QCOMPARE(result.name, expected);
        QCOMPARE(result.failure.has_value(), cutFails);
        if (cutFails)
            QVERIFY(result.failure->is(ProgramFault::CutBelowZero)
                && result.failure->description.contains(name));
    }
    // A base made of the given user-perceived characters, cut at every
    // length: the cut keeps the characters that fit whole.
    void cutKeepsCharactersWhole_data()
    {
        QTest::addColumn<QString>("joined"); // the characters, joined by "|"

        QTest::newRow("accents apart, letters around") << u"A|e\u0301|o\u0323\u0302|\u00e9|x"_s;
        QTest::newRow("Devanagari") << u"\u0928|\u092e|\u0938\u094d\u0924\u0947"_s;
        QTest::newRow("Hangul jamo") << u"a|\u1112\u1161\u11ab|\u1100\u1173\u11af"_s;
        QTest::newRow("emoji with skin tones") << u"\U0001F44D\U0001F3FD|\U0001F44B\U0001F3FB|b"_s;
        QTest::newRow("ZWJ sequence") << u"\U0001F469\u200D\U0001F469\u200D\U0001F467|\U0001F3B5"_s;
        QTest::newRow("flags") << u"\U0001F1E9\U0001F1EA|\U0001F1EB\U0001F1F7"_s;
        QTest::newRow("CR LF") << u"a|\r\n|b"_s;
    }
    void cutKeepsCharactersWhole()
    {
        QFETCH(QString, joined);
        const QStringList characters = joined.split(u'|');
        const QString base = characters.join(QString());
        const QString extension = u".flac"_s;
        for (qsizetype keep = 0; keep <= base.size(); ++keep) {
            QString expected;
            for (const QString &character : characters) {
                if (expected.size() + character.size() > keep)
                    break;
                expected += character;
            }
            const QString maxLength = QString::number(keep + extension.size());
            QCOMPARE(CleanFileName(base + extension, rulesFrom(u""_s, maxLength, {})).name,
                expected + extension);
        }
    }
    // The prepared cleaner against the reference, on random rules and names
    // made to hit every step, every removal path (no entry occurs, the first
    // entry that occurs, entries that occur only after earlier ones were
    // removed, bases longer than the cleaner keeps on the stack, accents and
    // joined characters encoded either way), and the cut.
    void matchesReferenceOnRandomNames()
    {
        constexpr int RuleSets = 1000;
        constexpr int NamesPerSet = 100;
        RandomCleaning random(20261208);
        const auto shown = [](const CleanResult &result) {
            return RandomCleaning::escaped(result.name)
                + (result.failure ? u"\" failing %1: %2"_s.arg(result.failure->number)
                                        .arg(result.failure->description)
                                  : u"\""_s);
        };
        qsizetype changed = 0;
        qsizetype failed = 0;
        for (int set = 0; set < RuleSets; ++set) {
            const CleaningRules rules = random.rules();
            const NameCleaner cleaner(rules);
            for (int i = 0; i < NamesPerSet; ++i) {
                const QString name = random.name(rules.removals);
                const CleanResult expected = referenceCleanFileName(name, rules);
                const CleanResult actual
                    = i == 0 ? CleanFileName(name, rules) : cleaner.clean(name);
                changed += expected.name != name;
                failed += expected.failure.has_value();
                if (shown(actual) != shown(expected)) {
                    QFAIL(qPrintable(u"name \"%1\", %2: expected \"%3, got \"%4"_s.arg(
                        RandomCleaning::escaped(name), RandomCleaning::describe(rules),
                        shown(expected), shown(actual))));
                }
            }
        }
        // The names must exercise the steps, not slip through unchanged.
        constexpr qsizetype Names = qsizetype(RuleSets) * NamesPerSet;
        QVERIFY2(changed > Names / 2, qPrintable(QString::number(changed)));
        QVERIFY2(failed > Names / 100, qPrintable(QString::number(failed)));
    }
    // The pass refuses a cleaned name that would hide a visible file.
    void hides()
    {
        QVERIFY(wouldHide(u"[www.ads.com].avi", u".avi"));
        QVERIFY(!wouldHide(u".profile", u".file")); // hidden already
        QVERIFY(!wouldHide(u"sample", u"")); // cleaned to nothing
        QVERIFY(!wouldHide(u"ZZ x.mp4", u"x.mp4"));
    }
    void errorPrompt()
    {
        const Failure failure{5, u"Cannot rename 'a' to 'b': Permission denied"_s};
        QCOMPARE(EngineTexts::errorDialogPrompt(failure),
            u"Error: 5\r\nCannot rename 'a' to 'b': Permission denied\r\n"
            "Click OK to continue or Cancel to abort"_s);
        QCOMPARE(EngineTexts::errorDialogTitle(), u"Runtime Error"_s);
    }
};

QTEST_APPLESS_MAIN(TestNameCleaner)
#include "tst_namecleaner.moc"
