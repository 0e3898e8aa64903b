#include <QImage>
#include <QPainter>
#include <QtTest>

#include "labels/barcode.h"
#include "testsupport.h"

namespace {

QString zbarPath() {
    return QStandardPaths::findExecutable(QStringLiteral("zbarimg"));
}

// What zbarimg reads from the image; one symbol per line.
QString zbarDecode(const QImage& image) {
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("barcode.png"));
    if (!image.save(file)) return QStringLiteral("(image not written)");
    QProcess zbar;
    // UPC-A and UPC-E are reported as such, not widened to EAN-13.
    zbar.start(zbarPath(), {"--raw", "-q", "-Supca.enable", "-Supce.enable", file});
    zbar.waitForFinished(20000);
    QString text = QString::fromLatin1(zbar.readAllStandardOutput());
    text.chop(text.endsWith(u'\n') ? 1 : 0);
    return text;
}

// Draws at (left, top) on a background that shows what the barcode left unpainted; the
// painter's pen, brush and font are the caller's again afterwards.
QImage draw(TBarcode& barcode, QSize size, QRgb background, int left, int top) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(background);
    barcode.SetLeft(left);
    barcode.SetTop(top);
    QPainter painter(&image);
    const QPen pen(Qt::magenta, 3);
    const QBrush brush(Qt::cyan, Qt::Dense4Pattern);
    const QFont font(QStringLiteral("Courier"), 7, -1, true);
    painter.setPen(pen);
    painter.setBrush(brush);
    painter.setFont(font);
    barcode.Draw(painter);
    [&] {
        QCOMPARE(painter.pen(), pen);
        QCOMPARE(painter.brush(), brush);
        QCOMPARE(painter.font(), font);
    }();
    return image;
}

}  // namespace

class TestBarcodeDraw : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // Upright; turned barcodes are read in rotation.
    void decode_data() {
        QTest::addColumn<int>("symbology");
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<bool>("addCheckDigit");
        QTest::addColumn<QString>("expected");  // "?" at the end: the decoder checks the digit
        const auto row = [](const char* name, int symbology, const QByteArray& text,
                            bool addCheckDigit, const QByteArray& expected) {
            QTest::newRow(name) << symbology << text << addCheckDigit
                                << QString::fromLatin1(expected);
        };
        row("EAN-8", bcCodeEAN8, "9638507", true, "96385074");
        row("UPC-A", bcCodeUPC_A, "03600029145", true, "036000291452");
        row("Code 39", bcCode39, "KWP-00207 $/+%.", false, "KWP-00207 $/+%.");
        row("Code 93", bcCode93, "TEST93", false, "TEST93");
        row("Code 93 full ASCII", bcCode93Extended, "Kwp 00207!", false, "Kwp 00207!");
        row("Code 128 A", bcCode128A, "KWP_00207[]", false, "KWP_00207[]");
        row("Code 128 B", bcCode128B, "Wikipedia", false, "Wikipedia");
        row("Code 128 C", bcCode128C, "12345", true, "123457");
        row("GS1-128", bcCodeEAN128C, "0401234567890", true, "04012345678901");
        row("Interleaved 2 of 5 odd", bcCode_2_5_interleaved, "1234567", false, "01234567");
        row("Codabar", bcCodeCodabar, "40156", false, "A40156B");
        // Each leading digit selects another parity of EAN-13 and each check digit of UPC-E.
        for (char digit = '0'; digit <= '9'; ++digit) {
            const QByteArray text = QByteArray(1, digit) + "23456789012";
            if (digit > '0') row(text, bcCodeEAN13, text, true, text + '?');
            const QByteArray six = "12345" + QByteArray(1, digit);
            row(six, bcCodeUPC_E0, six, true, "0" + six + '?');
        }
    }
    void decode() {
        if (zbarPath().isEmpty()) QSKIP("zbarimg (package zbar-tools) is not installed");
        QFETCH(int, symbology);
        QFETCH(QByteArray, text);
        QFETCH(bool, addCheckDigit);
        QFETCH(QString, expected);
        TBarcode barcode;
        barcode.SetSymbology(quint8(symbology));
        barcode.SetText(text);
        barcode.SetModuleWidth(2);
        barcode.SetHeight(60);
        barcode.SetAddCheckDigit(addCheckDigit);
        const QSize size(barcode.GetPatternWidth() + 41, barcode.Height() + 41);
        const QString decoded = zbarDecode(draw(barcode, size, qRgb(255, 255, 255), 20, 20));
        if (expected.endsWith(QLatin1Char('?'))) {
            expected.chop(1);
            QCOMPARE(decoded.left(expected.size()), expected);
            QCOMPARE(decoded.size(), expected.size() + 1);
        } else {
            QCOMPARE(decoded, expected);
        }
    }

    void rotation_data() {
        QTest::addColumn<int>("rotation");
        for (const int rotation : {0, 90, 180, 270}) QTest::addRow("%d", rotation) << rotation;
    }
    void rotation() {
        if (zbarPath().isEmpty()) QSKIP("zbarimg (package zbar-tools) is not installed");
        QFETCH(int, rotation);
        TBarcode barcode;
        barcode.SetSymbology(bcCode128B);
        barcode.SetText("Kwp");
        barcode.SetModuleWidth(2);
        barcode.SetHeight(40);
        barcode.SetRotation(rotation);
        barcode.SetBarColor(0x800000);    // dark blue in 0x00BBGGRR
        barcode.SetSpaceColor(0x80FFFF);  // light yellow
        const QRgb bar = qRgb(0, 0, 128), space = qRgb(255, 255, 128), grey = qRgb(200, 200, 200);
        const QImage image = draw(barcode, QSize(240, 240), grey, 30, 24);

        // Bars and spaces cover the whole barcode area and nothing else; the rotated barcode
        // stays right of and below the origin.
        const int w = barcode.GetPatternWidth(), h = barcode.Height();
        QRect painted;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (image.pixel(x, y) != grey) painted |= QRect(x, y, 1, 1);
        const QRect expected = rotation == 0     ? QRect(30, 24, w, h + 1)
                               : rotation == 90  ? QRect(30, 25, h + 1, w)
                               : rotation == 180 ? QRect(31, 24, w, h + 1)
                                                 : QRect(30, 24, h + 1, w);
        QCOMPARE(painted, expected);
        for (int y = painted.top(); y <= painted.bottom(); ++y)
            for (int x = painted.left(); x <= painted.right(); ++x)
                QVERIFY(image.pixel(x, y) == bar || image.pixel(x, y) == space);
        QCOMPARE(zbarDecode(image), QStringLiteral("Kwp"));
    }
};

KWP_REGISTER_TEST(TestBarcodeDraw)
#include "tst_barcodedraw.moc"
