#include "addressdb/blzcodes.h"

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <vector>

#include "addressdb/zipcodes.h"
#include "app/atomicfile.h"
#include "app/errorreport.h"
#include "app/format.h"
#include "app/systemeinstellungen.h"
#include "app/translation.h"
#include "persistence/storequery.h"

namespace {

const QString blzTableName = QStringLiteral("BLZCODES");
const QString blzIndexName = QStringLiteral("BLZCODES001");

TDatabaseErrorCallback blzDefaultErrorCallback() {
    return [](const std::exception& error, const QString& context) {
        ::ReportError(sevError, _("Datenbankfehler.") + QLatin1Char('\n') + context, nullptr,
                      &error);
    };
}

}  // namespace

TDBBLZCodes::TDBBLZCodes(TDatabaseErrorCallback onError, const QString& etcDir)
    : TDatabaseMapper(onError ? std::move(onError) : blzDefaultErrorCallback()),
      m_etcDir(etcDir.isEmpty() ? QString() : NormalizeDir(etcDir)) {}

TDBBLZCodes::~TDBBLZCodes() = default;

QString TDBBLZCodes::FileName() const {
    QString dir = m_etcDir;
    if (dir.isEmpty()) {
        const TSystemEinstellungen* settings = SystemEinstellungen();
        if (settings && !settings->EtcDir.isEmpty()) dir = NormalizeDir(settings->EtcDir);
    }
    return dir.isEmpty() ? QString() : dir + QStringLiteral("BLZCODES.TDBD");
}

void TDBBLZCodes::OpenDefault(TDbAccess access) {
    const bool readOnly = access == TDbAccess::ReadOnly;
    const QString fileName = FileName();
    if (fileName.isEmpty()) throw EKwpError(_("Das Verzeichnis ETC ist nicht bekannt."));
    // A read-only open must not leave an empty database behind for a missing file.
    if (readOnly && !QFileInfo(fileName).isFile())
        throw EStoreError(FormatStr(_("Datenbank \"%s\" nicht gefunden."), {fileName}));
    OpenFile(fileName, access);
}

void TDBBLZCodes::DefineTable(TStoreTable& table) {
    if (table.TableName().compare(blzTableName, Qt::CaseInsensitive) != 0) return;
    TFieldDefs& fields = table.FieldDefs();
    fields.Add(QStringLiteral("BLZ"), sftString, 8, true);
    fields.Add(QStringLiteral("INSTITUT"), sftString, InstitutSize, true);
    fields.Add(QStringLiteral("INSTITUTSHORT"), sftString, InstitutShortSize, true);
    fields.Add(QStringLiteral("ZIP"), sftString, ZipSize, true);
    fields.Add(QStringLiteral("CITY"), sftString, CitySize, true);
    fields.Add(QStringLiteral("BIC"), sftString, BicSize, true);
    table.IndexDefs().Add(blzIndexName, QStringLiteral("BLZ"));
}

void TDBBLZCodes::RegisterTables() {
    BLZCodes = AddTable(blzTableName, blzIndexName);
}

void TDBBLZCodes::SetDefaultIndexes() {
    BLZCodes->SetIndexName(blzIndexName);
}

int TDBBLZCodes::AlterTables() {
    return -1;
}

std::unique_ptr<TStoreQuery> TDBBLZCodes::Lookup(const QString& bankCode) {
    QString code;
    for (const QChar c : bankCode)
        if (!c.isSpace()) code += c;
    if (code.size() != 8) return nullptr;
    try {
        auto query = std::make_unique<TStoreQuery>();
        if (IsOpen()) {
            query->SetDatabase(&Database());
        } else {
            const QString fileName = FileName();
            if (!QFileInfo(fileName).isFile())
                throw EStoreError(FormatStr(_("Datenbank \"%s\" nicht gefunden."), {fileName}));
            query->SetDatabaseName(fileName);
        }
        // The code is bound, never pasted into the text.
        query->SetSQL(QStringLiteral(
            "SELECT INSTITUTSHORT,CITY,ZIP,BIC,INSTITUT FROM BLZCODES WHERE BLZ = ?"));
        query->AddParam(code);
        query->Open();
        return query;
    } catch (const std::exception& error) {
        ReportError(error, QStringLiteral("Lookup"));
        return nullptr;
    }
}

// ---------------------------------------------------------------- central bank file

namespace {

// Columns of the central bank's file (1-based positions as it documents them).
constexpr int bankFileBlzPos = 1, bankFileBlzLen = 8;
constexpr int bankFileFlagPos = 9;
constexpr int bankFileNamePos = 10, bankFileNameLen = 58;
constexpr int bankFileZipPos = 68, bankFileZipLen = 5;
constexpr int bankFileCityPos = 73, bankFileCityLen = 35;
constexpr int bankFileShortPos = 108, bankFileShortLen = 27;
constexpr int bankFilePanPos = 135, bankFilePanLen = 5;
constexpr int bankFileBicPos = 140, bankFileBicLen = 11;
constexpr int bankFileMinLineLength = bankFileBicPos + bankFileBicLen - 1;
constexpr int bankFileShownErrors = 10;
constexpr qint64 bankFileMaxFileSize = 64 * 1024 * 1024;

struct TBankFileRow {
    QString blz, name, zip, city, shortName, bic;
};

QString bankFileField(const QString& line, int pos, int length) {
    return line.mid(pos - 1, length).trimmed();
}

bool bankFileAllDigits(const QString& text, int length) {
    return text.size() == length &&
           std::all_of(text.cbegin(), text.cend(), [](QChar c) { return c >= u'0' && c <= u'9'; });
}

// Text longer than the column keeps its beginning.
QString bankFileFit(const QString& text, int size, int& shortened) {
    if (text.size() <= size) return text;
    ++shortened;
    return text.left(size).trimmed();
}

std::vector<TBankFileRow> bankFileParseBanks(const QByteArray& content, const QString& sourceName,
                                             TBLZImport& result) {
    static const QRegularExpression bicPattern(
        QStringLiteral("^[A-Z]{6}[A-Z0-9]{2}([A-Z0-9]{3})?$"));
    // The central bank publishes Latin-1; a copy saved as UTF-8 is read as such, or every
    // umlaut would shift the columns behind it.
    const QString text = DecodeUtf8OrLatin1(content);
    std::vector<TBankFileRow> banks;
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
        const QString blz = line.mid(bankFileBlzPos - 1, bankFileBlzLen);
        const QString flag = line.mid(bankFileFlagPos - 1, 1);
        TBankFileRow bank;
        if (line.size() < bankFileMinLineLength) {
            error = FormatStr(_("Zeile %d: zu kurz (%d statt mindestens %d Zeichen)."),
                              {number, int(line.size()), bankFileMinLineLength});
        } else if (!bankFileAllDigits(blz, bankFileBlzLen)) {
            error = FormatStr(_("Zeile %d: die Bankleitzahl \"%s\" besteht nicht aus 8 Ziffern."),
                              {number, blz});
        } else if (flag != QLatin1String("1") && flag != QLatin1String("2")) {
            error =
                FormatStr(_("Zeile %d: das Merkmal \"%s\" ist weder 1 noch 2."), {number, flag});
        } else if (flag == QLatin1String("2")) {
            continue;
        } else {
            bank.blz = blz;
            bank.name = bankFileField(line, bankFileNamePos, bankFileNameLen);
            bank.zip = bankFileField(line, bankFileZipPos, bankFileZipLen);
            bank.city = bankFileField(line, bankFileCityPos, bankFileCityLen);
            bank.shortName = bankFileField(line, bankFileShortPos, bankFileShortLen);
            bank.bic = bankFileField(line, bankFileBicPos, bankFileBicLen);
            const QString pan = bankFileField(line, bankFilePanPos, bankFilePanLen);
            if (bank.name.isEmpty())
                error = FormatStr(_("Zeile %d: die Bezeichnung fehlt."), {number});
            else if (!bankFileAllDigits(bank.zip, bankFileZipLen))
                error = FormatStr(_("Zeile %d: die Postleitzahl \"%s\" ist ungültig."),
                                  {number, bank.zip});
            else if (bank.city.isEmpty())
                error = FormatStr(_("Zeile %d: der Ort fehlt."), {number});
            else if (!pan.isEmpty() && !bankFileAllDigits(pan, bankFilePanLen))
                error = FormatStr(_("Zeile %d: die PAN \"%s\" ist ungültig."), {number, pan});
            else if (!bank.bic.isEmpty() && !bicPattern.match(bank.bic).hasMatch())
                error = FormatStr(_("Zeile %d: der BIC \"%s\" ist ungültig."), {number, bank.bic});
        }
        if (!error.isEmpty()) {
            if (++errorCount <= bankFileShownErrors) errors.append(error);
            continue;
        }
        bank.shortName = bankFileFit(bank.shortName, TDBBLZCodes::InstitutShortSize, shortNames);
        bank.city = bankFileFit(bank.city, TDBBLZCodes::CitySize, cities);
        banks.push_back(std::move(bank));
    }
    if (errorCount > 0) {
        QString message =
            FormatStr(_("Die Bankleitzahlendatei \"%s\" enthält fehlerhafte Zeilen, es wurde "
                        "nichts übernommen:"),
                      {sourceName});
        for (const QString& error : std::as_const(errors)) message += QLatin1Char('\n') + error;
        if (errorCount > bankFileShownErrors)
            message += QLatin1Char('\n') +
                       FormatStr(_("... und %d weitere."), {errorCount - bankFileShownErrors});
        throw EKwpError(message);
    }
    if (banks.empty())
        throw EKwpError(FormatStr(_("Die Bankleitzahlendatei \"%s\" enthält keine Bank mit dem "
                                    "Merkmal 1, es wurde nichts übernommen."),
                                  {sourceName}));
    result.shortNames = shortNames;
    result.cities = cities;
    return banks;
}

void bankFileRemoveDatabaseFiles(const QString& fileName) {
    QFile::remove(fileName);
    QFile::remove(fileName + QStringLiteral("-journal"));
}

void bankFileWriteBanks(const std::vector<TBankFileRow>& banks, const QString& fileName) {
    // Errors travel as exceptions to the caller, which reports them once.
    TDBBLZCodes database([](const std::exception&, const QString&) {});
    database.OpenFile(fileName, TDbAccess::ReadWrite);
    TStoreTable& table = *database.BLZCodes;
    // Appended in file order; the index is not needed while the table is filled.
    table.SetIndexName(QString());
    table.LockTable();
    try {
        for (const TBankFileRow& bank : banks) {
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
        table.UnlockTable(TLockEnd::UndoWrites);
        throw;
    }
    table.UnlockTable();
    database.Close();
}

}  // namespace

TBLZImport TDBBLZCodes::ImportBundesbankData(const QByteArray& content, const QString& sourceName,
                                             const QString& databaseFile) {
    TBLZImport result;
    const std::vector<TBankFileRow> banks = bankFileParseBanks(content, sourceName, result);
    // The new table is built beside the old one and replaces it at once, so a failed import
    // leaves the codes in use as they were.
    const QString temporary = databaseFile + QStringLiteral(".NEU");
    bankFileRemoveDatabaseFiles(temporary);
    try {
        bankFileWriteBanks(banks, temporary);
    } catch (...) {
        bankFileRemoveDatabaseFiles(temporary);
        throw;
    }
    // A journal left by a crashed writer of the old file must not be applied to the new one.
    QFile::remove(databaseFile + QStringLiteral("-journal"));
    if (std::rename(QFile::encodeName(temporary).constData(),
                    QFile::encodeName(databaseFile).constData()) != 0) {
        const int code = errno;
        bankFileRemoveDatabaseFiles(temporary);
        throw EKwpError(FileWriteErrorText(databaseFile, code));
    }
    result.banks = int(banks.size());
    return result;
}

TBLZImport TDBBLZCodes::ImportBundesbankFile(const QString& fileName, const QString& databaseFile) {
    QFile file(fileName);
    if (QFileInfo(fileName).isDir() || !file.open(QIODevice::ReadOnly))
        throw EKwpError(FormatStr(_("Kann Datei \"%s\" nicht lesen: %s"),
                                  {fileName, QFileInfo(fileName).isDir() ? _("ist ein Verzeichnis")
                                                                         : file.errorString()}));
    if (file.size() > bankFileMaxFileSize)
        throw EKwpError(
            FormatStr(_("Die Datei \"%s\" ist zu groß für eine Bankleitzahlendatei."), {fileName}));
    return ImportBundesbankData(file.readAll(), fileName, databaseFile);
}
