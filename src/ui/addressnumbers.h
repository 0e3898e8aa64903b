#pragma once

#include <QString>

// Counts the trailing digits of a number up by one, keeping their width: "K0099" gives
// "K0100", "K9999" gives "K10000". Without trailing digits the width is `width`, or 4 when 0,
// so "K" gives "K0001".
QString IncrementNumber(const QString& text, int width = 0);

// The number proposed for a new address, given the last number of the table that starts with
// `prefix`. Without number ranges only a last number ending in a digit gives a proposal.
QString ProposeNumber(const QString& lastNumber, const QString& prefix, bool withRanges);

// The index of the entry of a list chooser that the key character stands for (0 to 9, then
// a, b, ...); -1 for a blank.
int ChooserIndex(QChar key);
