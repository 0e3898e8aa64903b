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
        QTest::newRow("integer") << "%d Treffer" << QVariantList{-42} << "-42 Treffer";
        QTest::newRow("zero padded") << "%.5d" << QVariantList{42} << "00042";
        QTest::newRow("money number") << "%n %s" << QVariantList{1234.5, "EUR"} << "1.234,50 EUR";
        QTest::newRow("large number") << "%n" << QVariantList{-1234567.891} << "-1.234.567,89";
        QTest::newRow("fixed") << "%.3f" << QVariantList{1234.5} << "1234,500";
        QTest::newRow("percent") << "100%% sicher" << QVariantList{} << "100% sicher";
        QTest::newRow("missing argument") << "%s und %s" << QVariantList{"A"} << "A und %s";
        QTest::newRow("unknown directive") << "50%q" << QVariantList{1} << "50%q";
    }
    void formats() {
        QFETCH(QString, format);
        QFETCH(QVariantList, args);
        QTEST(FormatStr(format, args), "expected");
    }
};

KWP_REGISTER_TEST(TestFormat)
#include "tst_format.moc"
