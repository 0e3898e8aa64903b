#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

class TCustomerAddress;

// The listed addresses as a table for spreadsheets: UTF-8 with BOM, ";" between fields
// (what German spreadsheet programs expect), a header row, fields quoted per RFC 4180, CRLF.
// One row per address with the default postal address, the first telephone, mobile and fax
// number, e-mail and web address of its contacts (the default contact's first), group, marks
// and information text.
class TAddressCsv {
public:
    static QByteArray Write(const QList<const TCustomerAddress*>& addresses);
    // The BOM and the header row; then a row per address, for files written row by row.
    static QByteArray Header();
    static QByteArray Row(const TCustomerAddress& record);
    // Writes the file as a whole or not at all; throws EKwpError.
    static void WriteFile(const QString& fileName, const QList<const TCustomerAddress*>& addresses);
};
