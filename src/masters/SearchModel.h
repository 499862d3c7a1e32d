#pragma once
// A search query as a Qt table model for the searchable-list widget: it fetches pages of rows
// as the view scrolls (canFetchMore / fetchMore) and starts over when the text changes.
//
//   auto model = new masters::SearchModel(masters::makeItemSearch(session), parent);
//   view->setModel(model);
//   connect(box, &QLineEdit::textChanged, [model](const QString& t) { model->setText(t); });
//   QString itemNo = model->key(view->currentIndex().row());
//
// Only the columns shown in the grid are model columns; outsideValue() gives the others (the
// item search's LOCATION) for the current row. Display roles: the formatted text; text
// alignment: the column's alignment (start/end follow the view's layout direction).
#include "masters/Search.h"
#include <QAbstractTableModel>
#include <memory>

namespace kv::masters {

class SearchModel : public QAbstractTableModel {
public:
    explicit SearchModel(std::unique_ptr<SearchQuery> query, QObject* parent = nullptr, int pageSize = 50);
    ~SearchModel() override;

    SearchQuery& query() { return *query_; }
    void setText(const QString& text); // re-runs the search and resets the model
    void reload();                     // the same search again (after a save elsewhere)

    QString key(int row) const;        // the key column of a loaded row, "" when out of range
    QString outsideValue(int row, const QString& column) const;
    int totalCount() const;            // rows of the whole result (runs a count query)

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    bool canFetchMore(const QModelIndex& parent) const override;
    void fetchMore(const QModelIndex& parent) override;

private:
    std::unique_ptr<SearchQuery> query_;
    QList<int> gridColumns_;   // indexes into query_->columns()
    QList<SearchRow> rows_;
    bool atEnd_ = false;
    int pageSize_;
};

} // namespace kv::masters
