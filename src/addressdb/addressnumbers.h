#pragma once

#include <QString>

// Counts the trailing digits of a number up by one, keeping their width: "K0099" gives
// "K0100", "K9999" gives "K10000". Without trailing digits the width is `width`, or 4 when 0,
// so "K" gives "K0001".
QString IncrementNumber(const QString& text, int width = 0);

// The number proposed for a new address, given the last number of the table that starts with
// `prefix`. Without number ranges only a last number ending in a digit gives a proposal.
QString ProposeNumber(const QString& lastNumber, const QString& prefix, bool withRanges);

class TAddressConfig;
class TCustomerAddress;
class TDBAdress;

// The next free number without asking: the first number range of the configuration, else
// the run of the table's last number (for imports).
QString NextAddressNumber(TDBAdress& db, const TAddressConfig& config);

// Gives an imported record its place in the book: the next free number, created and changed
// now by `user`, the configured tax and dunning defaults, and a category that names a
// configured address group as its group again (our own exports carry it there).
void PrepareImportedAddress(TCustomerAddress& record, TDBAdress& db, const TAddressConfig& config,
                            const QString& user, double now);
