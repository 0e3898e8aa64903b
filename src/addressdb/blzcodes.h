#pragma once

#include <QString>
#include <memory>

#include "persistence/databasewrapper.h"

class TStoreQuery;

// What an import of the central bank's file took.
struct TBLZImport {
    int banks = 0;
    int shortNames = 0;  // short names cut to InstitutShortSize
    int cities = 0;      // towns cut to CitySize
};

// The German bank codes: the single-file database "BLZCODES.TDBD" in the ETC folder with the
// table "BLZCODES" (one row per bank, several rows may share a code).
class TDBBLZCodes : public TDatabaseMapper {
public:
    // Without a callback, errors are reported as "Datenbankfehler." with their context. An
    // empty folder means the ETC folder of the system settings, looked up on use.
    explicit TDBBLZCodes(TDatabaseErrorCallback onError = {}, const QString& etcDir = {});
    ~TDBBLZCodes() override;

    // etcDir + "BLZCODES.TDBD"; empty when no folder is known.
    QString FileName() const;
    // Opens (creating unless read-only) the database file of the ETC folder.
    void OpenDefault(TDbAccess access);

    // The banks of a code (blanks removed, it must have 8 characters): an open query with the
    // columns INSTITUTSHORT, CITY, ZIP, BIC and INSTITUT, or none for another length or a
    // database error (reported).
    std::unique_ptr<TStoreQuery> Lookup(const QString& bankCode);

    // Fills the database file from the bank-code file of the German central bank (fixed
    // columns, Latin-1, or UTF-8 for a re-saved copy). Only lines with the feature flag 1 are
    // taken; any bad line fails the whole import and leaves the file as it was. sourceName
    // names the data in messages. Throws EKwpError.
    static TBLZImport ImportBundesbankData(const QByteArray& content, const QString& sourceName,
                                           const QString& databaseFile);
    // The same for a file; throws EKwpError when it cannot be read.
    static TBLZImport ImportBundesbankFile(const QString& fileName, const QString& databaseFile);

    TStoreTable* BLZCodes = nullptr;

    static constexpr int InstitutSize = 58;
    static constexpr int InstitutShortSize = 20;
    static constexpr int ZipSize = 5;
    static constexpr int CitySize = 29;
    static constexpr int BicSize = 11;

protected:
    void DefineTable(TStoreTable& table) override;
    void RegisterTables() override;
    void SetDefaultIndexes() override;
    int AlterTables() override;

private:
    QString m_etcDir;
};
