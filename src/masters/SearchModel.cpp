#include "masters/SearchModel.h"

namespace kv::masters {

SearchModel::SearchModel(std::unique_ptr<SearchQuery> query, QObject* parent, int pageSize)
    : QAbstractTableModel(parent), query_(std::move(query)), pageSize_(pageSize > 0 ? pageSize : 50)
{
    const QList<SearchColumn>& cols = query_->columns();
    for (int i = 0; i < cols.size(); ++i)
        if (cols[i].inGrid) gridColumns_ << i;
    reload();
}

SearchModel::~SearchModel() = default;

void SearchModel::setText(const QString& text)
{
    query_->setText(text);
    reload();
}

void SearchModel::reload()
{
    beginResetModel();
    rows_ = query_->fetch(0, pageSize_);
    atEnd_ = rows_.size() < pageSize_;
    endResetModel();
}

QString SearchModel::key(int row) const
{
    return row >= 0 && row < rows_.size() ? rows_[row].key() : QString();
}

QString SearchModel::outsideValue(int row, const QString& column) const
{
    const int c = query_->columnIndex(column);
    return row >= 0 && row < rows_.size() && c >= 0 ? rows_[row].value(c) : QString();
}

int SearchModel::totalCount() const { return query_->count(); }

int SearchModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : int(rows_.size()); }

int SearchModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : int(gridColumns_.size()); }

QVariant SearchModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= rows_.size() || index.column() >= gridColumns_.size()) return {};
    const int c = gridColumns_[index.column()];
    if (role == Qt::DisplayRole) return rows_[index.row()].value(c);
    if (role == Qt::TextAlignmentRole) {
        switch (query_->columns()[c].align) {
        case SearchColumn::Align::Start: return int(Qt::AlignLeading | Qt::AlignVCenter);
        case SearchColumn::Align::End: return int(Qt::AlignTrailing | Qt::AlignVCenter);
        case SearchColumn::Align::Center: return int(Qt::AlignCenter);
        }
    }
    return {};
}

QVariant SearchModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section >= gridColumns_.size())
        return QAbstractTableModel::headerData(section, orientation, role);
    return query_->columns()[gridColumns_[section]].caption;
}

bool SearchModel::canFetchMore(const QModelIndex& parent) const { return !parent.isValid() && !atEnd_; }

void SearchModel::fetchMore(const QModelIndex& parent)
{
    if (parent.isValid() || atEnd_) return;
    const QList<SearchRow> more = query_->fetch(int(rows_.size()), pageSize_);
    atEnd_ = more.size() < pageSize_;
    if (more.isEmpty()) return;
    beginInsertRows({}, int(rows_.size()), int(rows_.size() + more.size() - 1));
    rows_ += more;
    endInsertRows();
}

} // namespace kv::masters
