#pragma once

#include <QString>
#include <functional>
#include <memory>
#include <vector>

#include "addressdb/dbadresssearch.h"
#include "app/objectlist.h"
#include "persistence/databasewrapper.h"

class TCustomerAddress;

// One hit of an address search.
class TDBAdressSearchResult {
public:
    int RecNo = 0;
    QString Id;
    QString DisplayTxt;
    QString AddrGrp;
    // Resubmission date as day number; 0 = none
    double Wv = 0;
};

// Owning list of search hits, in table order.
class TDBAdressSearchResultObjectList : public TObjectList<TDBAdressSearchResult> {};

// The address book of a tenant: table "ADDRESS" in the tenant's address folder, one row per
// address record (its XML plus the columns that lists and searches need). Every operation
// reports database errors (ReportError) and returns a neutral result.
class TDBAdress : public TDatabaseWrapper {
public:
    explicit TDBAdress(TDatabaseErrorCallback onError = {});
    ~TDBAdress() override;

    // The table object of "ADDRESS" (registered on first use of Tables()).
    TStoreTable* AddressTable();

    // 0 on success, -1 on failure. The record's number is upper-cased first.
    int SetCustomer(TCustomerAddress& record);
    // Positions on the row and fills the record; false when there is no such row or it is
    // damaged (see ReadCurrent).
    bool GetCustomer(const QString& id, TCustomerAddress& record);
    bool DelCustomer(const QString& id);
    bool SeekCustomer(const QString& id);
    // Without moving the current row.
    bool ExistsCustomer(const QString& id);
    QString GetCurrentID();
    // Positions on the first row whose number is not less than the text.
    void FindID(const QString& text);
    QString GetLastID(const QString& prefix);
    int GetRecordCount();
    // The first row's record number when the number is empty; 0 when not found.
    int GetCustomerRecNo(const QString& id);
    // The number of a neighbouring row (the next, else the previous); empty when none.
    QString GetNearestCustomer(const QString& id);
    // Rows containing every word of the text (".word": as a whole word), in table order.
    void FindAddress(const QString& text, TDBAdressSearchResultObjectList& result);
    void FindAddressByAddrGrp(const QString& group, TDBAdressSearchResultObjectList& result);
    // LockDB with the user and the address table; none when the wait was cancelled.
    std::unique_ptr<TDatabaseLock> LockAddressTable(const QString& user);
    // Fills the record from the current row; false when there is none or its data is damaged
    // (reported, the record is left cleared).
    bool ReadCurrent(TCustomerAddress& record);

    // Creates a document folder for an address below the base directory and returns its name
    // (empty when it cannot be created).
    static QString CreateCustomerDir(const QString& baseDir, const QString& wantedName);
    // A name trimmed and with the characters a folder name may not hold replaced by "_".
    static QString SafeCustomerDirName(const QString& name);

protected:
    void DefineTable(TStoreTable& table) override;
    void RegisterTables() override;
    void SetDefaultIndexes() override;
    int AlterTables() override;
    // Brings the search index up to date with the rows.
    void AfterOpen() override;

private:
    struct ShownCache;

    TStoreTextIndex& searchIndex();
    const addresssearch::ShownRows& shownRows(const TStoreRowIds* rows,
                                              addresssearch::ShownRows& readNow);
    void appendResults(const std::function<const addresssearch::Shown*(qint64 row)>& take,
                       TDBAdressSearchResultObjectList& result);

    template <typename Result, typename Work>
    Result guarded(const char* operation, Result neutral, Work&& work);
    template <typename Work>
    void guarded(const char* operation, Work&& work);
    bool locateId(const QString& id);
    bool shownCacheCurrent();
    // After an own write of the current row: keeps a current cache current.
    void updateShownCache(bool wasCurrent, bool removed, qint64 rowId);

    TStoreTable* m_addressTable = nullptr;
    std::unique_ptr<TStoreTextIndex> m_searchIndex;
    // The shown values of all rows, for searches with many hits.
    std::unique_ptr<ShownCache> m_shownCache;
};
