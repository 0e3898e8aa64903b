#include <QScopeGuard>
#include <QtTest>

#include "app/format.h"
#include "testsupport.h"

class TestFormat : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void formats_data() {
        QTest::addColumn<QString>("format");
        QTest::addColumn<QVariantList>("args");
        QTest::addColumn<QString>("expected");
        QTest::newRow("text") << "Datei \"%s\" fehlt." << QVariantList{"a.ini"}
                              << "Datei \"a.ini\" fehlt.";
        QTest::newRow("two in order") << "%s und %s" << QVariantList{"A", "B"} << "A und B";
        QTest::newRow("integer") << "%d Treffer" << QVariantList{-42} << "-42 Treffer";
        QTest::newRow("zero padded") << "%.5d" << QVariantList{42} << "00042";
        QTest::newRow("money number") << "%n %s" << QVariantList{1234.5, "EUR"} << "1.234,50 EUR";
        QTest::newRow("large number") << "%n" << QVariantList{-1234567.891} << "-1.234.567,89";
        QTest::newRow("fixed") << "%.3f" << QVariantList{1234.5} << "1234,500";
        QTest::newRow("fixed default") << "%f" << QVariantList{0.125} << "0,13";
        QTest::newRow("width") << "[%5s]" << QVariantList{"ab"} << "[   ab]";
        QTest::newRow("left") << "[%-5s]" << QVariantList{"ab"} << "[ab   ]";
        QTest::newRow("cut text") << "%.2s" << QVariantList{"abcdef"} << "ab";
        QTest::newRow("hex") << "%x" << QVariantList{255} << "FF";
        QTest::newRow("percent") << "100%% sicher" << QVariantList{} << "100% sicher";
        QTest::newRow("missing argument") << "%s und %s" << QVariantList{"A"} << "A und %s";
        QTest::newRow("unknown directive") << "50%q" << QVariantList{1} << "50%q";
        QTest::newRow("trailing percent") << "abc%" << QVariantList{} << "abc%";
        QTest::newRow("umlauts kept") << "Größe: %s" << QVariantList{"Ä€"} << "Größe: Ä€";
    }
    void formats() {
        QFETCH(QString, format);
        QFETCH(QVariantList, args);
        QTEST(FormatStr(format, args), "expected");
    }

    void followsTheProcessLocale_data() {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<QString>("number");
        QTest::addColumn<QString>("dateTime");
        QTest::newRow("de_DE") << QLocale(QLocale::German, QLocale::Germany) << "1.234,50"
                               << "10.03.2026 14:05:09";
        QTest::newRow("en_US") << QLocale(QLocale::English, QLocale::UnitedStates) << "1,234.50"
                               << "3/10/2026 2:05:09 PM";
        QTest::newRow("year first") << QLocale(QLocale::Korean, QLocale::SouthKorea) << "1,234.50"
                                    << "2026. 3. 10. 오후 2시 5분 9초";
    }
    void followsTheProcessLocale() {
        QFETCH(QLocale, locale);
        QLocale::setDefault(locale);
        const auto restore =
            qScopeGuard([] { QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany)); });
        const QDateTime stamp(QDate(2026, 3, 10), QTime(14, 5, 9));
        QTEST(FormatStr(QStringLiteral("%n"), {1234.5}), "number");
        QTEST(DateTimeToStr(stamp), "dateTime");
    }
};

KWP_REGISTER_TEST(TestFormat)
#include "tst_format.moc"
