#include <QtTest>

#include "address/phonetics.h"
#include "testsupport.h"

class TestExchange : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void phonetics_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("koelner");
        QTest::addColumn<QString>("soundex");
        // Kölner codes worked out by hand from the letter rules; Soundex as the classic examples.
        QTest::newRow("published") << "Müller-Lüdenscheidt"
                                   << "65752682"
                                   << "M464";
        QTest::newRow("vowels merge") << "Meyer"
                                      << "67"
                                      << "M600";
        QTest::newRow("C before H at start") << "Christoph"
                                             << "47823"
                                             << "C623";
        QTest::newRow("X at start, P before H") << "Xaver"
                                                << "4837"
                                                << "X160";
        QTest::newRow("leading zero kept") << "Acht"
                                           << "042"
                                           << "A230";
        QTest::newRow("T before Z") << "Dietz"
                                    << "28"
                                    << "D320";
        QTest::newRow("doubles across H") << "Matthäus"
                                          << "628"
                                          << "M320";
        QTest::newRow("sharp s") << "Straße"
                                 << "8278"
                                 << "S362";
        QTest::newRow("H and W do not separate") << "Ashcraft"
                                                 << "08732"
                                                 << "A261";
        QTest::newRow("first letter's code") << "Pfister"
                                             << "13827"
                                             << "P236";
        QTest::newRow("no letters") << "12-34"
                                    << ""
                                    << "";
    }
    void phonetics() {
        QFETCH(QString, text);
        QFETCH(QString, koelner);
        QFETCH(QString, soundex);
        QCOMPARE(TPhonetics::KoelnerPhonetik(text), koelner);
        QCOMPARE(TPhonetics::Soundex(text), soundex);
    }
};

KWP_REGISTER_TEST(TestExchange)
#include "tst_exchange.moc"
