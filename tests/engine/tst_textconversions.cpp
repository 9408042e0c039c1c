#include "textconversions.h"

#include <QTest>

#include <limits>

using namespace Qt::StringLiterals;
using namespace TextConversions;
using NumberRow = std::tuple<QString, bool, double>;

class TestTextConversions : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void leadingNumber_data()
    {
        // clang-format off
        // The text, whether it is read as if a "0" came first, the number
        QTest::addColumn<NumberRow>("row");

        QTest::newRow("empty") << NumberRow{u""_s, false, 0.0};
        QTest::newRow("blank inside the digits") << NumberRow{u"6 0"_s, false, 60.0};
        QTest::newRow("tab and line feed skipped") << NumberRow{u"\t1\n2"_s, false, 12.0};
        QTest::newRow("carriage return stops") << NumberRow{u"1\r2"_s, false, 1.0};
        QTest::newRow("minus then blank") << NumberRow{u"- 5"_s, false, -5.0};
        QTest::newRow("fraction") << NumberRow{u"60.5"_s, false, 60.5};
        QTest::newRow("second point stops") << NumberRow{u"1.2.3"_s, false, 1.2};
        QTest::newRow("point first") << NumberRow{u".5"_s, false, 0.5};
        QTest::newRow("exponent E") << NumberRow{u"1E3"_s, false, 1000.0};
        QTest::newRow("exponent d lower case") << NumberRow{u"2d2"_s, false, 200.0};
        QTest::newRow("exponent without digits") << NumberRow{u"7e"_s, false, 7.0};
        QTest::newRow("hex lower case with blank") << NumberRow{u"&h f"_s, false, 15.0};
        QTest::newRow("octal") << NumberRow{u"&O17"_s, false, 15.0};
        QTest::newRow("ampersand alone") << NumberRow{u"&"_s, false, 0.0};
        QTest::newRow("comma is no decimal point") << NumberRow{u"60,5"_s, false, 60.0};
        QTest::newRow("arabic-indic digit is no digit") << NumberRow{u"\u0661"_s, false, 0.0};
        QTest::newRow("underflow") << NumberRow{u"1e-999"_s, false, 0.0};
        QTest::newRow("many digits then huge exponent") << NumberRow{u"0.0001e400"_s, false, std::numeric_limits<double>::infinity()};
        QTest::newRow("after zero: empty") << NumberRow{u""_s, true, 0.0};
        QTest::newRow("after zero: point first") << NumberRow{u".5"_s, true, 0.5};
        QTest::newRow("after zero: blank first") << NumberRow{u" 5"_s, true, 5.0};
        QTest::newRow("after zero: minus") << NumberRow{u"-5"_s, true, 0.0};
        QTest::newRow("after zero: letter") << NumberRow{u"x5"_s, true, 0.0};
        QTest::newRow("after zero: hex") << NumberRow{u"&H10"_s, true, 0.0};
        // clang-format on
    }
    void leadingNumber()
    {
        QFETCH(NumberRow, row);
        const auto &[text, afterZero, expected] = row;
        QCOMPARE(afterZero ? leadingNumberAfterZero(text) : TextConversions::leadingNumber(text),
            expected);
    }
    void wholeTexts_data()
    {
        // clang-format off
        QTest::addColumn<QString>("text");
        // Numeric, converts to a 16-bit integer, that integer (0 when it
        // does not), the boolean (-1 when it does not convert)
        QTest::addColumn<QList<int>>("expected");

        QTest::newRow("blanks around") << u"  60 "_s << QList<int>{1, 1, 60, 1};
        QTest::newRow("half down to even") << u"60.5"_s << QList<int>{1, 1, 60, 1};
        QTest::newRow("half up to even") << u"61.5"_s << QList<int>{1, 1, 62, 1};
        QTest::newRow("negative half to even") << u"-2.5"_s << QList<int>{1, 1, -2, 1};
        QTest::newRow("lowest") << u"-32768"_s << QList<int>{1, 1, -32768, 1};
        QTest::newRow("highest") << u"32767"_s << QList<int>{1, 1, 32767, 1};
        QTest::newRow("rounds into range") << u"32767.4"_s << QList<int>{1, 1, 32767, 1};
        QTest::newRow("half rounds out of range") << u"32767.5"_s << QList<int>{1, 0, 0, 1};
        QTest::newRow("just below lowest") << u"-32769"_s << QList<int>{1, 0, 0, 1};
        QTest::newRow("just above highest") << u"32768"_s << QList<int>{1, 0, 0, 1};
        QTest::newRow("exponent") << u"1e2"_s << QList<int>{1, 1, 100, 1};
        QTest::newRow("hex") << u"&H10"_s << QList<int>{1, 1, 16, 1};
        QTest::newRow("empty") << u""_s << QList<int>{0, 0, 0, -1};
        QTest::newRow("blank inside") << u"1 2"_s << QList<int>{0, 0, 0, -1};
        QTest::newRow("dangling exponent") << u"1e"_s << QList<int>{0, 0, 0, -1};
        QTest::newRow("two points") << u"1.2.3"_s << QList<int>{0, 0, 0, -1};
        QTest::newRow("huge") << u"1e999"_s << QList<int>{1, 0, 0, 1};
        QTest::newRow("a fraction that rounds to zero is true") << u"0.5"_s << QList<int>{1, 1, 0, 1};
        QTest::newRow("zero is false") << u"0"_s << QList<int>{1, 1, 0, 0};
        QTest::newRow("True") << u"True"_s << QList<int>{0, 0, 0, 1};
        QTest::newRow("lower case false") << u"false"_s << QList<int>{0, 0, 0, 0};
        QTest::newRow("yes does not convert") << u"yes"_s << QList<int>{0, 0, 0, -1};
        // clang-format on
    }
    void wholeTexts()
    {
        QFETCH(QString, text);
        QFETCH(QList<int>, expected);

        const std::optional<qint16> value = toInt16(text);
        const std::optional<bool> truth = toBoolean(text);
        QCOMPARE((QList<int>{isNumeric(text), value.has_value(), value.value_or(0),
                     truth ? int(*truth) : -1}),
            expected);
    }
};

QTEST_APPLESS_MAIN(TestTextConversions)
#include "tst_textconversions.moc"
