#include "textconversions.h"

#include <QTest>

#include <cmath>
#include <limits>

using namespace Qt::StringLiterals;
using namespace TextConversions;

class TestTextConversions : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void leadingNumber_data()
    {
        // clang-format off
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("afterZero"); // read as if a "0" came first
        QTest::addColumn<double>("expected");

        QTest::newRow("empty") << u""_s << false << 0.0;
        QTest::newRow("blank inside the digits") << u"6 0"_s << false << 60.0;
        QTest::newRow("tab and line feed skipped") << u"\t1\n2"_s << false << 12.0;
        QTest::newRow("carriage return stops") << u"1\r2"_s << false << 1.0;
        QTest::newRow("minus then blank") << u"- 5"_s << false << -5.0;
        QTest::newRow("fraction") << u"60.5"_s << false << 60.5;
        QTest::newRow("second point stops") << u"1.2.3"_s << false << 1.2;
        QTest::newRow("point first") << u".5"_s << false << 0.5;
        QTest::newRow("exponent E") << u"1E3"_s << false << 1000.0;
        QTest::newRow("exponent d lower case") << u"2d2"_s << false << 200.0;
        QTest::newRow("exponent without digits") << u"7e"_s << false << 7.0;
        QTest::newRow("hex lower case with blank") << u"&h f"_s << false << 15.0;
        QTest::newRow("octal") << u"&O17"_s << false << 15.0;
        QTest::newRow("ampersand alone") << u"&"_s << false << 0.0;
        QTest::newRow("comma is no decimal point") << u"60,5"_s << false << 60.0;
        QTest::newRow("arabic-indic digit is no digit") << u"\u0661"_s << false << 0.0;
        QTest::newRow("underflow") << u"1e-999"_s << false << 0.0;
        QTest::newRow("many digits then huge exponent") << u"0.0001e400"_s << false << std::numeric_limits<double>::infinity();
        QTest::newRow("after zero: empty") << u""_s << true << 0.0;
        QTest::newRow("after zero: point first") << u".5"_s << true << 0.5;
        QTest::newRow("after zero: blank first") << u" 5"_s << true << 5.0;
        QTest::newRow("after zero: minus") << u"-5"_s << true << 0.0;
        QTest::newRow("after zero: letter") << u"x5"_s << true << 0.0;
        QTest::newRow("after zero: hex") << u"&H10"_s << true << 0.0;
        // clang-format on
    }
    void leadingNumber()
    {
        QFETCH(QString, text);
        QFETCH(bool, afterZero);
        QFETCH(double, expected);
        QCOMPARE(afterZero ? leadingNumberAfterZero(text) : TextConversions::leadingNumber(text),
            expected);
    }
    void wholeTexts_data()
    {
        // clang-format off
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("numeric");
        QTest::addColumn<bool>("converts"); // to a 16-bit integer
        QTest::addColumn<int>("expected");
        QTest::addColumn<int>("boolean"); // -1: does not convert

        QTest::newRow("blanks around") << u"  60 "_s << true << true << 60 << 1;
        QTest::newRow("half down to even") << u"60.5"_s << true << true << 60 << 1;
        QTest::newRow("half up to even") << u"61.5"_s << true << true << 62 << 1;
        QTest::newRow("negative half to even") << u"-2.5"_s << true << true << -2 << 1;
        QTest::newRow("lowest") << u"-32768"_s << true << true << -32768 << 1;
        QTest::newRow("highest") << u"32767"_s << true << true << 32767 << 1;
        QTest::newRow("rounds into range") << u"32767.4"_s << true << true << 32767 << 1;
        QTest::newRow("half rounds out of range") << u"32767.5"_s << true << false << 0 << 1;
        QTest::newRow("just below lowest") << u"-32769"_s << true << false << 0 << 1;
        QTest::newRow("just above highest") << u"32768"_s << true << false << 0 << 1;
        QTest::newRow("exponent") << u"1e2"_s << true << true << 100 << 1;
        QTest::newRow("hex") << u"&H10"_s << true << true << 16 << 1;
        QTest::newRow("empty") << u""_s << false << false << 0 << -1;
        QTest::newRow("blank inside") << u"1 2"_s << false << false << 0 << -1;
        QTest::newRow("dangling exponent") << u"1e"_s << false << false << 0 << -1;
        QTest::newRow("two points") << u"1.2.3"_s << false << false << 0 << -1;
        QTest::newRow("huge") << u"1e999"_s << true << false << 0 << 1;
        QTest::newRow("a fraction that rounds to zero is true") << u"0.5"_s << true << true << 0 << 1;
        QTest::newRow("zero is false") << u"0"_s << true << true << 0 << 0;
        QTest::newRow("True") << u"True"_s << false << false << 0 << 1;
        QTest::newRow("lower case false") << u"false"_s << false << false << 0 << 0;
        QTest::newRow("yes does not convert") << u"yes"_s << false << false << 0 << -1;
        // clang-format on
    }
    void wholeTexts()
    {
        QFETCH(QString, text);
        QFETCH(bool, numeric);
        QFETCH(bool, converts);
        QFETCH(int, expected);
        QFETCH(int, boolean);

        QCOMPARE(isNumeric(text), numeric);
        const std::optional<qint16> value = toInt16(text);
        QCOMPARE(value.has_value(), converts);
        if (converts)
            QCOMPARE(int(*value), expected);
        const std::optional<bool> truth = toBoolean(text);
        QCOMPARE(truth.has_value(), boolean >= 0);
        if (truth)
            QCOMPARE(*truth, boolean == 1);
    }
};

QTEST_APPLESS_MAIN(TestTextConversions)
#include "tst_textconversions.moc"
