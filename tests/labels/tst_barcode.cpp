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

// Wide/narrow notation: b/B narrow/wide bar, w/W narrow/wide space, s/S short bars.
QByteArray patternWideNarrow(const QByteArray& pattern) {
    static const QHash<char, char> notation{{'0', 'w'}, {'1', 'W'}, {'5', 'b'},
                                            {'6', 'B'}, {'A', 's'}, {'B', 'S'}};
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
        row("interleaved 2 of 5", bcCode_2_5_interleaved, "123456",
            "bwbwBwbWbwbwBWBwBwbWbwbWBwbWBWbwbwBwb");
        row("industrial 2 of 5", bcCode_2_5_industrial, "1234",
            "BwBwbwBwbwbwbwBwbwBwbwbwBwBwBwbwbwbwbwbwBwbwBwBwbwB");
        row("matrix 2 of 5", bcCode_2_5_matrix, "1234", "BwbwbwBwbwBwbWbwBwBWbwbwbwBwBwBwbwb");
        row("Code 39", bcCode39, "WIKIPEDIA", wikipedia39);
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
        row("Code 128 B Wikipedia", bcCode128B, "Wikipedia",
            "11010010000111010001101000011010011000010010100001101001010011110010110010000100001001"
            "101000011010010010110000111100100101100011101011");
        row("Code 128 C", bcCode128C, "123456",
            "11010011100101100111001000101100011100010110100011011101100011101011");
        row("Code 128 C odd length", bcCode128C, "12345",
            "11010011100110011011001110110111010111011000100101111001100011101011");
        row("GS1-128 A", bcCodeEAN128A, "X1",
            "11010000100111101011101110001011010011100110111000110101100011101011");
        row("GS1-128 B", bcCodeEAN128B, "ab",
            "11010010000111101011101001011000010010000110110010111001100011101011");
        row("GS1-128 C", bcCodeEAN128C, "1234567",
            "11010011100111101011101100110110011101101110101110110001000010110010011000010110001110"
            "1"
            "011");
        row("Code 93 TEST93", bcCode93, "TEST93",
            "10101111011010011011001001011010110011010011010000101010100001010111011010010001010101"
            "1"
            "1101");
        row("Code 93 full ASCII a", bcCode93Extended, "a",
            "1010111101001100101101010001000100101000101101010111101");
        row("MSI 1234567 check 4", bcCodeMSI, "1234567",
            "BwbWbWbWBwbWbWBwbWbWbWBwBwbWBwbWbWbWBwbWBwbWBwBwbWbWBwBwBwbWBwbWbWbWb");
        row("POSTNET", bcCodePostNet, "12345",
            "bWsWsWsWbWbWsWsWbWsWbWsWsWbWbWsWsWbWsWsWbWsWbWsWbWsWb");
        row("Codabar", bcCodeCodabar, "40156",
            "bwBWbWbwbwBwbWbwbwbwbWBwbwbwBWbwBwbwbWbwbWbwbwBwbWbWbwB");
        row("EAN-8", bcCodeEAN8, "96385074",
            "1010001011010111101111010110111010101001110111001010001001011100101");
        row("EAN-13", bcCodeEAN13, "4006381333931",
            "10100011010100111010111101111010001001011001101010100001010000101000010111010010000101"
            "1"
            "00110101");
        row("UPC-A", bcCodeUPC_A, "036000291452",
            "10100011010111101010111100011010001101000110101010110110011101001100110101110010011101"
            "1"
            "01100101");
        row("UPC-E number system 0", bcCodeUPC_E0, "4252614",
            "101001110100100110111001001101101011110011001010101");
        row("UPC-E number system 1", bcCodeUPC_E1, "4252611",
            "101010001100100110111001001001100001010110011010101");
        row("2-digit add-on", bcCodeUPC_Supp2, "12", "10110011001010010011");
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
        QTest::addColumn<int>("method");
        // Text whose pattern without check must match; EAN/UPC print it under the bars.
        // Plain appended check digits are decoded in tst_barcodedraw.
        QTest::addColumn<QByteArray>("sameAs");
        const auto row = [](const char* name, int symbology, const char* text, const char* sameAs,
                            int method = 1) {
            QTest::newRow(name) << symbology << QByteArray(text) << method << QByteArray(sameAs);
        };
        row("EAN-13 replaces a wrong check digit", bcCodeEAN13, "4006381333930", "4006381333931");
        row("EAN-13 short text padded first", bcCodeEAN13, "12345", "0000000123457");
        row("EAN-8 trimmed", bcCodeEAN8, " \t9638507 \r\n", "96385074");
        row("UPC-E 1", bcCodeUPC_E1, "425261", "4252611");
        row("Code 128 B with check digit", bcCode128B, "A-0", "A-00");
        row("Code 128 method 0", bcCode128B, "12", "12", 0);
    }
    void checkDigits() {
        QFETCH(int, symbology);
        QFETCH(QByteArray, text);
        QFETCH(int, method);
        QFETCH(QByteArray, sameAs);
        TBarcode withCheck, plain;
        withCheck.SetSymbology(quint8(symbology));
        withCheck.SetCheckDigitMethod(quint8(method));
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
        const QString tooLong = QStringLiteral("Barcode darf höchstens %1 Ziffern haben.");
        row("Code 93 lower case", bcCode93, "Abc", bad("Code93", "Abc"));
        row("Code 93 star", bcCode93, "A*B", bad("Code93", "A*B"));
        row("Code 93 full ASCII umlaut", bcCode93Extended, "M\xFCller", bad("Code93", "Müller"));
        row("Code 128 A lower case", bcCode128A, "Ab", bad("Code128", "Ab"));
        row("Code 128 B control character", bcCode128B, "A\tB", bad("Code128", "A\tB"));
        row("Code 128 B umlaut", bcCode128B, "\xC4", bad("Code128", "Ä"));
        row("GS1-128 A lower case", bcCodeEAN128A, "x", bad("Code128", "x"));
        row("Codabar letter", bcCodeCodabar, "12X", bad("Codabar", "12X"));
        row("Codabar stop letter inside", bcCodeCodabar, "1B2", bad("Codabar", "1B2"));
        row("EAN-13 too long", bcCodeEAN13, "40063813339310", tooLong.arg(13));
        row("EAN-8 too long", bcCodeEAN8, "963850741", tooLong.arg(8));
        row("UPC-A too long", bcCodeUPC_A, "0360002914521", tooLong.arg(12));
        row("UPC-E too long", bcCodeUPC_E0, "04252614", tooLong.arg(7));
        row("add-on 2 too long", bcCodeUPC_Supp2, "123", tooLong.arg(2));
        row("add-on 5 too long", bcCodeUPC_Supp5, "123456", tooLong.arg(5));
        row("symbology 23", 23, "1", "TBarcode: Falscher Barcodetyp");
        row("symbology 255", 255, "1", "TBarcode: Falscher Barcodetyp");
        const auto wrongCheck = [](int symbology, const char* text, int right) {
            QTest::addRow("%d wrong check digit %s", symbology, text)
                << symbology << QByteArray(text)
                << QStringLiteral("Barcode %1 hat eine falsche Prüfziffer, richtig wäre %2.")
                       .arg(QLatin1String(text))
                       .arg(right);
        };
        wrongCheck(bcCodeEAN13, "4006381333930", 1);
        wrongCheck(bcCodeEAN13, "12", 7);  // checked after padding
        wrongCheck(bcCodeEAN8, "96385070", 4);
        wrongCheck(bcCodeUPC_A, "036000291450", 2);
        wrongCheck(bcCodeUPC_E0, "4252610", 4);
        wrongCheck(bcCodeUPC_E1, "4252614", 1);
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
        QCOMPARE(barcode.GetPatternWidth(), 0);
        QCOMPARE(barcode.ErrorText(), message);
        painter.end();
        QCOMPARE(image.pixel(0, 0), QColor(Qt::red).rgb());
        barcode.SetSymbology(bcCode39);
        QVERIFY(barcode.GetPatternWidth() > 0);
        QCOMPARE(barcode.ErrorText(), QString());
    }

    void elementWidths_data() {
        QTest::addColumn<int>("symbology");
        QTest::addColumn<int>("moduleWidth");
        QTest::addColumn<double>("ratio");
        QTest::addColumn<double>("kept");        // after clamping to the symbology's range
        QTest::addColumn<QList<int>>("widths");  // widths 0-3
        const auto row = [](const char* name, int symbology, int moduleWidth, double ratio,
                            double kept, const QList<int>& widths) {
            QTest::addRow("%s %d %d %g", name, symbology, moduleWidth, ratio)
                << symbology << moduleWidth << ratio << kept << widths;
        };
        row("Code 39", bcCode39, 1, 2.0, 2.0, {1, 2, 3, 4});
        row("Code 39", bcCode39, 3, 2.5, 2.5, {3, 8, 12, 16});
        row("Code 39", bcCode39, 49, 3.0, 3.0, {49, 147, 220, 294});
        row("Code 39 raised", bcCode39, 1, 1.5, 2.0, {1, 2, 3, 4});
        row("Code 39 lowered", bcCode39, 2, 3.5, 3.0, {2, 6, 9, 12});
        row("Matrix raised", bcCode_2_5_matrix, 2, 2.0, 2.25, {2, 5, 7, 10});
        row("Codabar raised", bcCodeCodabar, 1, 1.0, 2.0, {1, 2, 3, 4});
        row("MSI kept", bcCodeMSI, 1, 5.0, 5.0, {1, 5, 7, 10});
        row("POSTNET kept", bcCodePostNet, 1, 1.0, 1.0, {1, 1, 1, 2});
        // Module counts need 1 to 4 modules whatever the ratio.
        row("EAN-13 lowered", bcCodeEAN13, 2, 3.2, 3.0, {2, 4, 6, 8});
        row("Code 128 kept", bcCode128B, 1, 1.5, 1.5, {1, 2, 3, 4});
        row("Code 128 kept", bcCode128B, 2, 4.0, 4.0, {2, 4, 6, 8});
        for (int symbology = bcCode_2_5_interleaved; symbology <= bcCodeEAN128C; ++symbology)
            if (usesModules(symbology)) row("modules", symbology, 3, 3.0, 3.0, {3, 6, 9, 12});
    }
    void elementWidths() {
        QFETCH(int, symbology);
        QFETCH(int, moduleWidth);
        QFETCH(double, ratio);
        QFETCH(double, kept);
        QFETCH(QList<int>, widths);
        TBarcode barcode;
        barcode.SetSymbology(quint8(symbology));
        barcode.SetModuleWidth(moduleWidth);
        // Padded texts and check digits settle first, so that only the ratio can change.
        barcode.SetText("0");
        barcode.SetAddCheckDigit(true);
        barcode.BuildPattern();
        barcode.SetWideRatio(ratio);
        int changes = 0;
        barcode.SetOnChange([&changes] { ++changes; });
        barcode.BuildPattern();
        QCOMPARE(barcode.WideRatio(), kept);
        QCOMPARE(changes, ratio == kept ? 0 : 1);
        for (int i = 0; i < 4; ++i) {
            for (const char base : {'0', '5', 'A'})
                QCOMPARE(barcode.ElementWidth(char(base + i)), widths.at(i));
        }
        for (const char element : {'X', '4'})
            QCOMPARE(errorOf([&] { barcode.ElementWidth(element); }),
                     QStringLiteral("TBarcode: Interner Fehler"));
    }

    void changeNotification_data() {
        using Setter = std::function<void(TBarcode&)>;
        QTest::addColumn<Setter>("setter");
        QTest::newRow("Height") << Setter([](TBarcode& b) { b.SetHeight(40); });
        QTest::newRow("Text") << Setter([](TBarcode& b) { b.SetText("123"); });
        QTest::newRow("Top") << Setter([](TBarcode& b) { b.SetTop(5); });
        QTest::newRow("Left") << Setter([](TBarcode& b) { b.SetLeft(5); });
        QTest::newRow("ModuleWidth") << Setter([](TBarcode& b) { b.SetModuleWidth(3); });
        QTest::newRow("WideRatio") << Setter([](TBarcode& b) { b.SetWideRatio(2.5); });
        QTest::newRow("Symbology") << Setter([](TBarcode& b) { b.SetSymbology(bcCode39); });
        QTest::newRow("AddCheckDigit") << Setter([](TBarcode& b) { b.SetAddCheckDigit(true); });
        QTest::newRow("TextMode") << Setter([](TBarcode& b) { b.SetTextMode(3); });
        QTest::newRow("Rotation") << Setter([](TBarcode& b) { b.SetRotation(90); });
        QTest::newRow("SpaceColor") << Setter([](TBarcode& b) { b.SetSpaceColor(0x00FF00); });
        QTest::newRow("BarColor") << Setter([](TBarcode& b) { b.SetBarColor(0x0000FF); });
        QTest::newRow("CheckDigitMethod") << Setter([](TBarcode& b) { b.SetCheckDigitMethod(0); });
        QTest::newRow("Font") << Setter([](TBarcode& b) { b.SetFont(QFont("Courier")); });
        QTest::newRow("TextPosition") << Setter([](TBarcode& b) { b.SetTextPosition(5); });
        // Out of range is ignored.
        for (const int width : {0, -2, 50})
            QTest::addRow("ModuleWidth %d", width)
                << Setter([width](TBarcode& b) { b.SetModuleWidth(width); });
    }
    void changeNotification() {
        QFETCH(std::function<void(TBarcode&)>, setter);
        const bool ignored = QByteArray(QTest::currentDataTag()).startsWith("ModuleWidth ");
        TBarcode barcode;
        const int moduleWidth = barcode.ModuleWidth();
        int changes = 0;
        barcode.SetOnChange([&changes] { ++changes; });
        setter(barcode);
        QCOMPARE(changes, ignored ? 0 : 1);
        // Setting the same value again is no change.
        setter(barcode);
        QCOMPARE(changes, ignored ? 0 : 1);
        if (ignored) QCOMPARE(barcode.ModuleWidth(), moduleWidth);
        // An empty notification is allowed.
        barcode.SetOnChange({});
        TBarcode other;
        setter(other);
    }
};

KWP_REGISTER_TEST(TestBarcode)
#include "tst_barcode.moc"
