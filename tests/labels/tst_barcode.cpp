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
    void defaults();
    void patterns_data();
    void patterns();
    void checkDigits_data();
    void checkDigits();
    void errors_data();
    void errors();
    void internalError();
    void elementWidths_data();
    void elementWidths();
    void changeNotification_data();
    void changeNotification();
    void moduleWidthRange_data();
    void moduleWidthRange();
    void symbologyNames_data();
    void symbologyNames();
};

void TestBarcode::defaults() {
    // The label element relies on these when it sets only some properties.
    TBarcode barcode;
    QCOMPARE(barcode.Symbology(), quint8(bcCodeEAN13));
    QCOMPARE(barcode.ModuleWidth(), 1);
    QCOMPARE(barcode.WideRatio(), 2.0);
    QCOMPARE(barcode.CheckDigitMethod(), quint8(1));
    QCOMPARE(barcode.SpaceColor(), quint32(0xFFFFFF));
    QCOMPARE(barcode.BarColor(), quint32(0));
    QCOMPARE(barcode.TextMode(), quint8(0));
    QCOMPARE(barcode.TextPosition(), quint8(0));
    QCOMPARE(barcode.AddCheckDigit(), false);
    QCOMPARE(barcode.Height(), 0);
}

void TestBarcode::patterns_data() {
    QTest::addColumn<int>("symbology");
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<bool>("addCheckDigit");
    QTest::addColumn<bool>("modules");  // else wide/narrow notation
    QTest::addColumn<QByteArray>("expected");

    QTest::newRow("interleaved 2 of 5")
        << int(bcCode_2_5_interleaved) << QByteArray("123456") << false << false
        << QByteArray("bwbwBwbWbwbwBWBwBwbWbwbWBwbWBWbwbwBwb");
    QTest::newRow("industrial 2 of 5")
        << int(bcCode_2_5_industrial) << QByteArray("1234") << false << false
        << QByteArray("BwBwbwBwbwbwbwBwbwBwbwbwBwBwBwbwbwbwbwbwBwbwBwBwbwB");
    QTest::newRow("matrix 2 of 5") << int(bcCode_2_5_matrix) << QByteArray("1234") << false << false
                                   << QByteArray("BwbwbwBwbwBwbWbwBwBWbwbwbwBwBwBwbwb");
    const QByteArray wikipedia39 =
        "bWbwBwBwbwBWBwbwbwbwbwBwbWBwbwBwbwbwbWBwbwBwbWBwbwbwBwBwbWbwBwbwBWbwbwbwbwBWbwBwbwBwbWBwb"
        "wBwbwbWbwBwbWbwBwBwb";
    QTest::newRow("Code 39") << int(bcCode39) << QByteArray("WIKIPEDIA") << false << false
                             << wikipedia39;
    QTest::newRow("Code 39 upper-cases, skips foreign characters")
        << int(bcCode39) << QByteArray("W#iki*PEDIA\xE4\x01") << false << false << wikipedia39;
    QTest::newRow("Code 39 with check character $")
        << int(bcCode39) << QByteArray("WIKIpedia") << true << false
        << QByteArray(
               "bWbwBwBwbwBWBwbwbwbwbwBwbWBwbwBwbwbwbWBwbwBwbWBwbwbwBwBwbWbwBwbwBWbwbwbwbw"
               "BWbwBwbwBwbWBwbwBwbwbWbwBwbWbWbWbwbwbWbwBwBwb");
    QTest::newRow("Code 39 full ASCII a = +A")
        << int(bcCode39Extended) << QByteArray("a") << false << false
        << QByteArray("bWbwBwBwbwbWbwbWbWbwBwbwbWbwBwbWbwBwBwb");
    QTest::newRow("Code 128 A") << int(bcCode128A) << QByteArray("AB\x01") << false << true
                                << QByteArray(
                                       "110100001001010001100010001011000100101100001101111"
                                       "01101100011101011");
    QTest::newRow("Code 128 B Wikipedia")
        << int(bcCode128B) << QByteArray("Wikipedia") << false << true
        << QByteArray(
               "1101001000011101000110100001101001100001001010000110100101001111001011001000"
               "0100001001101000011010010010110000111100100101100011101011");
    QTest::newRow("Code 128 C") << int(bcCode128C) << QByteArray("123456") << false << true
                                << QByteArray(
                                       "110100111001011001110010001011000111000101101000110"
                                       "11101100011101011");
    QTest::newRow("Code 128 C odd length")
        << int(bcCode128C) << QByteArray("12345") << false << true
        << QByteArray(
               "1101001110011001101100111011011101011"
               "1011000100101111001100011101011");
    QTest::newRow("GS1-128 A") << int(bcCodeEAN128A) << QByteArray("X1") << false << true
                               << QByteArray(
                                      "1101000010011110101110111000101101001110011011100"
                                      "0110101100011101011");
    QTest::newRow("GS1-128 B") << int(bcCodeEAN128B) << QByteArray("ab") << false << true
                               << QByteArray(
                                      "1101001000011110101110100101100001001000011011001"
                                      "0111001100011101011");
    QTest::newRow("GS1-128 C") << int(bcCodeEAN128C) << QByteArray("1234567") << false << true
                               << QByteArray(
                                      "1101001110011110101110110011011001110110111010111"
                                      "01100010000101100100110000101100011101011");
    QTest::newRow("Code 93 TEST93")
        << int(bcCode93) << QByteArray("TEST93") << false << true
        << QByteArray(
               "10101111011010011011001001011010110011010011010000101010100001010111011010"
               "01000101010111101");
    QTest::newRow("Code 93 full ASCII a")
        << int(bcCode93Extended) << QByteArray("a") << false << true
        << QByteArray("1010111101001100101101010001000100101000101101010111101");
    QTest::newRow("MSI 1234567 check 4")
        << int(bcCodeMSI) << QByteArray("1234567") << false << false
        << QByteArray("BwbWbWbWBwbWbWBwbWbWbWBwBwbWBwbWbWbWBwbWBwbWBwBwbWbWBwBwBwbWBwbWbWbWb");
    QTest::newRow("POSTNET") << int(bcCodePostNet) << QByteArray("12345") << false << false
                             << QByteArray(
                                    "bW"
                                    "sWsWsWbWbW"
                                    "sWsWbWsWbW"
                                    "sWsWbWbWsW"
                                    "sWbWsWsWbW"
                                    "sWbWsWbWsW"
                                    "b");
    QTest::newRow("Codabar") << int(bcCodeCodabar) << QByteArray("40156") << false << false
                             << QByteArray(
                                    "bwBWbWbwbwBwbWbwbwbwbWBwbwbwBWbwBwbwbWbwbWbwbwBwbWbWbwB");
    QTest::newRow("EAN-8") << int(bcCodeEAN8) << QByteArray("96385074") << false << true
                           << QByteArray(
                                  "1010001011010111101111010110111010101001110111001010001"
                                  "001011100101");
    QTest::newRow("EAN-13") << int(bcCodeEAN13) << QByteArray("4006381333931") << false << true
                            << QByteArray(
                                   "1010001101010011101011110111101000100101100110101010000"
                                   "1010000101000010111010010000101100110101");
    QTest::newRow("UPC-A") << int(bcCodeUPC_A) << QByteArray("036000291452") << false << true
                           << QByteArray(
                                  "1010001101011110101011110001101000110100011010101011011"
                                  "0011101001100110101110010011101101100101");
    QTest::newRow("UPC-E number system 0")
        << int(bcCodeUPC_E0) << QByteArray("4252614") << false << true
        << QByteArray("101001110100100110111001001101101011110011001010101");
    QTest::newRow("UPC-E number system 1")
        << int(bcCodeUPC_E1) << QByteArray("4252611") << false << true
        << QByteArray("101010001100100110111001001001100001010110011010101");
    QTest::newRow("2-digit add-on") << int(bcCodeUPC_Supp2) << QByteArray("12") << false << true
                                    << QByteArray("10110011001010010011");
    QTest::newRow("5-digit add-on")
        << int(bcCodeUPC_Supp5) << QByteArray("52495") << false << true
        << QByteArray("10110111001010010011010011101010001011010110001");
}

void TestBarcode::patterns() {
    QFETCH(int, symbology);
    QFETCH(QByteArray, text);
    QFETCH(bool, addCheckDigit);
    QFETCH(bool, modules);
    QFETCH(QByteArray, expected);
    TBarcode barcode;
    barcode.SetSymbology(quint8(symbology));
    barcode.SetText(text);
    barcode.SetAddCheckDigit(addCheckDigit);
    const QByteArray pattern = barcode.BuildPattern();
    QCOMPARE(modules ? patternModules(pattern) : patternWideNarrow(pattern), expected);
}

void TestBarcode::checkDigits_data() {
    QTest::addColumn<int>("symbology");
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<int>("method");
    // Text whose pattern without check must match; EAN/UPC print it under the bars.
    QTest::addColumn<QByteArray>("sameAs");

    QTest::newRow("EAN-13 appends 1")
        << int(bcCodeEAN13) << QByteArray("400638133393") << 1 << QByteArray("4006381333931");
    QTest::newRow("EAN-13 replaces a wrong check digit")
        << int(bcCodeEAN13) << QByteArray("4006381333930") << 1 << QByteArray("4006381333931");
    QTest::newRow("EAN-13 short text padded first")
        << int(bcCodeEAN13) << QByteArray("12345") << 1 << QByteArray("0000000123457");
    QTest::newRow("EAN-8 trimmed")
        << int(bcCodeEAN8) << QByteArray(" \t9638507 \r\n") << 1 << QByteArray("96385074");
    QTest::newRow("EAN-8 padded") << int(bcCodeEAN8) << QByteArray("123") << 1
                                  << QByteArray("00001236");
    QTest::newRow("UPC-A") << int(bcCodeUPC_A) << QByteArray("03600029145") << 1
                           << QByteArray("036000291452");
    QTest::newRow("UPC-E") << int(bcCodeUPC_E0) << QByteArray("425261") << 1
                           << QByteArray("4252614");
    QTest::newRow("UPC-E 1") << int(bcCodeUPC_E1) << QByteArray("425261") << 1
                             << QByteArray("4252611");
    QTest::newRow("Code 128 C with check digit")
        << int(bcCode128C) << QByteArray("12345") << 1 << QByteArray("123457");
    QTest::newRow("Code 128 B with check digit")
        << int(bcCode128B) << QByteArray("A-0") << 1 << QByteArray("A-00");
    QTest::newRow("GS1-128 C with check digit")
        << int(bcCodeEAN128C) << QByteArray("0401234567890") << 1 << QByteArray("04012345678901");
    QTest::newRow("Code 128 method 0")
        << int(bcCode128B) << QByteArray("12") << 0 << QByteArray("12");
}

void TestBarcode::checkDigits() {
    QFETCH(int, symbology);
    QFETCH(QByteArray, text);
    QFETCH(int, method);
    QFETCH(QByteArray, sameAs);
    TBarcode withCheck;
    withCheck.SetSymbology(quint8(symbology));
    withCheck.SetCheckDigitMethod(quint8(method));
    withCheck.SetAddCheckDigit(true);
    withCheck.SetText(text);
    TBarcode plain;
    plain.SetSymbology(quint8(symbology));
    plain.SetText(sameAs);
    QCOMPARE(patternModules(withCheck.BuildPattern()), patternModules(plain.BuildPattern()));
    if (symbology >= bcCodeEAN8 && symbology <= bcCodeUPC_E1) QCOMPARE(withCheck.Text(), sameAs);
}

void TestBarcode::errors_data() {
    QTest::addColumn<int>("symbology");
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QString>("message");

    const QString numeric = QStringLiteral("Barcode muss numerisch sein.");
    for (const int symbology :
         {bcCode_2_5_interleaved, bcCode_2_5_industrial, bcCode_2_5_matrix, bcCode128C, bcCodeMSI,
          bcCodePostNet, bcCodeEAN8, bcCodeEAN13, bcCodeUPC_A, bcCodeUPC_E0, bcCodeUPC_E1,
          bcCodeUPC_Supp2, bcCodeUPC_Supp5, bcCodeEAN128C}) {
        QTest::addRow("digits only %d letter", symbology)
            << symbology << QByteArray("1A") << numeric;
        QTest::addRow("digits only %d inner blank", symbology)
            << symbology << QByteArray("1 2") << numeric;
    }
    QTest::newRow("Code 93 lower case")
        << int(bcCode93) << QByteArray("Abc")
        << QStringLiteral("TBarcode:Code93 fehlerhafte Daten <Abc>");
    QTest::newRow("Code 93 star") << int(bcCode93) << QByteArray("A*B")
                                  << QStringLiteral("TBarcode:Code93 fehlerhafte Daten <A*B>");
    QTest::newRow("Code 93 full ASCII umlaut")
        << int(bcCode93Extended)
        << QByteArray(
               "M\xFC"
               "ller")
        << QStringLiteral("TBarcode:Code93 fehlerhafte Daten <Müller>");
    QTest::newRow("Code 128 A lower case")
        << int(bcCode128A) << QByteArray("Ab")
        << QStringLiteral("TBarcode:Code128 fehlerhafte Daten <Ab>");
    QTest::newRow("Code 128 B control character")
        << int(bcCode128B) << QByteArray("A\tB")
        << QStringLiteral("TBarcode:Code128 fehlerhafte Daten <A\tB>");
    QTest::newRow("Code 128 B umlaut") << int(bcCode128B) << QByteArray("\xC4")
                                       << QStringLiteral("TBarcode:Code128 fehlerhafte Daten <Ä>");
    QTest::newRow("GS1-128 A lower case")
        << int(bcCodeEAN128A) << QByteArray("x")
        << QStringLiteral("TBarcode:Code128 fehlerhafte Daten <x>");
    QTest::newRow("Codabar letter") << int(bcCodeCodabar) << QByteArray("12X")
                                    << QStringLiteral("TBarcode:Codabar fehlerhafte Daten <12X>");
    QTest::newRow("Codabar stop letter inside")
        << int(bcCodeCodabar) << QByteArray("1B2")
        << QStringLiteral("TBarcode:Codabar fehlerhafte Daten <1B2>");
    QTest::newRow("EAN-13 too long") << int(bcCodeEAN13) << QByteArray("40063813339310")
                                     << QStringLiteral("Barcode darf höchstens 13 Ziffern haben.");
    QTest::newRow("EAN-8 too long") << int(bcCodeEAN8) << QByteArray("963850741")
                                    << QStringLiteral("Barcode darf höchstens 8 Ziffern haben.");
    QTest::newRow("UPC-A too long") << int(bcCodeUPC_A) << QByteArray("0360002914521")
                                    << QStringLiteral("Barcode darf höchstens 12 Ziffern haben.");
    QTest::newRow("UPC-E too long") << int(bcCodeUPC_E0) << QByteArray("04252614")
                                    << QStringLiteral("Barcode darf höchstens 7 Ziffern haben.");
    QTest::newRow("add-on 2 too long") << int(bcCodeUPC_Supp2) << QByteArray("123")
                                       << QStringLiteral("Barcode darf höchstens 2 Ziffern haben.");
    QTest::newRow("add-on 5 too long") << int(bcCodeUPC_Supp5) << QByteArray("123456")
                                       << QStringLiteral("Barcode darf höchstens 5 Ziffern haben.");
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
    QTest::newRow("symbology 23") << 23 << QByteArray("1")
                                  << QStringLiteral("TBarcode: Falscher Barcodetyp");
    QTest::newRow("symbology 255")
        << 255 << QByteArray("1") << QStringLiteral("TBarcode: Falscher Barcodetyp");
}

void TestBarcode::errors() {
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

void TestBarcode::internalError() {
    TBarcode barcode;
    QCOMPARE(errorOf([&] { barcode.ElementWidth('X'); }),
             QStringLiteral("TBarcode: Interner Fehler"));
    QCOMPARE(errorOf([&] { barcode.ElementWidth('4'); }),
             QStringLiteral("TBarcode: Interner Fehler"));
}

void TestBarcode::elementWidths_data() {
    QTest::addColumn<int>("symbology");
    QTest::addColumn<int>("moduleWidth");
    QTest::addColumn<double>("ratio");
    QTest::addColumn<double>("kept");        // after clamping to the symbology's range
    QTest::addColumn<QList<int>>("widths");  // widths 0-3

    const auto row = [](const char* name, int symbology, int moduleWidth, double ratio, double kept,
                        const QList<int>& widths) {
        QTest::addRow("%s %d %g", name, moduleWidth, ratio)
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
    for (const int symbology :
         {bcCode128A, bcCode128B, bcCode128C, bcCode93, bcCode93Extended, bcCodeEAN8, bcCodeEAN13,
          bcCodeUPC_A, bcCodeUPC_E0, bcCodeUPC_E1, bcCodeUPC_Supp2, bcCodeUPC_Supp5, bcCodeEAN128A,
          bcCodeEAN128B, bcCodeEAN128C}) {
        TBarcode named;
        named.SetSymbology(quint8(symbology));
        row(named.GetSymbologyName().toLatin1().constData(), symbology, 3, 3.0, 3.0, {3, 6, 9, 12});
    }
}

void TestBarcode::elementWidths() {
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
        QCOMPARE(barcode.ElementWidth(char('0' + i)), widths.at(i));
        QCOMPARE(barcode.ElementWidth(char('5' + i)), widths.at(i));
        QCOMPARE(barcode.ElementWidth(char('A' + i)), widths.at(i));
    }
}

void TestBarcode::changeNotification_data() {
    QTest::addColumn<std::function<void(TBarcode&)>>("setter");
    const auto row = [](const char* name, std::function<void(TBarcode&)> setter) {
        QTest::newRow(name) << std::move(setter);
    };
    row("Height", [](TBarcode& b) { b.SetHeight(40); });
    row("Text", [](TBarcode& b) { b.SetText("123"); });
    row("Top", [](TBarcode& b) { b.SetTop(5); });
    row("Left", [](TBarcode& b) { b.SetLeft(5); });
    row("ModuleWidth", [](TBarcode& b) { b.SetModuleWidth(3); });
    row("WideRatio", [](TBarcode& b) { b.SetWideRatio(2.5); });
    row("Symbology", [](TBarcode& b) { b.SetSymbology(bcCode39); });
    row("AddCheckDigit", [](TBarcode& b) { b.SetAddCheckDigit(true); });
    row("TextMode", [](TBarcode& b) { b.SetTextMode(3); });
    row("Rotation", [](TBarcode& b) { b.SetRotation(90); });
    row("SpaceColor", [](TBarcode& b) { b.SetSpaceColor(0x00FF00); });
    row("BarColor", [](TBarcode& b) { b.SetBarColor(0x0000FF); });
    row("CheckDigitMethod", [](TBarcode& b) { b.SetCheckDigitMethod(0); });
    row("Font", [](TBarcode& b) {
        QFont font = b.Font();
        font.setFamily(QStringLiteral("Courier"));
        b.SetFont(font);
    });
    row("TextPosition", [](TBarcode& b) { b.SetTextPosition(5); });
}

void TestBarcode::changeNotification() {
    QFETCH(std::function<void(TBarcode&)>, setter);
    TBarcode barcode;
    int changes = 0;
    barcode.SetOnChange([&changes] { ++changes; });
    setter(barcode);
    QCOMPARE(changes, 1);
    // Setting the same value again is no change.
    setter(barcode);
    QCOMPARE(changes, 1);
    // An empty notification is allowed.
    barcode.SetOnChange({});
    TBarcode other;
    setter(other);
}

void TestBarcode::moduleWidthRange_data() {
    QTest::addColumn<int>("value");
    QTest::addColumn<int>("expected");
    QTest::newRow("0 ignored") << 0 << 7;
    QTest::newRow("negative ignored") << -2 << 7;
    QTest::newRow("50 ignored") << 50 << 7;
    QTest::newRow("1 taken") << 1 << 1;
    QTest::newRow("49 taken") << 49 << 49;
}

void TestBarcode::moduleWidthRange() {
    QFETCH(int, value);
    QFETCH(int, expected);
    TBarcode barcode;
    barcode.SetModuleWidth(7);
    int changes = 0;
    barcode.SetOnChange([&changes] { ++changes; });
    barcode.SetModuleWidth(value);
    QCOMPARE(barcode.ModuleWidth(), expected);
    QCOMPARE(changes, expected == 7 ? 0 : 1);
}

void TestBarcode::symbologyNames_data() {
    QTest::addColumn<int>("symbology");
    QTest::addColumn<QString>("name");
    const QStringList names =
        QStringLiteral(
            "2_5_interleaved,2_5_industrial,2_5_matrix,Code39,Code39 Extended,Code128A,Code128B,"
            "Code128C,Code93,Code93 Extended,MSI,PostNet,Codebar,EAN8,EAN13,UPC_A,UPC_E0,UPC_E1,"
            "UPC Supp2,UPC Supp5,EAN128A,EAN128B,EAN128C")
            .split(u',');
    for (int i = 0; i < 23; ++i) QTest::addRow("%d", i) << i << names.at(i);
    QTest::newRow("unknown") << 23 << QString();
}

void TestBarcode::symbologyNames() {
    QFETCH(int, symbology);
    QFETCH(QString, name);
    TBarcode barcode;
    barcode.SetSymbology(quint8(symbology));
    QCOMPARE(barcode.GetSymbologyName(), name);
}

KWP_REGISTER_TEST(TestBarcode)
#include "tst_barcode.moc"
