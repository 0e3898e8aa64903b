#pragma once

#include <QAbstractTableModel>
#include <deque>
#include <functional>
#include <memory>
#include <unordered_map>

class TDBAdressSearchResultObjectList;

// What the address lists show of one address.
struct TAdressListRow {
    QString Id;
    QString DisplayTxt;
    QString AddrGrp;
    // Resubmission as day number; 0 = none
    double Wv = 0;
};

// Columns and texts shared by the main list and the result lists.
namespace adresslist {
enum Column { ColId, ColDisplayTxt, ColAddrGrp, ColWv, ColumnCount };
// The resubmission day number of a row, for the painting.
constexpr int WvRole = Qt::UserRole + 1;
int DefaultWidth(int column);
QVariant HeaderText(int column);
// "dd.mm.yyyy", with " hh:mm" when there is a time of day; empty for 0.
QString WvText(double wv);
QVariant RowData(const TAdressListRow& row, int column, int role);
}  // namespace adresslist

// The main address list: one row per table record, read when a view first asks for it and
// kept in a bounded cache, so a list of 100,000 addresses reads only what is shown.
class TAdressListModel : public QAbstractTableModel {
    Q_OBJECT
public:
    using RowReader = std::function<TAdressListRow(int row)>;
    static constexpr size_t CacheLimit = 4096;

    explicit TAdressListModel(RowReader reader, QObject* parent = nullptr);

    // Drops every row read so far and takes the new row count.
    void Reset(int rowCount);
    // Drops the rows read so far and repaints them; the count stays.
    void Reread();
    // The row's values, reading them when they are not cached.
    const TAdressListRow& Row(int row) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    RowReader m_reader;
    int m_rowCount = 0;
    mutable std::unordered_map<int, TAdressListRow> m_cache;
    // Rows in the order they were read: the oldest go first when the cache is full.
    mutable std::deque<int> m_readOrder;
};

// A search result list; owns its hits.
class TAdressResultModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit TAdressResultModel(std::unique_ptr<TDBAdressSearchResultObjectList> results,
                                QObject* parent = nullptr);
    ~TAdressResultModel() override;

    const TDBAdressSearchResultObjectList& Results() const { return *m_results; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    std::unique_ptr<TDBAdressSearchResultObjectList> m_results;
};
