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
    void patterns_data() {
        QTest::addColumn<int>("symbology");
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<bool>("addCheckDigit");
        QTest::addColumn<bool>("modules");  // else wide/narrow notation
        QTest::addColumn<QByteArray>("expected");

        struct Row {
            const char* name;
            int symbology;
            QByteArray text;
            bool addCheckDigit, modules;
            QByteArray expected;
        };
        const QByteArray wikipedia39 =
            "bWbwBwBwbwBWBwbwbwbwbwBwbWBwbwBwbwbwbWBwbwBwbWBwbwbwBwBwbWbwBwbwBWbwbwbwbwBWbwBwbwBwbW"
            "Bwb"
            "wBwbwbWbwBwbWbwBwBwb";
        const Row rows[] = {
            {"interleaved 2 of 5", bcCode_2_5_interleaved, "123456", false, false,
             "bwbwBwbWbwbwBWBwBwbWbwbWBwbWBWbwbwBwb"},
            {"industrial 2 of 5", bcCode_2_5_industrial, "1234", false, false,
             "BwBwbwBwbwbwbwBwbwBwbwbwBwBwBwbwbwbwbwbwBwbwBwBwbwB"},
            {"matrix 2 of 5", bcCode_2_5_matrix, "1234", false, false,
             "BwbwbwBwbwBwbWbwBwBWbwbwbwBwBwBwbwb"},
            {"Code 39", bcCode39, "WIKIPEDIA", false, false, wikipedia39},
            {"Code 39 upper-cases, skips foreign characters", bcCode39, "W#iki*PEDIA\xE4\x01",
             false, false, wikipedia39},
            {"Code 39 with check character $", bcCode39, "WIKIpedia", true, false,
             "bWbwBwBwbwBWBwbwbwbwbwBwbWBwbwBwbwbwbWBwbwBwbWBwbwbwBwBwbWbwBwbwBWbwbwbwbwBWbwBwbwBwb"
             "WBwbw"
             "BwbwbWbwBwbWbWbWbwbwbWbwBwBwb"},
            {"Code 39 full ASCII a = +A", bcCode39Extended, "a", false, false,
             "bWbwBwBwbwbWbwbWbWbwBwbwbWbwBwbWbwBwBwb"},
            {"Code 128 A", bcCode128A, "AB\x01", false, true,
             "11010000100101000110001000101100010010110000110111101101100011101011"},
            {"Code 128 B Wikipedia", bcCode128B, "Wikipedia", false, true,
             "1101001000011101000110100001101001100001001010000110100101001111001011001000010000100"
             "1101"
             "000011010010010110000111100100101100011101011"},
            {"Code 128 C", bcCode128C, "123456", false, true,
             "11010011100101100111001000101100011100010110100011011101100011101011"},
            {"Code 128 C odd length", bcCode128C, "12345", false, true,
             "11010011100110011011001110110111010111011000100101111001100011101011"},
            {"GS1-128 A", bcCodeEAN128A, "X1", false, true,
             "11010000100111101011101110001011010011100110111000110101100011101011"},
            {"GS1-128 B", bcCodeEAN128B, "ab", false, true,
             "11010010000111101011101001011000010010000110110010111001100011101011"},
            {"GS1-128 C", bcCodeEAN128C, "1234567", false, true,
             "1101001110011110101110110011011001110110111010111011000100001011001001100001011000111"
             "01011"},
            {"Code 93 TEST93", bcCode93, "TEST93", false, true,
             "1010111101101001101100100101101011001101001101000010101010000101011101101001000101010"
             "111101"},
            {"Code 93 full ASCII a", bcCode93Extended, "a", false, true,
             "1010111101001100101101010001000100101000101101010111101"},
            {"MSI 1234567 check 4", bcCodeMSI, "1234567", false, false,
             "BwbWbWbWBwbWbWBwbWbWbWBwBwbWBwbWbWbWBwbWBwbWBwBwbWbWBwBwBwbWBwbWbWbWb"},
            {"POSTNET", bcCodePostNet, "12345", false, false,
             "bWsWsWsWbWbWsWsWbWsWbWsWsWbWbWsWsWbWsWsWbWsWbWsWbWsW"
             "b"},
            {"Codabar", bcCodeCodabar, "40156", false, false,
             "bwBWbWbwbwBwbWbwbwbwbWBwbwbwBWbwBwbwbWbwbWbwbwBwbWbWbwB"},
            {"EAN-8", bcCodeEAN8, "96385074", false, true,
             "1010001011010111101111010110111010101001110111001010001001011100101"},
            {"EAN-13", bcCodeEAN13, "4006381333931", false, true,
             "1010001101010011101011110111101000100101100110101010000101000010100001011101001000010"
             "1100"
             "110101"},
            {"UPC-A", bcCodeUPC_A, "036000291452", false, true,
             "1010001101011110101011110001101000110100011010101011011001110100110011010111001001110"
             "1101"
             "100101"},
            {"UPC-E number system 0", bcCodeUPC_E0, "4252614", false, true,
             "101001110100100110111001001101101011110011001010101"},
            {"UPC-E number system 1", bcCodeUPC_E1, "4252611", false, true,
             "101010001100100110111001001001100001010110011010101"},
            {"2-digit add-on", bcCodeUPC_Supp2, "12", false, true, "10110011001010010011"},
            {"5-digit add-on", bcCodeUPC_Supp5, "52495", false, true,
             "10110111001010010011010011101010001011010110001"},
        };
        for (const Row& r : rows)
            QTest::newRow(r.name) << r.symbology << r.text << r.addCheckDigit << r.modules
                                  << r.expected;
    }

    void patterns() {
        QFETCH(int, symbology);
        QFETCH(QByteArray, text);
        QFETCH(bool, addCheckDigit);
        QFETCH(bool, modules);
        TBarcode barcode;
        barcode.SetSymbology(quint8(symbology));
        barcode.SetText(text);
        barcode.SetAddCheckDigit(addCheckDigit);
        const QByteArray pattern = barcode.BuildPattern();
        QTEST(modules ? patternModules(pattern) : patternWideNarrow(pattern), "expected");
    }

    void checkDigits_data() {
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
        QTest::newRow("EAN-8 padded")
            << int(bcCodeEAN8) << QByteArray("123") << 1 << QByteArray("00001236");
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
            << int(bcCodeEAN128C) << QByteArray("0401234567890") << 1
            << QByteArray("04012345678901");
        QTest::newRow("Code 128 method 0")
            << int(bcCode128B) << QByteArray("12") << 0 << QByteArray("12");
    }

    void checkDigits() {
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
        if (symbology >= bcCodeEAN8 && symbology <= bcCodeUPC_E1)
            QCOMPARE(withCheck.Text(), sameAs);
    }

    void errors_data() {
        QTest::addColumn<int>("symbology");
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QString>("message");

        const QString numeric = QStringLiteral("Barcode muss numerisch sein.");
        for (const int symbology :
             {bcCode_2_5_interleaved, bcCode_2_5_industrial, bcCode_2_5_matrix, bcCode128C,
              bcCodeMSI, bcCodePostNet, bcCodeEAN8, bcCodeEAN13, bcCodeUPC_A, bcCodeUPC_E0,
              bcCodeUPC_E1, bcCodeUPC_Supp2, bcCodeUPC_Supp5, bcCodeEAN128C}) {
            QTest::addRow("digits only %d letter", symbology)
                << symbology << QByteArray("1A") << numeric;
            QTest::addRow("digits only %d inner blank", symbology)
                << symbology << QByteArray("1 2") << numeric;
        }
        const auto bad = [](const char* kind, const char* text) {
            return QStringLiteral("TBarcode:%1 fehlerhafte Daten <%2>")
                .arg(QLatin1String(kind), QString::fromUtf8(text));
        };
        const QString tooLong = QStringLiteral("Barcode darf höchstens %1 Ziffern haben.");
        struct Row {
            const char* name;
            int symbology;
            QByteArray text;
            QString message;
        };
        const Row rows[] = {
            {"Code 93 lower case", bcCode93, "Abc", bad("Code93", "Abc")},
            {"Code 93 star", bcCode93, "A*B", bad("Code93", "A*B")},
            {"Code 93 full ASCII umlaut", bcCode93Extended, "M\xFCller", bad("Code93", "Müller")},
            {"Code 128 A lower case", bcCode128A, "Ab", bad("Code128", "Ab")},
            {"Code 128 B control character", bcCode128B, "A\tB", bad("Code128", "A\tB")},
            {"Code 128 B umlaut", bcCode128B, "\xC4", bad("Code128", "Ä")},
            {"GS1-128 A lower case", bcCodeEAN128A, "x", bad("Code128", "x")},
            {"Codabar letter", bcCodeCodabar, "12X", bad("Codabar", "12X")},
            {"Codabar stop letter inside", bcCodeCodabar, "1B2", bad("Codabar", "1B2")},
            {"EAN-13 too long", bcCodeEAN13, "40063813339310", tooLong.arg(13)},
            {"EAN-8 too long", bcCodeEAN8, "963850741", tooLong.arg(8)},
            {"UPC-A too long", bcCodeUPC_A, "0360002914521", tooLong.arg(12)},
            {"UPC-E too long", bcCodeUPC_E0, "04252614", tooLong.arg(7)},
            {"add-on 2 too long", bcCodeUPC_Supp2, "123", tooLong.arg(2)},
            {"add-on 5 too long", bcCodeUPC_Supp5, "123456", tooLong.arg(5)},
            {"symbology 23", 23, "1", "TBarcode: Falscher Barcodetyp"},
            {"symbology 255", 255, "1", "TBarcode: Falscher Barcodetyp"},
        };
        for (const Row& r : rows) QTest::newRow(r.name) << r.symbology << r.text << r.message;
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
             {bcCode128A, bcCode128B, bcCode128C, bcCode93, bcCode93Extended, bcCodeEAN8,
              bcCodeEAN13, bcCodeUPC_A, bcCodeUPC_E0, bcCodeUPC_E1, bcCodeUPC_Supp2,
              bcCodeUPC_Supp5, bcCodeEAN128A, bcCodeEAN128B, bcCodeEAN128C}) {
            TBarcode named;
            named.SetSymbology(quint8(symbology));
            row(named.GetSymbologyName().toLatin1().constData(), symbology, 3, 3.0, 3.0,
                {3, 6, 9, 12});
        }
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
            QCOMPARE(barcode.ElementWidth(char('0' + i)), widths.at(i));
            QCOMPARE(barcode.ElementWidth(char('5' + i)), widths.at(i));
            QCOMPARE(barcode.ElementWidth(char('A' + i)), widths.at(i));
        }
        for (const char element : {'X', '4'})
            QCOMPARE(errorOf([&] { barcode.ElementWidth(element); }),
                     QStringLiteral("TBarcode: Interner Fehler"));
    }

    void changeNotification_data() {
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

    void changeNotification() {
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

    void moduleWidthRange_data() {
        QTest::addColumn<int>("value");
        QTest::addColumn<int>("expected");
        QTest::newRow("0 ignored") << 0 << 7;
        QTest::newRow("negative ignored") << -2 << 7;
        QTest::newRow("50 ignored") << 50 << 7;
        QTest::newRow("1 taken") << 1 << 1;
        QTest::newRow("49 taken") << 49 << 49;
    }

    void moduleWidthRange() {
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
};

KWP_REGISTER_TEST(TestBarcode)
#include "tst_barcode.moc"
