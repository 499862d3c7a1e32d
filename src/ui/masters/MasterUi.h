#pragma once
// Pieces shared by the master-file screens: their command buttons, the message box of a refused
// action, a read-only table model for the list pages, and the state of a card.
#include "masters/Common.h"
#include "ui/common/Browse.h"
#include <QAbstractTableModel>
#include <QKeySequence>
#include <QList>
#include <QString>
#include <QStringList>
#include <functional>

class QAction;
class QLabel;
class QTableView;
class QToolBar;
class QWidget;

namespace kv::core { struct Session; }
namespace kv::db { class DbError; }

namespace kv::ui::masters_ui {

// The three states of every card: browsing, inserting a new row, editing the shown row.
enum class CardMode { Browse, Insert, Edit };

// A tool-bar command (ui/common/Browse.h).
using ui::addCommand;
// A second key for the same command (F4 beside F7).
void addShortcut(QWidget* window, QAction* command, const QKeySequence& key);
QToolBar* commandBar(QWidget* parent);

// The box of a refused action, of the Check's kind.
void showCheck(QWidget* parent, const masters::Check& check);
// A database failure: the catalogue's in-use message for a busy row, else the failure text.
void showDbError(QWidget* parent, const core::Session& s, const db::DbError& e);

// Runs `run` when the focus leaves `field` for another control of its window (Tab, Enter, a
// click), not when a pop-up or another window takes it.
void onLeave(QWidget* field, std::function<void()> run);

// Label + field helpers for the card grids.
QLabel* fieldLabel(const QString& caption, QWidget* parent);

// The rows of a list page: texts per column, right-aligned numeric columns.
class TextTableModel : public QAbstractTableModel {
public:
    explicit TextTableModel(QStringList headers, QObject* parent = nullptr);
    void setRows(QList<QStringList> rows);
    const QList<QStringList>& rows() const { return rows_; }
    // Numeric columns are aligned to the left edge, as figures are in a right-to-left grid.
    void setNumericColumns(QList<int> columns) { numeric_ = std::move(columns); }
    QString cell(int row, int column) const { return rows_.value(row).value(column); }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    QStringList headers_;
    QList<QStringList> rows_;
    QList<int> numeric_;
};

// A read-only grid of whole rows, as the list pages show them; `stretchColumn` (the name) takes
// what is left of the width, else the last column does.
QTableView* listGrid(QAbstractItemModel* model, QWidget* parent, const QString& objectName, int stretchColumn = -1);
// Row of `view` whose first column equals `key`, -1 when none.
int rowOfKey(const TextTableModel& model, const QString& key);

} // namespace kv::ui::masters_ui
