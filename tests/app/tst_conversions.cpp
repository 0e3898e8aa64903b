#include <QScopeGuard>
#include <QTimeZone>
#include <QtTest>
#include <cmath>
#include <limits>

#include "app/conversions.h"
#include "testsupport.h"

namespace {

// Switches the default locale for one test and puts the German one back afterwards.
auto useLocale(const QLocale& locale) {
    QLocale::setDefault(locale);
    return qScopeGuard([] { QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany)); });
}

QLocale english() {
    return QLocale(QLocale::English, QLocale::UnitedStates);
}

QDateTime local(int y, int m, int d, int h = 0, int min = 0, int s = 0, int ms = 0) {
    return QDateTime(QDate(y, m, d), QTime(h, min, s, ms), Qt::LocalTime);
}

bool inBerlin() {
    return QTimeZone::systemTimeZoneId() == "Europe/Berlin";
}

}  // namespace

class TestConversions : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void xmlEscape_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("expected");
        QTest::newRow("empty") << QString("") << QString("");
        QTest::newRow("markup and line break")
            << QString("Müller & Söhne <GmbH>\r\n\"Bau\"\t'x'")
            << QString("Müller &amp; Söhne &lt;GmbH&gt;&#13;&#10;&quot;Bau&quot;&#9;&apos;x&apos;");
        QTest::newRow("already escaped is escaped again")
            << QString("&amp;") << QString("&amp;amp;");
        QTest::newRow("others unchanged") << QString("ß€😀") << QString("ß€😀");
        // Not allowed in XML at all: controls become blanks, non-characters U+FFFD.
        QTest::newRow("controls") << QString("Zeile1\vZeile2") + QChar(0) + QChar(0x1F)
                                  << QString("Zeile1 Zeile2  ");
        QTest::newRow("noncharacters")
            << QString(QChar(0xFFFE)) + QChar(0xFFFF) << QString("\uFFFD\uFFFD");
        QTest::newRow("lone surrogates")
            << QChar(0xD83D) + QString("x") + QChar(0xDE00) << QString("\uFFFDx\uFFFD");
        QTest::newRow("swapped pair")
            << QString(QChar(0xDE00)) + QChar(0xD83D) << QString("\uFFFD\uFFFD");
    }
    void xmlEscape() {
        QFETCH(QString, text);
        QTEST(XmlEscape(text), "expected");
    }

    void xmlEscapeSearchKey_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("expected");
        QTest::newRow("empty") << QString("") << QString("");
        QTest::newRow("umlauts lower")
            << QString("müller ärger öl") << QString("MUELLER AERGER OEL");
        QTest::newRow("umlauts upper") << QString("ÄÖÜ") << QString("AEOEUE");
        QTest::newRow("sharp s") << QString("Straße") << QString("STRASSE");
        QTest::newRow("control 2 and 3") << QString(
                                                "a\x02"
                                                "b\x03"
                                                "c")
                                         << QString("A&#2;B&#3;C");
        QTest::newRow("escaped after folding") << QString("Ölmühle & Söhne <\"x\">\r\n'")
                                               << "OELMUEHLE &amp; SOEHNE &lt;&quot;X&quot;&gt;"
                                                  "&#13;&#10;&apos;";
        QTest::newRow("other accents stay") << QString("café") << QString("CAFÉ");
    }
    void xmlEscapeSearchKey() {
        QFETCH(QString, text);
        QTEST(XmlEscapeSearchKey(text), "expected");
    }

    void foldUmlauts_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("expected");
        QTest::newRow("umlauts") << QString("Jürgen Bäßler") << QString("JUERGEN BAESSLER");
        QTest::newRow("no escaping") << QString("a&b<c>\x02") << QString("A&B<C>\x02");
        QTest::newRow("digits") << QString("Weg 12a") << QString("WEG 12A");
    }
    void foldUmlauts() {
        QFETCH(QString, text);
        QTEST(FoldUmlauts(text), "expected");
    }

    void toFloat_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("expected");
        QTest::newRow("german") << "45296,63" << 45296.63;
        QTest::newRow("point") << "45296.63" << 45296.63;
        QTest::newRow("german grouping") << "1.234,56" << 1234.56;
        QTest::newRow("english grouping") << "1,234.56" << 1234.56;
        QTest::newRow("grouping only") << "1.234.567" << 1234567.0;
        QTest::newRow("padded") << "  12,5  " << 12.5;
        QTest::newRow("negative") << "-3,25" << -3.25;
        QTest::newRow("only decimals") << ",5" << 0.5;
        QTest::newRow("exponent") << "1e308" << 1e308;
        QTest::newRow("exponent with decimals") << "1,5e3" << 1500.0;
        QTest::newRow("negative exponent") << "-1,5E-10" << -1.5e-10;
        const double bad = -1.0;
        QTest::newRow("empty") << "" << bad;
        QTest::newRow("letters") << "abc" << bad;
        QTest::newRow("sign only") << "-" << bad;
        QTest::newRow("currency sign") << "12,50 €" << bad;
        QTest::newRow("blank inside") << "1 234,5" << bad;
        QTest::newRow("two decimal marks") << "1,2,3" << bad;
        QTest::newRow("short group") << "1.2,5" << bad;
        QTest::newRow("mark after decimals") << "1,5.000,1" << bad;
        QTest::newRow("sign in the middle") << "12-3" << bad;
        QTest::newRow("double sign") << "--1" << bad;
        QTest::newRow("exponent without digits") << "1e" << bad;
        QTest::newRow("overflow") << "1e309" << bad;
        QTest::newRow("long overflow") << QString("1" + QString(400, u'0')) << bad;
        QTest::newRow("infinite") << "INF" << bad;
        QTest::newRow("nan") << "NAN" << bad;
    }
    void toFloat() {
        QFETCH(QString, text);
        for (const QLocale& locale : {QLocale(QLocale::German, QLocale::Germany), QLocale::c()}) {
            const auto restore = useLocale(locale);
            QTEST(ToFloat(text, -1.0), "expected");
        }
    }

    void toInt_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("expected");
        QTest::newRow("plain") << "42" << 42;
        QTest::newRow("padded") << "  42 " << 42;
        QTest::newRow("negative") << "-17" << -17;
        QTest::newRow("plus") << "+5" << 5;
        QTest::newRow("thousands separator") << "4.200" << 99;
        QTest::newRow("junk between digits") << "12abc3" << 99;
        QTest::newRow("decimal comma") << "12,7" << 99;
        QTest::newRow("maximum") << "2147483647" << std::numeric_limits<int>::max();
        QTest::newRow("minimum") << "-2147483648" << std::numeric_limits<int>::min();
        QTest::newRow("overflow") << "2147483648" << 99;
        QTest::newRow("empty") << "" << 99;
        QTest::newRow("letters only") << "abc" << 99;
        QTest::newRow("sign in the middle") << "1-2" << 99;
    }
    void toInt() {
        QFETCH(QString, text);
        QTEST(ToInt(text, 99), "expected");
    }

    void toCurrency_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<qint64>("expected");
        QTest::newRow("whole") << "12" << qint64(120000);
        QTest::newRow("tenth is exact") << "0,1" << qint64(1000);
        QTest::newRow("grouped") << "1.234,5678" << qint64(12345678);
        QTest::newRow("point") << "1,234.56" << qint64(12345600);
        QTest::newRow("exponent") << "1,5E3" << qint64(15000000);
        QTest::newRow("tiny exponent rounds") << "6E-5" << qint64(1);
        QTest::newRow("negative") << "-2,5" << qint64(-25000);
        QTest::newRow("fifth decimal rounds up") << "0,00006" << qint64(1);
        QTest::newRow("fifth decimal rounds down") << "0,00004" << qint64(0);
        QTest::newRow("half to even down") << "0,00005" << qint64(0);
        QTest::newRow("half to even up") << "0,00015" << qint64(2);
        QTest::newRow("just above half") << "0,000050001" << qint64(1);
        QTest::newRow("negative half to even") << "-0,00015" << qint64(-2);
        QTest::newRow("largest") << "922337203685477,5807" << std::numeric_limits<qint64>::max();
        QTest::newRow("smallest") << "-922337203685477,5808" << std::numeric_limits<qint64>::min();
        QTest::newRow("too large") << "922337203685477,5808" << qint64(-7);
        QTest::newRow("rounding overflows") << "922337203685477,58075" << qint64(-7);
        QTest::newRow("junk") << "EUR" << qint64(-7);
    }
    void toCurrency() {
        QFETCH(QString, text);
        QTEST(ToCurrency(text, -7), "expected");
    }

    void toBool_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("defaultValue");
        QTest::addColumn<bool>("expected");
        QTest::newRow("empty default true") << "" << true << true;
        QTest::newRow("empty default false") << "" << false << false;
        QTest::newRow("zero") << "0" << true << false;
        QTest::newRow("minus one") << "-1" << false << true;
        QTest::newRow("one") << "1" << false << true;
        QTest::newRow("fraction") << "0,5" << false << true;
        QTest::newRow("zero with decimals") << "0,0" << true << false;
        QTest::newRow("true lower") << "true" << false << true;
        QTest::newRow("true mixed") << "True" << false << true;
        QTest::newRow("false upper") << "FALSE" << true << false;
        QTest::newRow("german word") << "ja" << false << false;
        QTest::newRow("german word default") << "ja" << true << true;
        QTest::newRow("blank") << " " << true << true;
    }
    void toBool() {
        QFETCH(QString, text);
        QFETCH(bool, defaultValue);
        QTEST(ToBool(text, defaultValue), "expected");
    }

    void floatToStr_data() {
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("expected");
        QTest::newRow("decimal comma") << 1234.5 << "1234,5";
        QTest::newRow("no thousands separator") << 1234567.0 << "1234567";
        QTest::newRow("15 digits") << 0.1 + 0.2 << "0,3";
        QTest::newRow("third") << 2.0 / 3.0 << "0,666666666666667";
        QTest::newRow("negative") << -1.25 << "-1,25";
        QTest::newRow("zero") << 0.0 << "0";
        QTest::newRow("negative zero") << -0.0 << "0";
        QTest::newRow("largest fixed") << 999999999999999.0 << "999999999999999";
        QTest::newRow("rounds up to exponent") << 999999999999999.9 << "1E15";
        QTest::newRow("large") << -1.5e20 << "-1,5E20";
        QTest::newRow("smallest fixed") << 1e-5 << "0,00001";
        QTest::newRow("small") << 1.5e-10 << "1,5E-10";
        QTest::newRow("day number") << 45296.63 << "45296,63";
    }
    void floatToStr() {
        QFETCH(double, value);
        QFETCH(QString, expected);
        // Written alike under every locale; reading and writing again changes nothing.
        for (const QLocale& locale : {QLocale(QLocale::German, QLocale::Germany), english()}) {
            const auto restore = useLocale(locale);
            QCOMPARE(FloatToStr(value), expected);
            QCOMPARE(FloatToStr(ToFloat(expected, std::nan(""))), expected);
        }
    }

    void dayNumberToDateTime_data() {
        QTest::addColumn<double>("dayNumber");
        QTest::addColumn<QDateTime>("dateTime");
        QTest::newRow("epoch") << 0.0 << local(1899, 12, 30);
        QTest::newRow("one and a half") << 1.5 << local(1899, 12, 31, 12);
        QTest::newRow("2023") << 45000.25 << local(2023, 3, 15, 6);
        QTest::newRow("day before epoch") << -1.0 << local(1899, 12, 29);
        QTest::newRow("negative with time") << -1.25 << local(1899, 12, 29, 6);
        QTest::newRow("negative far") << -36522.75 << local(1800, 1, 1, 18);
        QTest::newRow("year 2000") << 36526.0 << local(2000, 1, 1);
        QTest::newRow("DST starts, noon") << 45382.5 << local(2024, 3, 31, 12);
        QTest::newRow("DST starts, after the switch") << 45382.125 << local(2024, 3, 31, 3);
        QTest::newRow("DST ends, noon") << 45592.5 << local(2024, 10, 27, 12);
        QTest::newRow("DST ends, evening") << 45592.875 << local(2024, 10, 27, 21);
    }
    void dayNumberToDateTime() {
        QFETCH(double, dayNumber);
        QFETCH(QDateTime, dateTime);
        if (!inBerlin()) QSKIP("needs TZ=Europe/Berlin");
        QCOMPARE(DayNumberToDateTime(dayNumber), dateTime);
        QCOMPARE(DateTimeToDayNumber(dateTime), dayNumber);
    }

    void dayNumberKeepsAndRoundsMilliseconds() {
        const QDateTime stamp = local(2024, 2, 29, 23, 59, 59, 999);
        const double dayNumber = DateTimeToDayNumber(stamp);
        QVERIFY(dayNumber > 45351.9999 && dayNumber < 45352.0);
        QCOMPARE(DayNumberToDateTime(dayNumber), stamp);
        const QDateTime early = local(1899, 12, 29, 0, 0, 0, 1);
        QCOMPARE(DayNumberToDateTime(DateTimeToDayNumber(early)), early);
        const double msec = 1.0 / 86400000.0;
        QCOMPARE(DayNumberToDateTime(0.5 + 0.4 * msec), local(1899, 12, 30, 12));
        QCOMPARE(DayNumberToDateTime(0.5 + 0.6 * msec), local(1899, 12, 30, 12, 0, 0, 1));
        // A fraction that rounds up to a whole day moves to the next midnight.
        QCOMPARE(DayNumberToDateTime(1.0 - 0.1 * msec), local(1899, 12, 31));
    }

    void dayNumberCountsWallClock() {
        if (!inBerlin()) QSKIP("needs TZ=Europe/Berlin");
        // One hour passes between 01:00 and 03:00 on the switch day; the day number still
        // counts the clock face, like the suite's other programs.
        const double before = DateTimeToDayNumber(local(2024, 3, 31, 1));
        const double after = DateTimeToDayNumber(local(2024, 3, 31, 3));
        QVERIFY(qAbs(after - before - 2.0 / 24.0) < 1e-9);
        // The clock time skipped by the switch is moved forward, not lost.
        const QDateTime skipped = DayNumberToDateTime(45382.0 + 2.5 / 24.0);
        QVERIFY(skipped.isValid());
        QCOMPARE(skipped, local(2024, 3, 31, 3, 30));
        // Other time specs count in local time.
        const QDateTime utc(QDate(2024, 3, 31), QTime(10, 0), Qt::UTC);
        QCOMPARE(DateTimeToDayNumber(utc), 45382.5);
    }

    void dayNumberOutOfRangeAndLimits_data() {
        QTest::addColumn<double>("dayNumber");
        QTest::newRow("nan") << std::nan("");
        QTest::newRow("infinite") << std::numeric_limits<double>::infinity();
        QTest::newRow("huge") << 1e300;
        QTest::newRow("before year 1") << -693594.5;
        QTest::newRow("after year 9999") << 2958466.0;
    }
    void dayNumberOutOfRangeAndLimits() {
        QFETCH(double, dayNumber);
        QVERIFY(!DayNumberToDateTime(dayNumber).isValid());
        QCOMPARE(DayNumberToDateTime(-693593.0), local(1, 1, 1));
        QCOMPARE(DayNumberToDateTime(2958465.5), local(9999, 12, 31, 12));
        QCOMPARE(DateTimeToDayNumber(QDateTime()), 0.0);
    }
};

KWP_REGISTER_TEST(TestConversions)
#include "tst_conversions.moc"
