#include "setup/lookupsetup.h"

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <vector>

#include "addressdb/blzcodes.h"
#include "addressdb/zipcodes.h"
#include "app/atomicfile.h"
#include "app/errorreport.h"
#include "app/format.h"
#include "app/translation.h"
#include "demodata/demolookups.h"
#include "setup/adminsupport.h"

namespace {

// Columns of the central bank's file (1-based positions as it documents them).
constexpr int lookupBlzPos = 1, lookupBlzLen = 8;
constexpr int lookupFlagPos = 9;
constexpr int lookupNamePos = 10, lookupNameLen = 58;
constexpr int lookupZipPos = 68, lookupZipLen = 5;
constexpr int lookupCityPos = 73, lookupCityLen = 35;
constexpr int lookupShortPos = 108, lookupShortLen = 27;
constexpr int lookupPanPos = 135, lookupPanLen = 5;
constexpr int lookupBicPos = 140, lookupBicLen = 11;
constexpr int lookupMinLineLength = lookupBicPos + lookupBicLen - 1;
constexpr int lookupShownErrors = 10;
constexpr qint64 lookupMaxFileSize = 64 * 1024 * 1024;

struct LookupBank {
    QString blz, name, zip, city, shortName, bic;
};

QString lookupField(const QString& line, int pos, int length) {
    return line.mid(pos - 1, length).trimmed();
}

bool lookupAllDigits(const QString& text, int length) {
    return text.size() == length &&
           std::all_of(text.cbegin(), text.cend(), [](QChar c) { return c >= u'0' && c <= u'9'; });
}

// Text longer than the column keeps its beginning.
QString lookupFit(const QString& text, int size, int& shortened) {
    if (text.size() <= size) return text;
    ++shortened;
    return text.left(size).trimmed();
}

std::vector<LookupBank> lookupParseBanks(const QByteArray& content, const QString& sourceName,
                                         const TAdminLog& log) {
    static const QRegularExpression bicPattern(
        QStringLiteral("^[A-Z]{6}[A-Z0-9]{2}([A-Z0-9]{3})?$"));
    // The central bank publishes Latin-1; a copy saved as UTF-8 is read as such, or every
    // umlaut would shift the columns behind it.
    const QString text = DecodeUtf8OrLatin1(content);
    std::vector<LookupBank> banks;
    QStringList errors;
    int errorCount = 0;
    int shortNames = 0;
    int cities = 0;
    const QStringList lines = text.split(QLatin1Char('\n'));
    for (qsizetype i = 0; i < lines.size(); ++i) {
        QString line = lines.at(i);
        if (line.endsWith(QLatin1Char('\r'))) line.chop(1);
        if (line.trimmed().isEmpty()) continue;
        const int number = int(i + 1);
        QString error;
        const QString blz = line.mid(lookupBlzPos - 1, lookupBlzLen);
        const QString flag = line.mid(lookupFlagPos - 1, 1);
        LookupBank bank;
        if (line.size() < lookupMinLineLength) {
            error = FormatStr(_("Zeile %d: zu kurz (%d statt mindestens %d Zeichen)."),
                              {number, int(line.size()), lookupMinLineLength});
        } else if (!lookupAllDigits(blz, lookupBlzLen)) {
            error = FormatStr(_("Zeile %d: die Bankleitzahl \"%s\" besteht nicht aus 8 Ziffern."),
                              {number, blz});
        } else if (flag != QLatin1String("1") && flag != QLatin1String("2")) {
            error =
                FormatStr(_("Zeile %d: das Merkmal \"%s\" ist weder 1 noch 2."), {number, flag});
        } else if (flag == QLatin1String("2")) {
            continue;
        } else {
            bank.blz = blz;
            bank.name = lookupField(line, lookupNamePos, lookupNameLen);
            bank.zip = lookupField(line, lookupZipPos, lookupZipLen);
            bank.city = lookupField(line, lookupCityPos, lookupCityLen);
            bank.shortName = lookupField(line, lookupShortPos, lookupShortLen);
            bank.bic = lookupField(line, lookupBicPos, lookupBicLen);
            const QString pan = lookupField(line, lookupPanPos, lookupPanLen);
            if (bank.name.isEmpty())
                error = FormatStr(_("Zeile %d: die Bezeichnung fehlt."), {number});
            else if (!lookupAllDigits(bank.zip, lookupZipLen))
                error = FormatStr(_("Zeile %d: die Postleitzahl \"%s\" ist ungültig."),
                                  {number, bank.zip});
            else if (bank.city.isEmpty())
                error = FormatStr(_("Zeile %d: der Ort fehlt."), {number});
            else if (!pan.isEmpty() && !lookupAllDigits(pan, lookupPanLen))
                error = FormatStr(_("Zeile %d: die PAN \"%s\" ist ungültig."), {number, pan});
            else if (!bank.bic.isEmpty() && !bicPattern.match(bank.bic).hasMatch())
                error = FormatStr(_("Zeile %d: der BIC \"%s\" ist ungültig."), {number, bank.bic});
        }
        if (!error.isEmpty()) {
            if (++errorCount <= lookupShownErrors) errors.append(error);
            continue;
        }
        bank.shortName = lookupFit(bank.shortName, TDBBLZCodes::InstitutShortSize, shortNames);
        bank.city = lookupFit(bank.city, TDBBLZCodes::CitySize, cities);
        banks.push_back(std::move(bank));
    }
    if (errorCount > 0) {
        QString message =
            FormatStr(_("Die Bankleitzahlendatei \"%s\" enthält fehlerhafte Zeilen, es wurde "
                        "nichts übernommen:"),
                      {sourceName});
        for (const QString& error : std::as_const(errors)) message += QLatin1Char('\n') + error;
        if (errorCount > lookupShownErrors)
            message += QLatin1Char('\n') +
                       FormatStr(_("... und %d weitere."), {errorCount - lookupShownErrors});
        throw EKwpError(message);
    }
    if (banks.empty())
        throw EKwpError(FormatStr(_("Die Bankleitzahlendatei \"%s\" enthält keine Bank mit dem "
                                    "Merkmal 1, es wurde nichts übernommen."),
                                  {sourceName}));
    if (shortNames > 0)
        log.info(FormatStr(_("Auf %d Zeichen gekürzte Kurzbezeichnungen: %d"),
                           {TDBBLZCodes::InstitutShortSize, shortNames}));
    if (cities > 0)
        log.info(
            FormatStr(_("Auf %d Zeichen gekürzte Ortsnamen: %d"), {TDBBLZCodes::CitySize, cities}));
    return banks;
}

void lookupRemoveDatabaseFiles(const QString& fileName) {
    QFile::remove(fileName);
    QFile::remove(fileName + QStringLiteral("-journal"));
}

void lookupWriteBanks(const std::vector<LookupBank>& banks, const QString& fileName) {
    // Errors travel as exceptions to the caller, which reports them once.
    TDBBLZCodes database([](const std::exception&, const QString&) {});
    database.OpenFile(fileName, false);
    TStoreTable& table = *database.BLZCodes;
    // Appended in file order; the index is not needed while the table is filled.
    table.SetIndexName(QString());
    table.LockTable();
    try {
        for (const LookupBank& bank : banks) {
            table.Append();
            table.FieldByName(QStringLiteral("BLZ")).SetAsString(bank.blz);
            table.FieldByName(QStringLiteral("INSTITUT")).SetAsString(bank.name);
            table.FieldByName(QStringLiteral("INSTITUTSHORT")).SetAsString(bank.shortName);
            table.FieldByName(QStringLiteral("ZIP")).SetAsString(bank.zip);
            table.FieldByName(QStringLiteral("CITY")).SetAsString(bank.city);
            table.FieldByName(QStringLiteral("BIC")).SetAsString(bank.bic);
            table.Post();
        }
    } catch (...) {
        table.UnlockTable(false);
        throw;
    }
    table.UnlockTable();
    database.Close();
}

}  // namespace

int ImportBankCodeData(const QByteArray& content, const QString& sourceName,
                       const QString& databaseFile, const TAdminLog& log) {
    const std::vector<LookupBank> banks = lookupParseBanks(content, sourceName, log);
    // The new table is built beside the old one and replaces it at once, so a failed import
    // leaves the codes in use as they were.
    const QString temporary = databaseFile + QStringLiteral(".NEU");
    lookupRemoveDatabaseFiles(temporary);
    try {
        lookupWriteBanks(banks, temporary);
    } catch (...) {
        lookupRemoveDatabaseFiles(temporary);
        throw;
    }
    // A journal left by a crashed writer of the old file must not be applied to the new one.
    QFile::remove(databaseFile + QStringLiteral("-journal"));
    if (std::rename(QFile::encodeName(temporary).constData(),
                    QFile::encodeName(databaseFile).constData()) != 0) {
        const int code = errno;
        lookupRemoveDatabaseFiles(temporary);
        throw EKwpError(FileWriteErrorText(databaseFile, code));
    }
    return int(banks.size());
}

int ImportBankCodes(const TInstallationPaths& paths, const QString& fileName,
                    const TAdminLog& log) {
    paths.requireInitialised();
    QFile file(fileName);
    if (QFileInfo(fileName).isDir() || !file.open(QIODevice::ReadOnly))
        throw EKwpError(FormatStr(_("Kann Datei \"%s\" nicht lesen: %s"),
                                  {fileName, QFileInfo(fileName).isDir() ? _("ist ein Verzeichnis")
                                                                         : file.errorString()}));
    if (file.size() > lookupMaxFileSize)
        throw EKwpError(
            FormatStr(_("Die Datei \"%s\" ist zu groß für eine Bankleitzahlendatei."), {fileName}));
    const QByteArray content = file.readAll();
    return ImportBankCodeData(content, fileName, paths.etc + QStringLiteral("BLZCODES.TDBD"), log);
}

bool InstallDemoLookups(const TInstallationPaths& paths, const TAdminLog& log) {
    bool created = false;
    EnsureDir(paths.etc, log);
    // Files already there (delivered or from a real import) are kept.
    for (const QString& country :
         {QStringLiteral("D"), QStringLiteral("A"), QStringLiteral("CH")}) {
        const QString fileName =
            paths.etc + QStringLiteral("ZIPCODES_") + country + QStringLiteral(".DAT");
        if (QFileInfo::exists(fileName)) continue;
        WriteFileAtomically(fileName, DemoZipCodeFileContent(country));
        log.info(FormatStr(_("Datei angelegt: %s"), {fileName}));
        created = true;
    }
    const QString bankFile = paths.etc + QStringLiteral("BLZCODES.TDBD");
    if (!QFileInfo::exists(bankFile)) {
        ImportBankCodeData(DemoBankCodeFileContent(), _("Beispieldaten"), bankFile, log);
        log.info(FormatStr(_("Datei angelegt: %s"), {bankFile}));
        created = true;
    }
    return created;
}
