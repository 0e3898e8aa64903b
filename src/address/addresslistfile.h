#pragma once

#include <QString>

class QIODevice;
class TCustomerAdressObjectList;

// An "<adressen>" document: the full "kundenadr" element of every record, as UTF-16LE with
// byte-order mark. Serves the pick-mode result file and the import and export of the setup
// tool.

// Written to a temporary file beside the target and renamed over it; throws EKwpError.
void SaveAddressListToFile(const TCustomerAdressObjectList& list, const QString& fileName);
// Throws EKwpError when the stream does not take every byte.
void SaveAddressListToStream(const TCustomerAdressObjectList& list, QIODevice* stream);
// The document's text without byte-order mark.
QString AddressListText(const TCustomerAdressObjectList& list);

// Replace the content of list with the records of the document. A missing file gives an
// empty list. On a damaged document the parser error has been reported, the list keeps the
// records read before the damage, errorText describes it and the result is false.
bool LoadAddressListFromFile(const QString& fileName, TCustomerAdressObjectList& list,
                             QString* errorText = nullptr);
bool LoadAddressListFromStream(QIODevice* stream, TCustomerAdressObjectList& list,
                               QString* errorText = nullptr);
