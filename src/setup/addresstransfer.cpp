#include "setup/addresstransfer.h"

#include <QDir>
#include <QFileInfo>
#include <QSet>
#include <functional>
#include <memory>
#include <optional>

#include "address/addressconfig.h"
#include "address/addresscsv.h"
#include "address/addresslistfile.h"
#include "address/customeraddress.h"
#include "address/vcard.h"
#include "addressdb/addressnumbers.h"
#include "addressdb/dbadress.h"
#include "app/atomicfile.h"
#include "app/clock.h"
#include "app/conversions.h"
#include "app/format.h"
#include "app/inifilesec.h"
#include "app/systemeinstellungen.h"
#include "app/translation.h"
#include "setup/adminsupport.h"
#include "setup/tenantsetup.h"

namespace {

// The user named in the lock file while the setup tool writes the table.
const QString kTransferLockUser = QStringLiteral("kwpadmin");
// Longest address number the table holds.
constexpr int kTransferMaxIdLength = 20;

// The address table with its errors collected, so they can go into the tool's message.
class TTransferTable {
public:
    TTransferTable(const QString& dir, TDbAccess access)
        : m_db([this](const std::exception& error, const QString& context) {
              const auto* kwpError = dynamic_cast<const EKwpError*>(&error);
              m_errors.append(context + QStringLiteral(": ") +
                              (kwpError ? kwpError->message() : QString::fromUtf8(error.what())));
          }) {
        m_db.OpenDirectory(dir, access);
        if (!m_db.IsOpen() || !m_db.AddressTable())
            throw EKwpError(
                FormatStr(_("Die Adresstabelle in \"%s\" kann nicht geöffnet werden."), {dir}) +
                errorLines());
    }

    TDBAdress& db() { return m_db; }
    // The collected database errors, each on a line of its own.
    QString errorLines() const {
        QString text;
        for (const QString& line : m_errors) text += QLatin1Char('\n') + line;
        return text;
    }

private:
    QStringList m_errors;
    TDBAdress m_db;
};

// Calls work with every address of the table in dir, in number order. Reading creates
// nothing: a tenant without an address table has no addresses.
void ForEachAddress(const QString& dir, const std::function<void(TCustomerAddress&)>& work) {
    // Name filters ignore case, as the store does when it looks for its table files.
    if (QDir(dir).entryList({QStringLiteral("ADDRESS.DAT")}, QDir::Files).isEmpty()) return;
    TTransferTable table(dir, TDbAccess::ReadOnly);
    TStoreTable* rows = table.db().AddressTable();
    TCustomerAddress record;
    for (rows->First(); !rows->Eof(); rows->Next()) {
        if (!table.db().ReadCurrent(record)) {
            throw EKwpError(
                FormatStr(_("Die Adresstabelle in \"%s\" kann nicht gelesen werden."), {dir}) +
                table.errorLines());
        }
        work(record);
    }
}

// The table's lock of an import. Everything written under it goes back unless Commit runs, so
// a faulty file leaves the table as it was.
class TImportLock {
public:
    explicit TImportLock(TDBAdress& db) : m_db(db), m_lock(db.LockAddressTable(kTransferLockUser)) {
        if (!m_lock)
            throw EKwpError(_("Die Adresstabelle ist gesperrt; es wurde nichts eingelesen."));
    }
    ~TImportLock() {
        try {
            m_db.Unlock(m_lock, TLockEnd::UndoWrites);
        } catch (...) {
            // The fault that brought us here is the one to tell; the connection's close takes
            // back the transaction in any case.
        }
    }
    TImportLock(const TImportLock&) = delete;
    TImportLock& operator=(const TImportLock&) = delete;
    void Commit() { m_db.Unlock(m_lock); }

private:
    TDBAdress& m_db;
    std::unique_ptr<TDatabaseLock> m_lock;
};

}  // namespace

QString TenantAddressDir(const TInstallationPaths& paths, const QString& tenant) {
    const QString name = ValidatedTenantName(tenant);
    paths.requireInitialised();
    if (!TenantExists(paths, name)) {
        throw EKwpError(FormatStr(_("Der Mandant \"%s\" existiert nicht (%s fehlt)."),
                                  {name, paths.sysdataIni(name)}));
    }
    TSystemEinstellungen settings;
    settings.RootDir = paths.root;
    settings.DataDir = paths.data;
    TIniFileSec ini(paths.sysdataIni(name));
    settings.LoadFromIni(ini);
    if (settings.A1.isEmpty()) {
        throw EKwpError(FormatStr(_("Für den Mandanten \"%s\" ist kein Verzeichnis für "
                                    "Allgemeine Daten (A1) eingetragen."),
                                  {name}));
    }
    return settings.AdressenDir;
}

int ExportAddresses(const TInstallationPaths& paths, const QString& tenant, const QString& fileName,
                    const TAdminLog& log) {
    const QString dir = TenantAddressDir(paths, tenant);
    // Row by row: a table of any size is written in the memory of one address.
    TAddressListWriter writer(fileName);
    ForEachAddress(dir, [&](TCustomerAddress& record) { writer.Add(record); });
    writer.Finish();
    log.info(FormatStr(_("Datei geschrieben: %s"), {fileName}));
    return writer.Count();
}

int ImportAddresses(const TInstallationPaths& paths, const QString& tenant, const QString& fileName,
                    bool replace, const TAdminLog& log) {
    const QString dir = TenantAddressDir(paths, tenant);
    if (!QFileInfo(fileName).isFile())
        throw EKwpError(FormatStr(_("Datei \"%s\" nicht gefunden."), {fileName}));

    TTransferTable table(dir, TDbAccess::ReadWrite);
    TDBAdress& db = table.db();
    // The records go into the table as they are read, all in the lock's one transaction.
    TImportLock lock(db);

    QSet<QString> numbers;
    int written = 0;
    int skipped = 0;
    const auto take = [&](TCustomerAddress& record) {
        const QString id = record.Id.trimmed().toUpper();
        if (id.isEmpty()) {
            throw EKwpError(FormatStr(_("Die %d. Adresse der Datei \"%s\" hat keine Nummer; es "
                                        "wurde nichts eingelesen."),
                                      {numbers.size() + 1, fileName}));
        }
        if (id.size() > kTransferMaxIdLength) {
            throw EKwpError(FormatStr(_("Die Adressnummer \"%s\" ist länger als %d Zeichen; es "
                                        "wurde nichts eingelesen."),
                                      {id, kTransferMaxIdLength}));
        }
        if (numbers.contains(id)) {
            throw EKwpError(FormatStr(_("Die Adressnummer \"%s\" kommt in der Datei mehrfach "
                                        "vor; es wurde nichts eingelesen."),
                                      {id}));
        }
        numbers.insert(id);
        record.Id = id;
        if (db.ExistsCustomer(id)) {
            if (!replace) {
                log.warning(FormatStr(_("Adresse \"%s\" übersprungen: die Nummer ist schon "
                                        "vergeben."),
                                      {id}));
                ++skipped;
                return;
            }
            // The row is replaced as a whole, creation stamp included.
            if (!db.DelCustomer(id)) {
                throw EKwpError(FormatStr(_("Adresse \"%s\" kann nicht ersetzt werden; es wurde "
                                            "nichts eingelesen."),
                                          {id}) +
                                table.errorLines());
            }
        }
        if (db.SetCustomer(record) != 0) {
            throw EKwpError(FormatStr(_("Adresse \"%s\" kann nicht geschrieben werden; es wurde "
                                        "nichts eingelesen."),
                                      {id}) +
                            table.errorLines());
        }
        ++written;
    };
    QString parseError;
    if (!ReadAddressListFromFile(fileName, take, &parseError)) {
        throw EKwpError(FormatStr(_("Die Datei \"%s\" ist fehlerhaft; es wurde nichts "
                                    "eingelesen."),
                                  {fileName}) +
                        QLatin1Char('\n') + parseError);
    }
    if (numbers.isEmpty()) {
        throw EKwpError(FormatStr(_("Die Datei \"%s\" enthält keine Adressen; es wurde nichts "
                                    "eingelesen."),
                                  {fileName}));
    }
    lock.Commit();
    if (skipped > 0)
        log.warning(FormatStr(_("%d Adressen übersprungen, weil ihre Nummer schon vergeben ist "
                                "(mit --replace werden sie ersetzt)."),
                              {skipped}));
    return written;
}

int ExportAddressVCards(const TInstallationPaths& paths, const QString& tenant,
                        const QString& fileName, int version, const QStringList& numbers,
                        const TAdminLog& log) {
    if (version != 3 && version != 4) throw EAdminUsageError(_("--version muss 3 oder 4 sein."));
    const QString dir = TenantAddressDir(paths, tenant);
    TAtomicFile file(fileName);
    file.Open();
    int count = 0;
    const auto add = [&](const TCustomerAddress& record) {
        file.write(TVCard::Write({&record}, version));
        ++count;
    };
    if (numbers.isEmpty()) {
        ForEachAddress(dir, add);
    } else {
        TTransferTable table(dir, TDbAccess::ReadOnly);
        TCustomerAddress record;
        for (const QString& number : numbers) {
            if (!table.db().GetCustomer(number.trimmed(), record))
                throw EKwpError(FormatStr(_("Adresse \"%s\" nicht gefunden."), {number}) +
                                table.errorLines());
            add(record);
        }
    }
    file.Commit();
    log.info(FormatStr(_("Datei geschrieben: %s"), {fileName}));
    return count;
}

int ImportAddressVCards(const TInstallationPaths& paths, const QString& tenant,
                        const QString& fileName, const TAdminLog& log) {
    const QString dir = TenantAddressDir(paths, tenant);
    TCustomerAdressObjectList cards;
    TVCard::ReadFile(fileName, cards);
    TAddressConfig config;
    if (QFileInfo(dir + QStringLiteral("CONFIG.XML")).isFile())
        config.LoadFromFile(dir + QStringLiteral("CONFIG.XML"));

    TTransferTable table(dir, TDbAccess::ReadWrite);
    TDBAdress& db = table.db();
    TImportLock lock(db);
    const double now = DateTimeToDayNumber(Now());
    for (const auto& record : cards) {
        PrepareImportedAddress(*record, db, config, kTransferLockUser, now);
        if (db.SetCustomer(*record) != 0) {
            throw EKwpError(FormatStr(_("Adresse \"%s\" kann nicht geschrieben werden; es wurde "
                                        "nichts eingelesen."),
                                      {record->Id}) +
                            table.errorLines());
        }
        log.info(FormatStr(_("Adresse \"%s\" angelegt: %s"), {record->Id, record->DisplayTxt}));
    }
    lock.Commit();
    return cards.Count();
}

int ExportAddressCsv(const TInstallationPaths& paths, const QString& tenant,
                     const QString& fileName, const TAdminLog& log) {
    const QString dir = TenantAddressDir(paths, tenant);
    TAtomicFile file(fileName);
    file.Open();
    file.write(TAddressCsv::Header());
    int count = 0;
    ForEachAddress(dir, [&](const TCustomerAddress& record) {
        file.write(TAddressCsv::Row(record));
        ++count;
    });
    file.Commit();
    log.info(FormatStr(_("Datei geschrieben: %s"), {fileName}));
    return count;
}
