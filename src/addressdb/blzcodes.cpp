#include "addressdb/blzcodes.h"

#include <QFileInfo>

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

void TDBBLZCodes::OpenDefault(bool readOnly) {
    const QString fileName = FileName();
    if (fileName.isEmpty()) throw EKwpError(_("Das Verzeichnis ETC ist nicht bekannt."));
    // A read-only open must not leave an empty database behind for a missing file.
    if (readOnly && !QFileInfo(fileName).isFile())
        throw EStoreError(FormatStr(_("Datenbank \"%s\" nicht gefunden."), {fileName}));
    OpenFile(fileName, readOnly);
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
