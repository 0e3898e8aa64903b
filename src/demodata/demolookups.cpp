#include "demodata/demolookups.h"

#include <QStringList>
#include <algorithm>

#include "demodata/demotables.h"

namespace {
// Widths of the text columns of the central bank's file, in the order of bankcodes.csv after
// the bank code and the flag: name, postcode, town, short name, PAN, BIC.
constexpr int kBankColumnWidths[] = {58, 5, 35, 27, 5, 11};
}  // namespace

QByteArray DemoBankCodeFileContent() {
    QString text;
    int record = 0;
    for (const QStringList& bank : ReadDemoDataFile(QStringLiteral("bankcodes.csv"), 8)) {
        text += bank.at(0) + bank.at(1);
        for (int column = 0; column < int(std::size(kBankColumnWidths)); ++column)
            text += bank.at(column + 2)
                        .leftJustified(kBankColumnWidths[column], QLatin1Char(' '), true);
        // Check-digit method, record number, change flag, deletion note and successor code
        // complete the line to the file's 168 characters.
        text += QStringLiteral("09") + QStringLiteral("%1").arg(++record, 6, 10, QLatin1Char('0')) +
                QStringLiteral("U000000000\r\n");
    }
    // Every name lies in Latin-1, so the conversion loses nothing.
    return text.toLatin1();
}

QByteArray DemoZipCodeFileContent(const QString& country) {
    QStringList lines;
    for (const QStringList& town : ReadDemoDataFile(QStringLiteral("postcodes.csv"), 3)) {
        if (town.at(0) != country) continue;
        for (const QString& code : town.at(2).split(QLatin1Char(' '), Qt::SkipEmptyParts))
            lines.append(code + QLatin1Char(';') + town.at(1));
    }
    if (lines.isEmpty()) return {};
    // Ordered by code, towns sharing a code alphabetically, as the delivered files are.
    std::sort(lines.begin(), lines.end());
    return (lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")).toLatin1();
}
