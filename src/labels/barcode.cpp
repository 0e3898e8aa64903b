#include "labels/barcode.h"

#include <QColor>
#include <QFontMetrics>
#include <QPaintDevice>
#include <QPainter>
#include <QPolygon>
#include <cmath>
#include <numbers>

#include "app/format.h"
#include "app/translation.h"

namespace {

struct TBarcodeSymbologyInfo {
    const char* name;
    bool digitsOnly;
    double minRatio;    // 0: the ratio is not clamped
    bool moduleCounts;  // elements of 1 to 4 modules, whatever the ratio
};

constexpr TBarcodeSymbologyInfo bcSymbologies[] = {
    {"2_5_interleaved", true, 2.0, false},
    {"2_5_industrial", true, 2.0, false},
    {"2_5_matrix", true, 2.25, false},
    {"Code39", false, 2.0, false},
    {"Code39 Extended", false, 2.0, false},
    {"Code128A", false, 0, true},
    {"Code128B", false, 0, true},
    {"Code128C", true, 0, true},
    {"Code93", false, 0, true},
    {"Code93 Extended", false, 0, true},
    {"MSI", true, 0, false},
    {"PostNet", true, 0, false},
    {"Codebar", false, 2.0, false},
    {"EAN8", true, 2.0, true},
    {"EAN13", true, 2.0, true},
    {"UPC_A", true, 2.0, true},
    {"UPC_E0", true, 2.0, true},
    {"UPC_E1", true, 2.0, true},
    {"UPC Supp2", true, 2.0, true},
    {"UPC Supp5", true, 2.0, true},
    {"EAN128A", false, 0, true},
    {"EAN128B", false, 0, true},
    {"EAN128C", true, 0, true},
};
constexpr int bcSymbologyCount = int(std::size(bcSymbologies));

const QString bcOwnClassName = QStringLiteral("TBarcode");

QColor bcColor(quint32 bgr) {
    return QColor(int(bgr & 0xFF), int((bgr >> 8) & 0xFF), int((bgr >> 16) & 0xFF));
}

int bcNearest(double value) {
    return int(std::lround(value));
}

}  // namespace

TBarcode::TBarcode() = default;

void TBarcode::changed() {
    if (m_onChange) m_onChange();
}

#define KWP_BARCODE_SETTER(Name, Type, member) \
    void TBarcode::Set##Name(Type value) {     \
        if (member == value) return;           \
        member = value;                        \
        changed();                             \
    }

KWP_BARCODE_SETTER(Height, int, m_height)
KWP_BARCODE_SETTER(Text, const QByteArray&, m_text)
KWP_BARCODE_SETTER(Top, int, m_top)
KWP_BARCODE_SETTER(Left, int, m_left)
KWP_BARCODE_SETTER(WideRatio, double, m_wideRatio)
KWP_BARCODE_SETTER(Symbology, quint8, m_symbology)
KWP_BARCODE_SETTER(AddCheckDigit, bool, m_addCheckDigit)
KWP_BARCODE_SETTER(TextMode, quint8, m_textMode)
KWP_BARCODE_SETTER(Rotation, double, m_rotation)
KWP_BARCODE_SETTER(SpaceColor, quint32, m_spaceColor)
KWP_BARCODE_SETTER(BarColor, quint32, m_barColor)
KWP_BARCODE_SETTER(CheckDigitMethod, quint8, m_checkDigitMethod)
KWP_BARCODE_SETTER(Font, const QFont&, m_font)
KWP_BARCODE_SETTER(TextPosition, quint8, m_textPosition)

#undef KWP_BARCODE_SETTER

void TBarcode::SetModuleWidth(int value) {
    if (value < 1 || value > 49 || value == m_moduleWidth) return;
    m_moduleWidth = value;
    changed();
}

void TBarcode::computeElementWidths() {
    if (m_symbology < bcSymbologyCount) {
        const double minRatio = bcSymbologies[m_symbology].minRatio;
        if (minRatio > 0 && m_wideRatio < minRatio) SetWideRatio(minRatio);
        if (minRatio > 0 && m_wideRatio > 3.0) SetWideRatio(3.0);
    }
    if (m_symbology < bcSymbologyCount && bcSymbologies[m_symbology].moduleCounts) {
        m_elementWidths = {m_moduleWidth, 2 * m_moduleWidth, 3 * m_moduleWidth, 4 * m_moduleWidth};
        return;
    }
    const int wide = bcNearest(m_moduleWidth * m_wideRatio);
    m_elementWidths = {m_moduleWidth, wide, wide * 3 / 2, wide * 2};
}

QByteArray TBarcode::BuildPattern() {
    m_errorText.clear();
    try {
        return buildPattern();
    } catch (const EKwpError& e) {
        m_errorText = e.message();
        throw;
    }
}

bool TBarcode::tryBuildPattern(QByteArray& pattern, int& width) {
    try {
        pattern = BuildPattern();
        width = patternWidth(pattern);
        return true;
    } catch (const EKwpError& e) {
        m_errorText = e.message();
        return false;
    }
}

QByteArray TBarcode::buildPattern() {
    computeElementWidths();
    if (m_symbology < bcSymbologyCount && bcSymbologies[m_symbology].digitsOnly) {
        SetText(m_text.trimmed());
        for (const char c : m_text)
            if (c < '0' || c > '9') throw EBarcodeError(_("Barcode muss numerisch sein."));
    }
    switch (m_symbology) {
        case bcCode_2_5_interleaved:
            return BcEncodeInterleaved25(m_text);
        case bcCode_2_5_industrial:
            return BcEncodeIndustrial25(m_text);
        case bcCode_2_5_matrix:
            return BcEncodeMatrix25(m_text);
        case bcCode39:
            return BcEncodeCode39(m_text, m_addCheckDigit);
        case bcCode39Extended:
            return BcEncodeCode39(BcCode39FullAscii(m_text), m_addCheckDigit);
        case bcCode128A:
        case bcCode128B:
        case bcCode128C:
        case bcCodeEAN128A:
        case bcCodeEAN128B:
        case bcCodeEAN128C: {
            const bool gs1 = m_symbology >= bcCodeEAN128A;
            const auto codeSet = TBcCode128Set(m_symbology - (gs1 ? bcCodeEAN128A : bcCode128A));
            const QByteArray data =
                m_addCheckDigit ? BcAppendCheckDigit(m_text, m_checkDigitMethod) : m_text;
            return BcEncodeCode128(data, codeSet, gs1);
        }
        case bcCode93:
        case bcCode93Extended:
            return BcEncodeCode93(m_text, m_symbology == bcCode93Extended);
        case bcCodeMSI:
            return BcEncodeMsi(m_text);
        case bcCodePostNet:
            return BcEncodePostnet(m_text);
        case bcCodeCodabar:
            return BcEncodeCodabar(m_text);
        case bcCodeEAN8:
        case bcCodeEAN13:
        case bcCodeUPC_A: {
            const auto encode = m_symbology == bcCodeEAN8    ? BcEncodeEan8
                                : m_symbology == bcCodeEAN13 ? BcEncodeEan13
                                                             : BcEncodeUpcA;
            QByteArray digits = m_text;
            const QByteArray pattern = encode(digits, m_addCheckDigit, m_checkDigitMethod);
            // The text printed under the bars shows the check digit that was encoded.
            if (m_addCheckDigit) SetText(digits);
            return pattern;
        }
        case bcCodeUPC_E0:
        case bcCodeUPC_E1: {
            QByteArray text = m_text;
            const QByteArray pattern =
                BcEncodeUpcE(text, m_symbology == bcCodeUPC_E1 ? 1 : 0, m_addCheckDigit);
            SetText(text);
            return pattern;
        }
        case bcCodeUPC_Supp2:
            return BcEncodeUpcSupplement(m_text, 2);
        case bcCodeUPC_Supp5:
            return BcEncodeUpcSupplement(m_text, 5);
        default:
            throw EBarcodeError(FormatStr(_("%s: Falscher Barcodetyp"), {bcOwnClassName}));
    }
}

int TBarcode::ElementWidth(char element) const {
    if (element >= '0' && element <= '3') return m_elementWidths[size_t(element - '0')];
    if (element >= '5' && element <= '8') return m_elementWidths[size_t(element - '5')];
    if (element >= 'A' && element <= 'D') return m_elementWidths[size_t(element - 'A')];
    throw EBarcodeError(FormatStr(_("%s: Interner Fehler"), {bcOwnClassName}));
}

int TBarcode::patternWidth(const QByteArray& pattern) const {
    int width = 0;
    for (const char element : pattern) width += ElementWidth(element);
    return width;
}

int TBarcode::GetPatternWidth() {
    QByteArray pattern;
    int width = 0;
    return tryBuildPattern(pattern, width) ? width : 0;
}

QString TBarcode::GetSymbologyName() const {
    if (m_symbology >= bcSymbologyCount) return {};
    return QString::fromLatin1(bcSymbologies[m_symbology].name);
}

bool TBarcode::Draw(QPainter& painter) {
    QByteArray pattern;
    int width = 0;
    if (!tryBuildPattern(pattern, width)) return false;
    painter.save();
    painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    painter.setRenderHint(QPainter::Antialiasing, false);
    drawElements(painter, pattern);
    if (m_textMode != 0) drawText(painter, width);
    painter.restore();
    return true;
}

void TBarcode::drawElements(QPainter& painter, const QByteArray& pattern) const {
    const double angle = m_rotation * std::numbers::pi / 180.0;
    const double s = std::sin(angle);
    const double c = std::cos(angle);
    const double w = patternWidth(pattern);
    const double h = m_height;
    // Shift the origin so that the rotated barcode stays right of and below it.
    int dx = 0, dy = 0;
    if (s >= 0 && c >= 0) {
        dy = bcNearest(w * s);
    } else if (s >= 0) {
        dx = -bcNearest(w * c);
        dy = bcNearest(w * s - h * c);
    } else if (c >= 0) {
        dx = -bcNearest(h * s);
    } else {
        dx = -bcNearest(w * c) - bcNearest(h * s);
        dy = -bcNearest(h * c);
    }
    const QPoint origin(m_left + dx, m_top + dy);
    const auto rotated = [&](int x, int y) {
        return QPoint(bcNearest(x * c + y * s), bcNearest(-x * s + y * c)) + origin;
    };
    const QColor barColor = bcColor(m_barColor);
    const QColor spaceColor = bcColor(m_spaceColor);
    int x = 0;
    for (const char element : pattern) {
        const int elementWidth = ElementWidth(element);
        const bool space = element <= '3';
        const QColor& color = space ? spaceColor : barColor;
        painter.setPen(QPen(color, 1));
        painter.setBrush(color);
        const int barHeight = element >= 'A' ? m_height * 2 / 5 : m_height;
        const QPoint corners[4] = {rotated(x, 0), rotated(x, barHeight),
                                   rotated(x + elementWidth - 1, barHeight),
                                   rotated(x + elementWidth - 1, 0)};
        painter.drawPolygon(corners, 4);
        x += elementWidth;
    }
}

void TBarcode::drawText(QPainter& painter, int patternWidth) const {
    painter.setFont(m_font);
    painter.setPen(QPen(Qt::black));
    painter.setBrush(Qt::white);
    const QFontMetrics metrics(m_font, painter.device());
    // Text is written opaque on white, like on a label canvas.
    const auto write = [&painter, &metrics](int x, int y, const QString& text) {
        const QRect box(x, y, metrics.horizontalAdvance(text), metrics.height());
        painter.fillRect(box, Qt::white);
        painter.drawText(QPoint(x, y + metrics.ascent()), text);
    };
    if (m_textMode == 1 || m_textMode == 3) {
        const QString text = QString::fromLatin1(m_text);
        const int textWidth = metrics.horizontalAdvance(text);
        int x = m_left;
        if (m_textPosition == 1 || m_textPosition == 4)
            x = m_left + patternWidth - textWidth;
        else if (m_textPosition == 2 || m_textPosition == 5)
            x = m_left + (patternWidth - textWidth) / 2;
        const int y = m_textPosition >= 3 ? m_top + m_height - metrics.height() : m_top;
        write(x, y, text);
    }
    if (m_textMode == 2 || m_textMode == 3) {
        // Point-sized fonts have a negative height, which puts the name above the bars.
        const int dpi = painter.device() ? painter.device()->logicalDpiY() : 96;
        const int fontHeight = m_font.pixelSize() > 0
                                   ? m_font.pixelSize()
                                   : -bcNearest(m_font.pointSizeF() * dpi / 72.0);
        write(m_left, m_top + bcNearest(fontHeight * 2.5), GetSymbologyName());
    }
}
