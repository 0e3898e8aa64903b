#include "addressdb/dbadress.h"

#include <QDir>
#include <QFileInfo>
#include <QScopeGuard>

#include "address/customeraddress.h"
#include "addressdb/dbadresssearch.h"
#include "app/conversions.h"
#include "app/errorreport.h"
#include "app/format.h"
#include "app/systemeinstellungen.h"
#include "app/translation.h"

namespace {
const QString adressTable = QStringLiteral("ADDRESS");
const QString adressIndex = QStringLiteral("ADDRESSID");

QString adressMarksText(const QStringList& marks) {
    QString text;
    for (const QString& mark : marks) text += mark + QStringLiteral("\r\n");
    return text;
}

QStringList adressMarksFromText(const QString& text) {
    QStringList marks;
    for (QString line : text.split(QLatin1Char('\n'))) {
        if (line.endsWith(QLatin1Char('\r'))) line.chop(1);
        marks.append(line);
    }
    if (!marks.isEmpty() && marks.last().isEmpty()) marks.removeLast();
    return marks;
}

// Numbers are keys, parts of file names and typed by users: nothing blank or invisible.
void requireValidNumber(const QString& id) {
    bool valid = !id.trimmed().isEmpty();
    QString shown = id;
    for (QChar& c : shown) {
        if (c.category() != QChar::Other_Control) continue;
        valid = false;
        c = QLatin1Char('?');
    }
    if (!valid)
        throw EKwpError(FormatStr(_("Die Adressnummer \"%s\" ist ungültig: Sie darf nicht leer "
                                    "sein und keine Steuerzeichen enthalten."),
                                  {shown}));
}

// The text columns hold copies of record fields for lists and searches, cut to the column;
// a value that does not fit is kept whole in the row's XML.
QString cutToColumn(const QString& value, int size) {
    if (size <= 0 || value.size() <= size) return value;
    return value.left(value.at(size - 1).isHighSurrogate() ? size - 1 : size);
}

// Reading prefers the XML's value where the column holds the cut copy of it.
QString wholeValue(TStoreField& field, const QString& fromXml) {
    const QString column = field.AsString();
    return fromXml != column && cutToColumn(fromXml, field.Size()) == column ? fromXml : column;
}

// Restores index and record number of the address table on every path.
class AdressPositionGuard {
public:
    explicit AdressPositionGuard(TStoreTable& table)
        : m_table(table), m_index(table.IndexName()), m_recNo(table.RecNo()) {
        m_table.DisableControls();
    }
    ~AdressPositionGuard() {
        try {
            if (m_table.Filtered()) m_table.SetFiltered(false);
            m_table.SetIndexName(m_index);
            if (m_recNo > 0) m_table.SetRecNo(m_recNo);
        } catch (...) {
            // The table stays usable at whatever row it is on.
        }
        m_table.EnableControls();
    }
    AdressPositionGuard(const AdressPositionGuard&) = delete;
    AdressPositionGuard& operator=(const AdressPositionGuard&) = delete;

private:
    TStoreTable& m_table;
    QString m_index;
    int m_recNo;
};
}  // namespace

struct TDBAdress::ShownCache {
    addresssearch::ShownRows rows;
    qint64 dataVersion = -1;
    quint64 changeCount = 0;
};

// A failure of an operation is reported under its name and gives the neutral result.
template <typename Result, typename Work>
Result TDBAdress::guarded(const char* operation, Result neutral, Work&& work) {
    try {
        return work();
    } catch (const std::exception& error) {
        ReportError(error, QString::fromLatin1(operation));
        return neutral;
    }
}

template <typename Work>
void TDBAdress::guarded(const char* operation, Work&& work) {
    try {
        work();
    } catch (const std::exception& error) {
        ReportError(error, QString::fromLatin1(operation));
    }
}

TDBAdress::TDBAdress(TDatabaseErrorCallback onError)
    : TDatabaseWrapper(std::move(onError)), m_shownCache(std::make_unique<ShownCache>()) {}

TDBAdress::~TDBAdress() {
    // The table outlives the index (the base class owns it) and may commit on closing.
    if (m_addressTable) m_addressTable->SetBeforeCommit({});
}

TStoreTable* TDBAdress::AddressTable() {
    Tables();
    return m_addressTable;
}

void TDBAdress::DefineTable(TStoreTable& table) {
    if (table.TableName().compare(adressTable, Qt::CaseInsensitive) != 0) return;
    TFieldDefs& f = table.FieldDefs();
    f.Add(QStringLiteral("ID"), sftString, 20, true);
    f.Add(QStringLiteral("DISPLAYTXT"), sftString, 255, true);
    f.Add(QStringLiteral("ADDRGRP"), sftString, 50, true);
    f.Add(QStringLiteral("CREATED"), sftDateTime, 0, true);
    f.Add(QStringLiteral("CREATEDBY"), sftString, 20, false);
    f.Add(QStringLiteral("CHANGED"), sftDateTime, 0, true);
    f.Add(QStringLiteral("CHANGEDBY"), sftString, 20, false);
    f.Add(QStringLiteral("IDFORWARD"), sftString, 20, true);
    f.Add(QStringLiteral("WV"), sftDateTime, 0, false);
    f.Add(QStringLiteral("WVTXT"), sftString, 40, false);
    f.Add(QStringLiteral("WVUSER"), sftString, 20, false);
    f.Add(QStringLiteral("XMLDATA"), sftMemo, 0, false);
    f.Add(QStringLiteral("CHARACT"), sftMemo, 0, false);
    table.IndexDefs().Add(adressIndex, QStringLiteral("ID"), ixUnique);
}

void TDBAdress::RegisterTables() {
    m_addressTable = AddTable(adressTable, adressIndex);
    m_searchIndex = addresssearch::MakeIndex(*m_addressTable);
    // Rows saved under one lock are indexed together at its end: one pass, not one per row.
    m_addressTable->SetBeforeCommit([index = m_searchIndex.get()] {
        try {
            index->Update();
        } catch (const std::exception&) {
            // The rows are saved; searches derive their texts until a later save indexes them.
        }
    });
}

void TDBAdress::SetDefaultIndexes() {
    m_addressTable->SetIndexName(adressIndex);
}

int TDBAdress::AlterTables() {
    TFieldDefs& defs = m_addressTable->FieldDefs();
    struct Column {
        const char* name;
        int type;
        int size;
    };
    bool changed = false;
    for (const Column& column : {Column{"WV", sftDateTime, 0}, Column{"WVTXT", sftString, 40},
                                 Column{"WVUSER", sftString, 20}}) {
        const QString name = QString::fromLatin1(column.name);
        if (defs.IndexOf(name) >= 0) continue;
        defs.Add(name, column.type, column.size, false);
        const int xml = defs.IndexOf(QStringLiteral("XMLDATA"));
        if (xml >= 0) defs.Move(defs.Count() - 1, xml);
        changed = true;
    }
    if (!changed) return 0;
    m_addressTable->AlterTable();
    return 1;
}

void TDBAdress::AfterOpen() {
    if (!Database().ReadOnly()) searchIndex().Ensure();
}

TStoreTextIndex& TDBAdress::searchIndex() {
    Tables();
    return *m_searchIndex;
}

// Valid while nobody else wrote (the connection's data version) and every own write went
// through updateShownCache (the table's change count).
bool TDBAdress::shownCacheCurrent() {
    TStoreTable& table = *AddressTable();
    return m_shownCache->dataVersion >= 0 && m_shownCache->dataVersion == table.DataVersion() &&
           m_shownCache->changeCount == table.ChangeCount();
}

void TDBAdress::updateShownCache(bool wasCurrent, bool removed, qint64 rowId) {
    if (!wasCurrent) return;
    TStoreTable& table = *AddressTable();
    if (removed) {
        m_shownCache->rows.erase(rowId);
    } else {
        m_shownCache->rows[rowId] = {table.FieldByName(QStringLiteral("ID")).AsString(),
                                     table.FieldByName(QStringLiteral("DISPLAYTXT")).AsString(),
                                     table.FieldByName(QStringLiteral("ADDRGRP")).AsString(),
                                     table.FieldByName(QStringLiteral("WV")).AsDateTime()};
    }
    m_shownCache->changeCount = table.ChangeCount();
}

bool TDBAdress::locateId(const QString& id) {
    TStoreTable& table = *AddressTable();
    const QString wanted = id.toUpper();
    // The current row may hold what another workstation has changed since it was read.
    table.RefreshIfChanged();
    if (table.RecNo() > 0 && table.FieldByName(QStringLiteral("ID")).AsString() == wanted)
        return true;
    return table.Locate(QStringLiteral("ID"), wanted);
}

int TDBAdress::SetCustomer(TCustomerAddress& record) {
    TStoreTable& table = *AddressTable();
    try {
        requireValidNumber(record.Id);
        record.Id = record.Id.toUpper();
        QString wholeValues;
        const auto setCopy = [&](const char* column, const char* attribute, const QString& value) {
            TStoreField& field = table.FieldByName(QLatin1String(column));
            const QString copy = cutToColumn(value, field.Size());
            field.SetAsString(copy);
            if (copy.size() < value.size() && attribute)
                wholeValues += XmlAttribute(attribute, value);
        };
        if (locateId(record.Id)) {
            table.Edit();
        } else {
            table.Append();
            table.FieldByName(QStringLiteral("ID")).SetAsString(record.Id);
            table.FieldByName(QStringLiteral("CREATED")).SetAsDateTime(record.Created);
            setCopy("CREATEDBY", "crby", record.CreatedBy);
        }
        table.FieldByName(QStringLiteral("CHANGED")).SetAsDateTime(record.Changed);
        setCopy("CHANGEDBY", "chby", record.ChangedBy);
        setCopy("ADDRGRP", "addrgrp", record.AddrGrp);
        // The XML holds the whole display text anyway.
        setCopy("DISPLAYTXT", nullptr, record.DisplayTxt);
        table.FieldByName(QStringLiteral("CHARACT"))
            .SetAsString(adressMarksText(record.Kennzeichen));
        setCopy("IDFORWARD", "idweiterl", record.IdWeiterl);
        if (record.Wv != 0)
            table.FieldByName(QStringLiteral("WV")).SetAsDateTime(record.Wv);
        else
            table.FieldByName(QStringLiteral("WV")).Clear();
        setCopy("WVTXT", "wvtxt", record.WvTxt);
        setCopy("WVUSER", "wvuser", record.WvUser);
        QString xml = record.GetXML(TXmlContent::WithoutColumns);
        const QString root = QStringLiteral("<kundenadr");
        const qsizetype at = xml.indexOf(root);
        if (!wholeValues.isEmpty() && at >= 0) xml.insert(at + root.size(), wholeValues);
        table.FieldByName(QStringLiteral("XMLDATA")).SetAsString(xml);
        const bool cacheCurrent = shownCacheCurrent();
        table.Post();
        updateShownCache(cacheCurrent, false, table.CurrentRowId());
        return 0;
    } catch (const std::exception& error) {
        try {
            if (table.Active()) table.Cancel();
        } catch (...) {
            // Already reported below; the table stays as it was.
        }
        ReportError(error, QStringLiteral("SetCustomer"));
        return -1;
    }
}

bool TDBAdress::ReadCurrent(TCustomerAddress& record) {
    TStoreTable& table = *AddressTable();
    if (!table.Active() || table.RecNo() == 0) return false;
    record.Clear();
    record.ReportParseErrors = false;
    {
        const auto restore = qScopeGuard([&record] { record.ReportParseErrors = true; });
        record.LoadFromXML(table.FieldByName(QStringLiteral("XMLDATA")).AsString());
    }
    if (record.HasParseError) {
        // What the parser reached is only the front of the record: nobody may work on it,
        // let alone save it over the stored row.
        const QString id = table.FieldByName(QStringLiteral("ID")).AsString();
        const QString detail = record.ErrorText;
        record.Clear();
        ReportError(EKwpError(FormatStr(_("Die Adresse \"%s\" ist beschädigt und kann nicht "
                                          "gelesen werden."),
                                        {id}) +
                              QLatin1Char('\n') + detail),
                    QStringLiteral("ReadCurrent"));
        return false;
    }
    record.Id = table.FieldByName(QStringLiteral("ID")).AsString();
    record.AddrGrp = wholeValue(table.FieldByName(QStringLiteral("ADDRGRP")), record.AddrGrp);
    record.Created = table.FieldByName(QStringLiteral("CREATED")).AsDateTime();
    record.CreatedBy = wholeValue(table.FieldByName(QStringLiteral("CREATEDBY")), record.CreatedBy);
    record.Changed = table.FieldByName(QStringLiteral("CHANGED")).AsDateTime();
    record.ChangedBy = wholeValue(table.FieldByName(QStringLiteral("CHANGEDBY")), record.ChangedBy);
    record.DisplayTxt =
        wholeValue(table.FieldByName(QStringLiteral("DISPLAYTXT")), record.DisplayTxt);
    record.Kennzeichen =
        adressMarksFromText(table.FieldByName(QStringLiteral("CHARACT")).AsString());
    record.IdWeiterl = wholeValue(table.FieldByName(QStringLiteral("IDFORWARD")), record.IdWeiterl);
    // A table of an older version, opened read-only, lacks the resubmission columns.
    if (TStoreField* wv = table.FindField(QStringLiteral("WV"))) {
        record.Wv = wv->AsDateTime();
        record.WvTxt = wholeValue(table.FieldByName(QStringLiteral("WVTXT")), record.WvTxt);
        record.WvUser = wholeValue(table.FieldByName(QStringLiteral("WVUSER")), record.WvUser);
    }
    return true;
}

bool TDBAdress::GetCustomer(const QString& id, TCustomerAddress& record) {
    return guarded<bool>("GetCustomer", false,
                         [&]() -> bool { return locateId(id) && ReadCurrent(record); });
}

bool TDBAdress::DelCustomer(const QString& id) {
    return guarded<bool>("DelCustomer", false, [&]() -> bool {
        if (!locateId(id)) return false;
        TStoreTable& table = *AddressTable();
        const bool cacheCurrent = shownCacheCurrent();
        const qint64 rowId = table.CurrentRowId();
        table.Delete();
        updateShownCache(cacheCurrent, true, rowId);
        return true;
    });
}

bool TDBAdress::SeekCustomer(const QString& id) {
    return guarded<bool>("SeekCustomer", false, [&]() -> bool { return locateId(id); });
}

bool TDBAdress::ExistsCustomer(const QString& id) {
    return guarded<bool>("ExistsCustomer", false, [&]() -> bool {
        TStoreTable& table = *AddressTable();
        const AdressPositionGuard guard(table);
        table.SetIndexName(adressIndex);
        table.SetFiltered(false);
        table.SetFilter(QString());
        return table.Locate(QStringLiteral("ID"), id.toUpper());
    });
}

QString TDBAdress::GetCurrentID() {
    return guarded<QString>("GetCurrentID", {}, [&]() -> QString {
        TStoreTable& table = *AddressTable();
        return table.RecNo() > 0 ? table.FieldByName(QStringLiteral("ID")).AsString() : QString();
    });
}

void TDBAdress::FindID(const QString& text) {
    guarded("FindID", [&] { AddressTable()->FindNearest({text}); });
}

QString TDBAdress::GetLastID(const QString& prefix) {
    return guarded<QString>("GetLastID", {}, [&]() -> QString {
        TStoreTable& table = *AddressTable();
        const AdressPositionGuard guard(table);
        table.SetIndexName(adressIndex);
        if (prefix.isEmpty()) {
            table.SetFiltered(false);
        } else {
            // The filter's quotes are doubled, so a prefix with an apostrophe stays a prefix.
            QString quoted = prefix;
            quoted.replace(QLatin1Char('\''), QStringLiteral("''"));
            table.SetFilter(FormatStr(QStringLiteral("ID like '%s*'"), {quoted}));
            table.SetFiltered(true);
        }
        QString id;
        table.Last();
        while (table.RecNo() > 0) {
            // The filter reads "*" and "?" as wildcards; the prefix is plain text.
            const QString current = table.FieldByName(QStringLiteral("ID")).AsString();
            if (current.startsWith(prefix, Qt::CaseInsensitive)) {
                id = current;
                if (id.size() <= prefix.size() || id.at(prefix.size()).isDigit()) break;
            }
            if (table.RecNo() == 1) break;
            table.Prior();
        }
        return id;
    });
}

int TDBAdress::GetRecordCount() {
    return guarded<int>("GetRecordCount", 0,
                        [&]() -> int { return AddressTable()->RecordCount(); });
}

int TDBAdress::GetCustomerRecNo(const QString& id) {
    return guarded<int>("GetCustomerRecNo", 0, [&]() -> int {
        TStoreTable& table = *AddressTable();
        if (id.isEmpty()) {
            table.First();
        } else if (!locateId(id)) {
            return 0;
        }
        return table.RecNo();
    });
}

QString TDBAdress::GetNearestCustomer(const QString& id) {
    return guarded<QString>("GetNearestCustomer", {}, [&]() -> QString {
        TStoreTable& table = *AddressTable();
        if (!locateId(id)) return GetCurrentID();
        const int recNo = table.RecNo();
        if (recNo < table.RecordCount())
            table.SetRecNo(recNo + 1);
        else if (recNo > 1)
            table.SetRecNo(recNo - 1);
        else
            return {};
        return table.FieldByName(QStringLiteral("ID")).AsString();
    });
}

// The shown values of the given rows, or of all rows. Few rows are read one by one; for many
// the values of every row are kept until somebody writes.
const addresssearch::ShownRows& TDBAdress::shownRows(const TStoreRowIds* rows,
                                                     addresssearch::ShownRows& readNow) {
    // Reading every row's values costs half a second on a large table the first time; a search's
    // few thousand hits are read one by one in a fraction of that.
    constexpr size_t fewHits = 20000;
    TStoreTable& table = *AddressTable();
    if (shownCacheCurrent()) return m_shownCache->rows;
    const bool indexed = searchIndex().Exists();
    if (rows && (rows->size() <= fewHits || !indexed)) {
        readNow = addresssearch::ToShown(searchIndex().ReadList(*rows));
        return readNow;
    }
    if (!indexed) {
        readNow = addresssearch::ToShown(searchIndex().ReadList());
        return readNow;
    }
    m_shownCache->dataVersion = table.DataVersion();
    m_shownCache->changeCount = table.ChangeCount();
    m_shownCache->rows = addresssearch::ToShown(searchIndex().ReadList());
    return m_shownCache->rows;
}

// The rows the filter takes, in table order, numbered as the list shows them.
void TDBAdress::appendResults(const std::function<const addresssearch::Shown*(qint64 row)>& take,
                              TDBAdressSearchResultObjectList& result) {
    const std::vector<qint64>& order = AddressTable()->rowOrder();
    for (size_t i = 0; i < order.size(); ++i) {
        const addresssearch::Shown* shown = take(order[i]);
        if (!shown) continue;
        TDBAdressSearchResult* item = result.Add();
        item->RecNo = int(i + 1);
        item->Id = shown->id;
        item->DisplayTxt = shown->displayTxt;
        item->AddrGrp = shown->addrGrp;
        item->Wv = shown->wv;
    }
}

void TDBAdress::FindAddress(const QString& text, TDBAdressSearchResultObjectList& result) {
    guarded("FindAddress", [&] {
        const QList<QByteArray> needles = addresssearch::SplitSearchText(text);
        if (needles.isEmpty()) return;
        TStoreTable& table = *AddressTable();
        const TStoreReadSnapshot reading(table);
        table.RefreshIfChanged();
        const TStoreRowIds rows = searchIndex().Find(needles);
        if (rows.empty()) return;
        addresssearch::ShownRows readNow;
        const addresssearch::ShownRows& shown = shownRows(&rows, readNow);
        // Row ids are small and dense: a bitmap answers for every row of the order at once.
        std::vector<bool> hit(size_t(rows.back()) + 1);
        for (const qint64 row : rows) hit[size_t(row)] = true;
        appendResults(
            [&](qint64 row) -> const addresssearch::Shown* {
                if (row < 0 || size_t(row) >= hit.size() || !hit[size_t(row)]) return nullptr;
                const auto it = shown.find(row);
                return it == shown.end() ? nullptr : &it->second;
            },
            result);
    });
}

void TDBAdress::FindAddressByAddrGrp(const QString& group,
                                     TDBAdressSearchResultObjectList& result) {
    if (group.isEmpty()) return;
    guarded("FindAddressByAddrGrp", [&] {
        TStoreTable& table = *AddressTable();
        const TStoreReadSnapshot reading(table);
        table.RefreshIfChanged();
        addresssearch::ShownRows readNow;
        const addresssearch::ShownRows& shown = shownRows(nullptr, readNow);
        appendResults(
            [&](qint64 row) -> const addresssearch::Shown* {
                const auto it = shown.find(row);
                return it != shown.end() &&
                               it->second.addrGrp.compare(group, Qt::CaseInsensitive) == 0
                           ? &it->second
                           : nullptr;
            },
            result);
    });
}

std::unique_ptr<TDatabaseLock> TDBAdress::LockAddressTable(const QString& user) {
    return guarded<std::unique_ptr<TDatabaseLock>>(
        "LockAddressTable", nullptr,
        [&]() -> std::unique_ptr<TDatabaseLock> { return LockDB(user, AddressTable()); });
}

QString TDBAdress::SafeCustomerDirName(const QString& name) {
    QString cleaned = name.trimmed();
    for (const QChar c : QStringLiteral("!\"*/:<>?\\|")) cleaned.replace(c, QLatin1Char('_'));
    return cleaned;
}

QString TDBAdress::CreateCustomerDir(const QString& baseDir, const QString& wantedName) {
    const QString base = NormalizeDir(baseDir);
    const QString cleaned = SafeCustomerDirName(wantedName);
    int counter = 0;
    QString name = cleaned;
    if (name.isEmpty()) name = FormatStr(QStringLiteral("%.5d"), {++counter});
    while (QFileInfo::exists(base + name))
        name = cleaned + FormatStr(QStringLiteral("%.5d"), {++counter});
    if (!QDir().mkpath(base + name)) return {};
    return name;
}
