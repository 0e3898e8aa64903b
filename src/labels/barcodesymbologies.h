#pragma once

#include <QByteArray>
#include <QString>

#include "app/errorreport.h"

// Failure while turning a text into bars; the message is translated German.
class EBarcodeError : public EKwpError {
public:
    using EKwpError::EKwpError;
    QString className() const override { return QStringLiteral("EBarcodeError"); }
};

// Encoders of the barcode symbologies. Each returns a pattern string with one character per
// element, left to right: '0'-'3' a space, '5'-'8' a full-height bar, 'A'-'D' a bar of 2/5
// height, each of element width 0 (narrow module) to 3. Wide/narrow symbologies use widths 0
// and 1 only; for module-count symbologies (Code 93, Code 128, EAN/UPC) widths 0-3 are 1-4
// modules.
//
// Digit encoders expect the text to consist of the digits 0-9 (the caller checks that).

// Check digit of method 1 (modulo 10, weights 3 and 1, the last digit weighted 3); non-digits
// are skipped.
int BcCheckDigitMod10(const QByteArray& digits);
// The text with the check digit of the method appended (method 0 appends nothing).
QByteArray BcAppendCheckDigit(const QByteArray& text, int method);

// Module counts of bar/space pairs ("2331112") as pattern, starting with a bar.
QByteArray BcModulesToPattern(const char* moduleCounts);

QByteArray BcEncodeInterleaved25(const QByteArray& digits);
QByteArray BcEncodeIndustrial25(const QByteArray& digits);
QByteArray BcEncodeMatrix25(const QByteArray& digits);

// Lower-case letters are encoded as capitals; other characters outside the Code 39 set are
// skipped.
QByteArray BcEncodeCode39(const QByteArray& text, bool addCheckDigit);
// Modulo-43 check character of the Code 39 characters in the text.
char BcCode39CheckChar(const QByteArray& text);
// Every character below 128 replaced by its Code 39 full-ASCII sequence; others dropped.
QByteArray BcCode39FullAscii(const QByteArray& text);

enum TBcCode128Set : int { bc128SetA = 0, bc128SetB = 1, bc128SetC = 2 };
// Start of the code set (GS1 forms followed by FNC1), data, modulo-103 check, stop.
// A character outside the code set raises an error.
QByteArray BcEncodeCode128(const QByteArray& text, TBcCode128Set codeSet, bool gs1);

// Start, data, check characters C and K, stop. Raises an error for characters the set lacks.
QByteArray BcEncodeCode93(const QByteArray& text, bool fullAscii);

QByteArray BcEncodeMsi(const QByteArray& digits);
// MSI modulo-10 (Luhn) check digit.
int BcMsiCheckDigit(const QByteArray& digits);
QByteArray BcEncodePostnet(const QByteArray& digits);
// Start "A", stop "B"; raises an error for characters outside the Codabar data set.
QByteArray BcEncodeCodabar(const QByteArray& text);

// EAN/UPC: the text is left-padded with "0"; with a check digit method and addCheckDigit the
// last digit is the computed check digit, else a wrong last digit raises an error, as do texts
// longer than the symbol. digits becomes the digits encoded.
QByteArray BcEncodeEan8(QByteArray& digits, bool addCheckDigit, int method);
QByteArray BcEncodeEan13(QByteArray& digits, bool addCheckDigit, int method);
QByteArray BcEncodeUpcA(QByteArray& digits, bool addCheckDigit, int method);
// text: six digits and a check digit; it is padded to seven digits and, with addCheckDigit,
// its last digit becomes the computed check digit, else a wrong one raises an error.
QByteArray BcEncodeUpcE(QByteArray& text, int numberSystem, bool addCheckDigit);
// Check digit of the UPC-A number that the six UPC-E digits stand for.
int BcUpcECheckDigit(const QByteArray& sixDigits, int numberSystem);
// 2- or 5-digit add-on.
QByteArray BcEncodeUpcSupplement(const QByteArray& digits, int length);
