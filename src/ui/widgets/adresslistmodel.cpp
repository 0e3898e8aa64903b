#include "ui/widgets/adresslistmodel.h"

#include "addressdb/dbadress.h"
#include "app/conversions.h"
#include "app/translation.h"

namespace adresslist {

int DefaultWidth(int column) {
    static constexpr int widths[ColumnCount] = {131, 447, 88, 99};
    return column >= 0 && column < ColumnCount ? widths[column] : 100;
}

QVariant HeaderText(int column) {
    switch (column) {
        case ColId:
            return _("Adress-Nr.");
        case ColDisplayTxt:
            return _("Beschreibung");
        case ColAddrGrp:
            return _("Adressgruppe");
        case ColWv:
            return _("Wiedervorlage");
        default:
            return {};
    }
}

QString WvText(double wv) {
    if (wv == 0) return {};
    const QDateTime at = DayNumberToDateTime(wv);
    return at.time() == QTime(0, 0) ? at.toString(QStringLiteral("dd.MM.yyyy"))
                                    : at.toString(QStringLiteral("dd.MM.yyyy hh:mm"));
}

QVariant RowData(const TAdressListRow& row, int column, int role) {
    if (role == WvRole) return row.Wv;
    if (role != Qt::DisplayRole && role != Qt::ToolTipRole) return {};
    switch (column) {
        case ColId:
            return row.Id;
        case ColDisplayTxt:
            return row.DisplayTxt;
        case ColAddrGrp:
            return row.AddrGrp;
        case ColWv:
            return WvText(row.Wv);
        default:
            return {};
    }
}

}  // namespace adresslist

TAdressListModel::TAdressListModel(RowReader reader, QObject* parent)
    : QAbstractTableModel(parent), m_reader(std::move(reader)) {}

void TAdressListModel::Reset(int rowCount) {
    beginResetModel();
    m_rowCount = std::max(0, rowCount);
    m_cache.clear();
    m_readOrder.clear();
    endResetModel();
}

void TAdressListModel::Reread() {
    m_cache.clear();
    m_readOrder.clear();
    if (m_rowCount > 0)
        Q_EMIT dataChanged(index(0, 0), index(m_rowCount - 1, adresslist::ColumnCount - 1));
}

const TAdressListRow& TAdressListModel::Row(int row) const {
    const auto found = m_cache.find(row);
    if (found != m_cache.end()) return found->second;
    if (m_cache.size() >= CacheLimit) {
        m_cache.erase(m_readOrder.front());
        m_readOrder.pop_front();
    }
    m_readOrder.push_back(row);
    return m_cache.emplace(row, m_reader(row)).first->second;
}

int TAdressListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : m_rowCount;
}

int TAdressListModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : adresslist::ColumnCount;
}

QVariant TAdressListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= m_rowCount) return {};
    // Only the roles that show something cost a read.
    if (role != Qt::DisplayRole && role != Qt::ToolTipRole && role != adresslist::WvRole) return {};
    return adresslist::RowData(Row(index.row()), index.column(), role);
}

QVariant TAdressListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole)
        return adresslist::HeaderText(section);
    return QAbstractTableModel::headerData(section, orientation, role);
}

TAdressResultModel::TAdressResultModel(std::unique_ptr<TDBAdressSearchResultObjectList> results,
                                       QObject* parent)
    : QAbstractTableModel(parent), m_results(std::move(results)) {}

TAdressResultModel::~TAdressResultModel() = default;

int TAdressResultModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : m_results->Count();
}

int TAdressResultModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : adresslist::ColumnCount;
}

QVariant TAdressResultModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= m_results->Count()) return {};
    const TDBAdressSearchResult& hit = *m_results->Items(index.row());
    return adresslist::RowData({hit.Id, hit.DisplayTxt, hit.AddrGrp, hit.Wv}, index.column(), role);
}

QVariant TAdressResultModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole)
        return adresslist::HeaderText(section);
    return QAbstractTableModel::headerData(section, orientation, role);
}
