#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include "labels/barcode.h"
#include "testsupport.h"

namespace {

constexpr int drawMargin = 20;
const QRgb drawBackground = qRgb(0, 160, 0);

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

// Draws on a white image with a margin that holds the barcode at any right angle.
QImage drawOnWhite(TBarcode& barcode) {
    const QSize size(barcode.GetPatternWidth() + 1, barcode.Height() + 1);
    QImage image((qRound(barcode.Rotation()) % 180 ? size.transposed() : size) +
                     QSize(2 * drawMargin, 2 * drawMargin),
                 QImage::Format_RGB32);
    image.fill(Qt::white);
    barcode.SetLeft(drawMargin);
    barcode.SetTop(drawMargin);
    QPainter painter(&image);
    barcode.Draw(painter);
    return image;
}

void setUp(TBarcode& barcode, int symbology, const QByteArray& text, int moduleWidth, int height) {
    barcode.SetSymbology(quint8(symbology));
    barcode.SetText(text);
    barcode.SetModuleWidth(moduleWidth);
    barcode.SetHeight(height);
}

// Draws at 96 dpi on a background that shows what the barcode left unpainted; the painter's
// pen, brush and font are the caller's again afterwards.
QImage drawOnBackground(TBarcode& barcode, int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    image.setDotsPerMeterX(3780);
    image.setDotsPerMeterY(3780);
    image.fill(drawBackground);
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

QRect boundingRectOf(const QImage& image, const std::function<bool(QRgb)>& match) {
    QRect result;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (match(image.pixel(x, y))) result |= QRect(x, y, 1, 1);
    return result;
}

// Runs of (bar, pixels) along a line of pixels.
QList<QPair<bool, int>> runsAlong(const QImage& image, QPoint from, QPoint step, QRgb barColor) {
    QList<QPair<bool, int>> runs;
    for (QPoint p = from; image.valid(p) && image.pixel(p) != drawBackground; p += step) {
        const bool bar = image.pixel(p) == barColor;
        if (!runs.isEmpty() && runs.last().first == bar)
            ++runs.last().second;
        else
            runs.append({bar, 1});
    }
    return runs;
}

}  // namespace

class TestBarcodeDraw : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // Rotation itself is checked pixel by pixel in elementsAndRotation.
    void decode_data() {
        QTest::addColumn<int>("symbology");
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<bool>("addCheckDigit");
        QTest::addColumn<int>("rotation");
        QTest::addColumn<double>("ratio");
        QTest::addColumn<QString>("expected");  // "?" at the end: the decoder checks the digit
        const auto row = [](const char* name, int symbology, const QByteArray& text,
                            bool addCheckDigit, const QByteArray& expected, int rotation = 0,
                            double ratio = 2.0) {
            QTest::addRow("%s %d %g", name, rotation, ratio)
                << symbology << text << addCheckDigit << rotation << ratio
                << QString::fromLatin1(expected);
        };
        // Upright at ratio 2 and turned at ratio 3.
        int turn = 0;
        const auto twice = [&](const char* name, int symbology, const char* text, bool check,
                               const char* expected) {
            row(name, symbology, text, check, expected);
            row(name, symbology, text, check, expected, 90 * (++turn % 4), 3.0);
        };
        twice("EAN-8", bcCodeEAN8, "9638507", true, "96385074");
        twice("EAN-13", bcCodeEAN13, "400638133393", true, "4006381333931");
        twice("UPC-A", bcCodeUPC_A, "03600029145", true, "036000291452");
        twice("UPC-E", bcCodeUPC_E0, "425261", true, "04252614");
        twice("Code 39", bcCode39, "KWP-00207 $/+%.", false, "KWP-00207 $/+%.");
        twice("Code 93", bcCode93, "TEST93", false, "TEST93");
        twice("Code 128", bcCode128B, "Wikipedia", false, "Wikipedia");
        twice("GS1-128", bcCodeEAN128C, "0401234567890", true, "04012345678901");
        twice("Interleaved 2 of 5", bcCode_2_5_interleaved, "12345670", false, "12345670");
        twice("Codabar", bcCodeCodabar, "40156", false, "A40156B");
        // Every character of the sets, so that each table entry is read once; the check
        // character and odd-length patterns are pinned in tst_barcode.
        QByteArray printable, pairs;
        for (char c = ' '; c < 127; ++c) printable += c;
        for (int i = 0; i < 100; ++i) pairs += QByteArray::number(i).rightJustified(2, '0');
        const QByteArray set39 = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ-. $/+%";
        row("Code 39 set", bcCode39, set39, false, set39);
        row("Code 93 set", bcCode93, set39, false, set39);
        row("Code 93 full ASCII", bcCode93Extended, "Kwp 00207!", false, "Kwp 00207!");
        row("Code 128 A", bcCode128A, "KWP_00207[]", false, "KWP_00207[]");
        row("Code 128 B printable", bcCode128B, printable, false, printable);
        row("Code 128 C pairs", bcCode128C, pairs, false, pairs);
        row("Code 128 C check digit", bcCode128C, "12345", true, "123457");
        row("Interleaved 2 of 5 digits", bcCode_2_5_interleaved, "0123456789", false, "0123456789");
        row("Interleaved 2 of 5 odd", bcCode_2_5_interleaved, "1234567", false, "01234567");
        row("Codabar set", bcCodeCodabar, "0123456789-$:/.+", false, "A0123456789-$:/.+B");
        row("EAN-8 padded", bcCodeEAN8, "123", true, "00001236");
        // Each leading digit selects another parity of EAN-13 and each check digit of UPC-E.
        for (char first = '1'; first <= '9'; ++first) {
            const QByteArray text = QByteArray(1, first) + "23456789012";
            row(text, bcCodeEAN13, text, true, text + '?');
        }
        for (char last = '0'; last <= '9'; ++last) {
            const QByteArray six = "12345" + QByteArray(1, last);
            row(six, bcCodeUPC_E0, six, true, "0" + six + '?');
        }
    }
    void decode() {
        if (zbarPath().isEmpty()) QSKIP("zbarimg (package zbar-tools) is not installed");
        QFETCH(int, symbology);
        QFETCH(QByteArray, text);
        QFETCH(bool, addCheckDigit);
        QFETCH(int, rotation);
        QFETCH(double, ratio);
        QFETCH(QString, expected);
        TBarcode barcode;
        setUp(barcode, symbology, text, 2, 60);
        barcode.SetAddCheckDigit(addCheckDigit);
        barcode.SetRotation(rotation);
        barcode.SetWideRatio(ratio);
        const QString decoded = zbarDecode(drawOnWhite(barcode));
        if (expected.endsWith(QLatin1Char('?'))) {
            expected.chop(1);
            QCOMPARE(decoded.left(expected.size()), expected);
            QCOMPARE(decoded.size(), expected.size() + 1);
        } else {
            QCOMPARE(decoded, expected);
        }
    }

    void elementsAndRotation_data() {
        QTest::addColumn<int>("rotation");
        QTest::addColumn<QPoint>("step");  // direction of the first to the last element
        QTest::newRow("0") << 0 << QPoint(1, 0);
        QTest::newRow("90") << 90 << QPoint(0, -1);
        QTest::newRow("180") << 180 << QPoint(-1, 0);
        QTest::newRow("270") << 270 << QPoint(0, 1);
    }
    void elementsAndRotation() {
        QFETCH(int, rotation);
        QFETCH(QPoint, step);
        TBarcode barcode;
        setUp(barcode, bcCode128B, "Kwp", 2, 30);
        barcode.SetLeft(10);
        barcode.SetTop(7);
        barcode.SetRotation(rotation);
        barcode.SetBarColor(0x0000FF);    // red in 0x00BBGGRR
        barcode.SetSpaceColor(0xFF0000);  // blue
        const QRgb red = qRgb(255, 0, 0), blue = qRgb(0, 0, 255);
        const QImage image = drawOnBackground(barcode, 200, 200);

        // Bars and spaces cover the whole barcode area and nothing else; the rotated barcode
        // stays right of and below the origin.
        const int w = barcode.GetPatternWidth(), h = barcode.Height();
        const QRect painted = boundingRectOf(image, [](QRgb c) { return c != drawBackground; });
        const QRect expected = rotation == 0     ? QRect(10, 7, w, h + 1)
                               : rotation == 90  ? QRect(10, 8, h + 1, w)
                               : rotation == 180 ? QRect(11, 7, w, h + 1)
                                                 : QRect(10, 7, h + 1, w);
        QCOMPARE(painted, expected);
        for (int y = painted.top(); y <= painted.bottom(); ++y)
            for (int x = painted.left(); x <= painted.right(); ++x)
                QVERIFY(image.pixel(x, y) == red || image.pixel(x, y) == blue);

        // Reading from the first element on gives the pattern with its widths.
        QList<QPair<bool, int>> expectedRuns;
        for (const char element : barcode.BuildPattern())
            expectedRuns.append({element >= '5', barcode.ElementWidth(element)});
        const QPoint centre = painted.center();
        QPoint first = step.x() > 0   ? QPoint(painted.left(), centre.y())
                       : step.x() < 0 ? QPoint(painted.right(), centre.y())
                       : step.y() > 0 ? QPoint(centre.x(), painted.top())
                                      : QPoint(centre.x(), painted.bottom());
        QCOMPARE(runsAlong(image, first, step, red), expectedRuns);
    }

    void shortBarsHangFromTop() {
        TBarcode barcode;
        setUp(barcode, bcCodePostNet, "1", 2, 50);  // short, short, short, full, full
        const QImage image = drawOnBackground(barcode, 120, 60);
        // Frame bar at x 0-1, wide space 2-5, first short bar at 6-7; nothing below it.
        for (int y = 0; y <= 51; ++y) {
            QCOMPARE(image.pixel(0, y), y <= 50 ? qRgb(0, 0, 0) : drawBackground);
            QCOMPARE(image.pixel(3, y), y <= 50 ? qRgb(255, 255, 255) : drawBackground);
            QCOMPARE(image.pixel(7, y), y <= 20 ? qRgb(0, 0, 0) : drawBackground);
        }
    }

    // 0-5: data text at top left/right/centre, then bottom; 6: symbology name above the bars.
    void textPositions_data() {
        QTest::addColumn<int>("position");
        for (int position = 0; position <= 6; ++position) QTest::addRow("%d", position) << position;
    }
    void textPositions() {
        QFETCH(int, position);
        TBarcode barcode;
        setUp(barcode, bcCode39, "12345", 2, 80);
        barcode.SetTextMode(position < 6 ? 1 : 2);
        barcode.SetTextPosition(quint8(position % 6));
        barcode.SetLeft(10);
        barcode.SetTop(position < 6 ? 10 : 100);
        barcode.SetSpaceColor(0xC0C0C0);  // so the white text box stands out
        barcode.SetBarColor(0x0000FF);    // and the black text
        if (position == 6) {
            QFont font = barcode.Font();
            font.setPointSize(9);  // 12 pixels at 96 dpi: the name starts 2.5 heights up
            barcode.SetFont(font);
        }
        const QImage image = drawOnBackground(barcode, barcode.GetPatternWidth() + 20, 190);
        const QRect white = boundingRectOf(image, [](QRgb c) { return c == qRgb(255, 255, 255); });
        if (position == 6) {
            QCOMPARE(white.topLeft(), QPoint(10, 100 - 30));
            QVERIFY(white.bottom() < 100);
            return;
        }
        const QFontMetrics metrics(barcode.Font(), &image);
        const int textWidth = metrics.horizontalAdvance(QStringLiteral("12345"));
        const int patternWidth = barcode.GetPatternWidth();
        const int x = position % 3 == 0   ? 10
                      : position % 3 == 1 ? 10 + patternWidth - textWidth
                                          : 10 + (patternWidth - textWidth) / 2;
        const int y = position < 3 ? 10 : 10 + 80 - metrics.height();
        QCOMPARE(white, QRect(x, y, textWidth, metrics.height()));
        // Text is painted in black on it.
        const QRect black = boundingRectOf(image, [](QRgb c) { return qGray(c) < 60; });
        QVERIFY(!black.isEmpty());
        QVERIFY(white.contains(black));
    }
};

KWP_REGISTER_TEST(TestBarcodeDraw)
#include "tst_barcodedraw.moc"
