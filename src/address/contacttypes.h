#pragma once

#include <QString>
#include <QtGlobal>

// Kinds of contact channels (CdType of TCustomerContactData).
enum TContactDataType : quint8 {
    cdtSonstiges = 0,  // new entry, not yet typed
    cdtDatum = 1,
    cdtTelefon = 2,
    cdtFax = 3,
    cdtEmail = 4,
    cdtInternet = 5,
    cdtBriefanrede = 6,
    cdtFirma = 7,
    cdtPosition = 8,
    cdtName = 9,
    cdtAnschriftErweiterung = 10,  // extra line printed under the names
    cdtZugehoerigeAnschrift = 11,  // two-digit id of a postal address of the record
};

// The untranslated German name of a channel kind; every unknown kind is "Sonstiges".
const char* ContactTypeKey(int cdType);
// The translated name shown to the user.
QString ContactTypeName(int cdType);
