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

QDateTime local(int y, int m, int d, int h = 0, int min = 0, int s = 0, int ms = 0) {
    return QDateTime(QDate(y, m, d), QTime(h, min, s, ms), Qt::LocalTime);
}

bool inBerlin() {
    return QTimeZone::systemTimeZoneId() == "Europe/Berlin";
}

// Rows of (text, expected text) named after their input.
void textRows(std::initializer_list<std::pair<QString, QString>> rows) {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");
    for (const auto& [text, expected] : rows)
        QTest::addRow("%s", qPrintable(text)) << text << expected;
}

}  // namespace

class TestConversions : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void xmlEscape_data() {
        // Not allowed in XML at all: controls become blanks, non-characters U+FFFD.
        textRows({{"<GmbH>\t'x'😀", "&lt;GmbH&gt;&#9;&apos;x&apos;😀"},
                  {QString("Zeile1\vZeile2") + QChar(0) + QChar(0x1F), "Zeile1 Zeile2  "},
                  {QString(QChar(0xFFFE)) + QChar(0xFFFF), "\uFFFD\uFFFD"},
                  {QChar(0xD83D) + QString("x") + QChar(0xDE00), "\uFFFDx\uFFFD"},
                  {QString(QChar(0xDE00)) + QChar(0xD83D), "\uFFFD\uFFFD"}});
    }
    void xmlEscape() {
        QFETCH(QString, text);
        QTEST(XmlEscape(text), "expected");
    }

    // The expected value is written as C reads it; "-" marks a refused text.
    void toFloat_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("expected");
        const char* const rows[][2] = {{"45296.63", "45296.63"}, {"1.234,56", "1234.56"},
                                       {"1,234.56", "1234.56"},  {"1.234.567", "1234567"},
                                       {"  -12,5  ", "-12.5"},   {",5", "0.5"},
                                       {"-1,5E-10", "-1.5e-10"}};
        for (const auto& [text, expected] : rows)
            QTest::newRow(text) << QString(text) << QString(expected);
        for (const char* bad : {"", "12,50 €", "1 234,5", "1,2,3", "1.2,5", "12-3", "1e309", "NAN"})
            QTest::addRow("refused %s", bad) << QString(bad) << "-";
    }
    void toFloat() {
        QFETCH(QString, text);
        QFETCH(QString, expected);
        for (const QLocale& locale : {QLocale(QLocale::German, QLocale::Germany), QLocale::c()}) {
            const auto restore = useLocale(locale);
            QCOMPARE(ToFloat(text, -1.0), expected == "-" ? -1.0 : expected.toDouble());
        }
    }

    void toCurrency_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<qint64>("expected");
        const std::pair<const char*, qint64> rows[] = {{"1.234,5678", 12345678},
                                                       {"1,234.56", 12345600},

                                                       {"0,00005", 0},
                                                       {"0,00015", 2},
                                                       {"0,000050001", 1},
                                                       {"-0,00015", -2},
                                                       {"EUR", -7}};
        for (const auto& [text, expected] : rows) QTest::newRow(text) << QString(text) << expected;
        const qint64 max = std::numeric_limits<qint64>::max();
        QTest::newRow("largest") << "922337203685477,5807" << max;
        QTest::newRow("too large") << "922337203685477,5808" << qint64(-7);
        QTest::newRow("rounding overflows") << "922337203685477,58075" << qint64(-7);
    }
    void toCurrency() {
        QFETCH(QString, text);
        QTEST(ToCurrency(text, -7), "expected");
    }

    void floatToStr_data() {
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("expected");
        const std::pair<double, const char*> rows[] = {
            {-0.0, "0"}, {-1.5e20, "-1,5E20"}, {1e-5, "0,00001"}, {1.5e-10, "1,5E-10"}};
        for (const auto& [value, expected] : rows)
            QTest::addRow("%.17g", value) << value << QString(expected);
        QTest::newRow("largest fixed") << 1e15 - 1 << QString("999999999999999");
        QTest::newRow("0.1 + 0.2") << 0.1 + 0.2 << QString("0,3");
        QTest::newRow("15 digits") << 2 / 3.0 << QString("0,666666666666667");
        QTest::newRow("rounds up to exponent") << 999999999999999.9 << QString("1E15");
    }
    void floatToStr() {
        QFETCH(double, value);
        QFETCH(QString, expected);
        // Written alike under every locale; reading and writing again changes nothing.
        for (const QLocale& locale : {QLocale(QLocale::German, QLocale::Germany),
                                      QLocale(QLocale::English, QLocale::UnitedStates)}) {
            const auto restore = useLocale(locale);
            QCOMPARE(FloatToStr(value), expected);
            QCOMPARE(FloatToStr(ToFloat(expected, std::nan(""))), expected);
        }
    }

    void dayNumberToDateTime_data() {
        QTest::addColumn<double>("dayNumber");
        QTest::addColumn<QDateTime>("dateTime");
        const std::pair<double, QDateTime> rows[] = {{0.0, local(1899, 12, 30)},
                                                     {-1.25, local(1899, 12, 29, 6)},
                                                     {-36522.75, local(1800, 1, 1, 18)},
                                                     // Summer time starts and ends.
                                                     {45382.125, local(2024, 3, 31, 3)},
                                                     {45592.875, local(2024, 10, 27, 21)}};
        for (const auto& [day, dateTime] : rows) QTest::addRow("%.3f", day) << day << dateTime;
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
        const double msec = 1.0 / 86400000.0;
        // A fraction that rounds up to a whole day moves to the next midnight.
        QCOMPARE(DayNumberToDateTime(1.0 - 0.1 * msec), local(1899, 12, 31));
    }
};

KWP_REGISTER_TEST(TestConversions)
#include "tst_conversions.moc"
