#include <QImage>
#include <QPainter>
#include <QtTest>
#include <functional>

#include "labels/barcode.h"
#include "testsupport.h"

namespace {

// Bars as 1, spaces as 0, one character per module (element widths 1-4 at ratio 2).
QByteArray patternModules(const QByteArray& pattern) {
    QByteArray result;
    for (const char element : pattern) {
        const bool space = element >= '0' && element <= '3';
        const int width = space ? element - '0' : element >= 'A' ? element - 'A' : element - '5';
        result += QByteArray(width + 1, space ? '0' : '1');
    }
    return result;
}

// Wide/narrow notation: b/B narrow/wide bar, w/W narrow/wide space.
QByteArray patternWideNarrow(const QByteArray& pattern) {
    static const QHash<char, char> notation{{'0', 'w'}, {'1', 'W'}, {'5', 'b'}, {'6', 'B'}};
    QByteArray result;
    for (const char element : pattern) result += notation.value(element, '?');
    return result;
}

// Element notation by symbology: module counts, else wide/narrow.
bool usesModules(int symbology) {
    return (symbology >= bcCode128A && symbology <= bcCode93Extended) || symbology >= bcCodeEAN8;
}

QString errorOf(const std::function<void()>& action) {
    try {
        action();
    } catch (const EKwpError& e) {
        return e.message();
    }
    return QStringLiteral("(no error)");
}

}  // namespace

class TestBarcode : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void patterns_data() {
        QTest::addColumn<int>("symbology");
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<bool>("addCheckDigit");
        QTest::addColumn<QByteArray>("expected");
        const auto row = [](const char* name, int symbology, const QByteArray& text,
                            const QByteArray& expected, bool addCheckDigit = false) {
            QTest::newRow(name) << symbology << text << addCheckDigit << expected;
        };
        const QByteArray wikipedia39 =
            "bWbwBwBwbwBWBwbwbwbwbwBwbWBwbwBwbwbwbWBwbwBwbWBwbwbwBwBwbWbwBwbwBWbwbwbwbwBWbwBwbwBwbW"
            "BwbwBwbwbWbwBwbWbwBwBwb";
        // Symbologies that zbarimg reads are decoded in tst_barcodedraw.
        row("matrix 2 of 5", bcCode_2_5_matrix, "1234", "BwbwbwBwbwBwbWbwBwBWbwbwbwBwBwBwbwb");
        row("Code 39 upper-cases, skips foreign characters", bcCode39, "W#iki*PEDIA\xE4\x01",
            wikipedia39);
        row("Code 39 with check character $", bcCode39, "WIKIpedia",
            "bWbwBwBwbwBWBwbwbwbwbwBwbWBwbwBwbwbwbWBwbwBwbWBwbwbwBwBwbWbwBwbwBWbwbwbwbwBWbwBwbwBwb"
            "WBwbwBwbwbWbwBwbWbWbWbwbwbWbwBwBwb",
            true);
        row("Code 39 full ASCII a = +A", bcCode39Extended, "a",
            "bWbwBwBwbwbWbwbWbWbwBwbwbWbwBwbWbwBwBwb");
        row("Code 128 A", bcCode128A, "AB\x01",
            "11010000100101000110001000101100010010110000110111101101100011101011");
        row("GS1-128 C", bcCodeEAN128C, "1234567",
            "11010011100111101011101100110110011101101110101110110001000010110010011000010110001110"
            "1011");
        row("UPC-E number system 1", bcCodeUPC_E1, "4252611",
            "101010001100100110111001001001100001010110011010101");
        row("5-digit add-on", bcCodeUPC_Supp5, "52495",
            "10110111001010010011010011101010001011010110001");
    }
    void patterns() {
        QFETCH(int, symbology);
        QFETCH(QByteArray, text);
        QFETCH(bool, addCheckDigit);
        TBarcode barcode;
        barcode.SetSymbology(quint8(symbology));
        barcode.SetText(text);
        barcode.SetAddCheckDigit(addCheckDigit);
        const QByteArray pattern = barcode.BuildPattern();
        QTEST(usesModules(symbology) ? patternModules(pattern) : patternWideNarrow(pattern),
              "expected");
    }

    void checkDigits_data() {
        QTest::addColumn<int>("symbology");
        QTest::addColumn<QByteArray>("text");
        // Text whose pattern without check must match; EAN/UPC print it under the bars.
        // Plain appended check digits are decoded in tst_barcodedraw.
        QTest::addColumn<QByteArray>("sameAs");
        const auto row = [](const char* name, int symbology, const char* text, const char* sameAs) {
            QTest::newRow(name) << symbology << QByteArray(text) << QByteArray(sameAs);
        };
        row("EAN-13 replaces a wrong check digit", bcCodeEAN13, "4006381333930", "4006381333931");
        row("EAN-13 short text padded first", bcCodeEAN13, "12345", "0000000123457");
        row("EAN-8 trimmed", bcCodeEAN8, " \t9638507 \r\n", "96385074");
        row("UPC-E 1", bcCodeUPC_E1, "425261", "4252611");
        row("Code 128 B with check digit", bcCode128B, "A-0", "A-00");
    }
    void checkDigits() {
        QFETCH(int, symbology);
        QFETCH(QByteArray, text);
        QFETCH(QByteArray, sameAs);
        TBarcode withCheck, plain;
        withCheck.SetSymbology(quint8(symbology));
        withCheck.SetCheckDigitMethod(1);
        withCheck.SetAddCheckDigit(true);
        withCheck.SetText(text);
        plain.SetSymbology(quint8(symbology));
        plain.SetText(sameAs);
        QCOMPARE(patternModules(withCheck.BuildPattern()), patternModules(plain.BuildPattern()));
        if (symbology >= bcCodeEAN8 && symbology <= bcCodeUPC_E1)
            QCOMPARE(withCheck.Text(), sameAs);
    }

    void errors_data() {
        QTest::addColumn<int>("symbology");
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QString>("message");
        const auto row = [](const char* name, int symbology, const char* text,
                            const QString& message) {
            QTest::newRow(name) << symbology << QByteArray(text) << message;
        };
        const QString numeric = QStringLiteral("Barcode muss numerisch sein.");
        for (const int symbology :
             {bcCode_2_5_interleaved, bcCode_2_5_industrial, bcCode_2_5_matrix, bcCode128C,
              bcCodeMSI, bcCodePostNet, bcCodeEAN8, bcCodeEAN13, bcCodeUPC_A, bcCodeUPC_E0,
              bcCodeUPC_E1, bcCodeUPC_Supp2, bcCodeUPC_Supp5, bcCodeEAN128C}) {
            for (const char* text : {"1A", "1 2"})
                QTest::addRow("digits only %d <%s>", symbology, text)
                    << symbology << QByteArray(text) << numeric;
        }
        const auto bad = [](const char* kind, const char* text) {
            return QStringLiteral("TBarcode:%1 fehlerhafte Daten <%2>")
                .arg(QLatin1String(kind), QString::fromUtf8(text));
        };
        row("Code 93 lower case", bcCode93, "Abc", bad("Code93", "Abc"));
        row("Code 93 full ASCII umlaut", bcCode93Extended, "M\xFCller", bad("Code93", "Müller"));
        row("Code 128 A lower case", bcCode128A, "Ab", bad("Code128", "Ab"));
        row("Codabar letter", bcCodeCodabar, "12X", bad("Codabar", "12X"));
        row("symbology 23", 23, "1", "TBarcode: Falscher Barcodetyp");
        const QString tooLong = QStringLiteral("Barcode darf höchstens %1 Ziffern haben.");
        for (const auto& [symbology, text, digits] : {std::tuple{bcCodeEAN13, "40063813339310", 13},
                                                      {bcCodeUPC_E0, "04252614", 7},
                                                      {bcCodeUPC_Supp5, "123456", 5}})
            row(text, symbology, text, tooLong.arg(digits));
        for (const auto& [symbology, text, right] : {std::tuple{bcCodeEAN13, "4006381333930", 1},
                                                     {bcCodeEAN13, "12", 7},
                                                     {bcCodeEAN8, "96385070", 4},
                                                     {bcCodeUPC_E1, "4252614", 1}})
            row(text, symbology, text,
                QStringLiteral("Barcode %1 hat eine falsche Prüfziffer, richtig wäre %2.")
                    .arg(QLatin1String(text))
                    .arg(right));
    }
    void errors() {
        QFETCH(int, symbology);
        QFETCH(QByteArray, text);
        QFETCH(QString, message);
        TBarcode barcode;
        barcode.SetSymbology(quint8(symbology));
        barcode.SetText(text);
        QCOMPARE(errorOf([&] { barcode.BuildPattern(); }), message);
        // A label run goes on: drawing raises nothing, paints nothing and tells why.
        QImage image(20, 20, QImage::Format_RGB32);
        image.fill(Qt::red);
        QPainter painter(&image);
        barcode.SetTextMode(3);
        QVERIFY(!barcode.Draw(painter));
        QCOMPARE(barcode.ErrorText(), message);
        painter.end();
        QCOMPARE(image.pixel(0, 0), QColor(Qt::red).rgb());
        barcode.SetSymbology(bcCode39);
        QVERIFY(barcode.GetPatternWidth() > 0);
        QCOMPARE(barcode.ErrorText(), QString());
    }
};

KWP_REGISTER_TEST(TestBarcode)
#include "tst_barcode.moc"
