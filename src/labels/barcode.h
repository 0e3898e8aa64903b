#pragma once

#include <QByteArray>
#include <QFont>
#include <QString>
#include <QtGlobal>
#include <array>
#include <functional>

#include "labels/barcodesymbologies.h"

class QPainter;

// Symbology numbers as stored in a label's barcode attribute.
enum TBarcodeType : quint8 {
    bcCode_2_5_interleaved = 0,
    bcCode_2_5_industrial = 1,
    bcCode_2_5_matrix = 2,
    bcCode39 = 3,
    bcCode39Extended = 4,
    bcCode128A = 5,
    bcCode128B = 6,
    bcCode128C = 7,
    bcCode93 = 8,
    bcCode93Extended = 9,
    bcCodeMSI = 10,
    bcCodePostNet = 11,
    bcCodeCodabar = 12,
    bcCodeEAN8 = 13,
    bcCodeEAN13 = 14,
    bcCodeUPC_A = 15,
    bcCodeUPC_E0 = 16,
    bcCodeUPC_E1 = 17,
    bcCodeUPC_Supp2 = 18,
    bcCodeUPC_Supp5 = 19,
    bcCodeEAN128A = 20,
    bcCodeEAN128B = 21,
    bcCodeEAN128C = 22,
};

// Turns a text into bars and draws them, optionally rotated and with text, on a painter.
// Colours are 0x00BBGGRR values like every colour of the label layouts.
class TBarcode {
public:
    TBarcode();
    TBarcode(const TBarcode&) = delete;
    TBarcode& operator=(const TBarcode&) = delete;

    int Height() const { return m_height; }
    void SetHeight(int value);
    // The data, 8-bit.
    const QByteArray& Text() const { return m_text; }
    void SetText(const QByteArray& value);
    int Top() const { return m_top; }
    void SetTop(int value);
    int Left() const { return m_left; }
    void SetLeft(int value);
    // Width of the narrowest element in pixels; only 1 to 49 are taken.
    int ModuleWidth() const { return m_moduleWidth; }
    void SetModuleWidth(int value);
    double WideRatio() const { return m_wideRatio; }
    void SetWideRatio(double value);
    quint8 Symbology() const { return m_symbology; }
    void SetSymbology(quint8 value);
    bool AddCheckDigit() const { return m_addCheckDigit; }
    void SetAddCheckDigit(bool value);
    // 0 no text, 1 the data, 2 the symbology name, 3 both.
    quint8 TextMode() const { return m_textMode; }
    void SetTextMode(quint8 value);
    // Degrees, counter-clockwise on the screen, about the origin.
    double Rotation() const { return m_rotation; }
    void SetRotation(double value);
    quint32 SpaceColor() const { return m_spaceColor; }
    void SetSpaceColor(quint32 value);
    quint32 BarColor() const { return m_barColor; }
    void SetBarColor(quint32 value);
    // 0 none, 1 modulo 10.
    quint8 CheckDigitMethod() const { return m_checkDigitMethod; }
    void SetCheckDigitMethod(quint8 value);
    const QFont& Font() const { return m_font; }
    void SetFont(const QFont& value);
    // 0 top left, 1 top right, 2 top centre, 3 bottom left, 4 bottom right, 5 bottom centre.
    quint8 TextPosition() const { return m_textPosition; }
    void SetTextPosition(quint8 value);
    // Called by every setter whose value changes; may be empty.
    void SetOnChange(std::function<void()> onChange) { m_onChange = std::move(onChange); }

    // The pattern string of the text (alphabet in barcodesymbologies.h). Clamps the wide
    // ratio to the symbology's range and stores trimmed or padded texts back, and texts with
    // the check digit it computed. Raises EBarcodeError for a text it cannot encode.
    QByteArray BuildPattern();
    // Pixel width of one pattern character with the current element widths.
    int ElementWidth(char element) const;
    // Sum of all element widths, without rotation; 0 when the text cannot be encoded.
    int GetPatternWidth();
    QString GetSymbologyName() const;
    // Draws bars and text; the painter's font, pen and brush are kept. A text that cannot be
    // encoded raises nothing here, so a label run goes on: nothing is drawn, the result is
    // false and ErrorText says why.
    bool Draw(QPainter& painter);
    // Why the last BuildPattern, GetPatternWidth or Draw made no barcode; empty after one
    // that did.
    const QString& ErrorText() const { return m_errorText; }

private:
    void changed();
    QByteArray buildPattern();
    bool tryBuildPattern(QByteArray& pattern, int& width);
    void computeElementWidths();
    int patternWidth(const QByteArray& pattern) const;
    void drawElements(QPainter& painter, const QByteArray& pattern) const;
    void drawText(QPainter& painter, int patternWidth) const;

    int m_height = 0;
    QByteArray m_text;
    int m_top = 0;
    int m_left = 0;
    int m_moduleWidth = 1;
    double m_wideRatio = 2.0;
    quint8 m_symbology = bcCodeEAN13;
    bool m_addCheckDigit = false;
    quint8 m_textMode = 0;
    double m_rotation = 0;
    quint32 m_spaceColor = 0xFFFFFF;
    quint32 m_barColor = 0;
    quint8 m_checkDigitMethod = 1;
    std::function<void()> m_onChange;
    std::array<int, 4> m_elementWidths{1, 2, 3, 4};
    QFont m_font;
    quint8 m_textPosition = 0;
    QString m_errorText;
};
