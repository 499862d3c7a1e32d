#pragma once
// The searchable list of every search window (item, account, salesman, cost centre, earlier
// customer): a search box over a read-only grid whose rows come page by page from a search query
// as the grid scrolls.
//
//   auto* list = new kv::ui::SearchList(masters::makeItemSearch(session), this);
//   connect(list, &SearchList::chosen, this, [](const QString& key) { ... });
//
// Keys: typing in the box re-runs the search; Enter in the box moves to the grid; Enter in the
// grid or a click on a cell chooses the current row (chosen() with its key, "" for an empty
// grid); Esc leaves (escaped()); any other character key typed in the grid is ignored.
//
// SearchWindow is the modal window around one list: its caption, the list, an "Esc" button;
// a subclass looks the chosen key up and sets the session's mFound.
#include "masters/SearchModel.h"
#include <QDialog>
#include <QWidget>
#include <memory>

class QLabel;
class QLineEdit;
class QPushButton;
class QTableView;
class QVBoxLayout;

namespace kv::core { struct Session; }

namespace kv::ui {

class SearchList : public QWidget {
    Q_OBJECT
public:
    explicit SearchList(std::unique_ptr<masters::SearchQuery> query, QWidget* parent = nullptr);

    QLineEdit* edit() const { return EdtSearch; }
    QLabel* editLabel() const { return LblSearch; }
    QTableView* grid() const { return DBGrid; }
    masters::SearchModel* model() const { return model_; }
    masters::SearchQuery& query() const { return model_->query(); }

    // The box above the grid; windows with boxes of their own hide it.
    void setEditVisible(bool on);

    // Runs the query again after its filter was changed directly (query().setXxx(...)).
    void reload();
    // Rows of the whole current result.
    int count() const;

    // The key of the current row, "" when the grid is empty.
    QString currentKey() const;
    // A column of the current row kept outside the grid (the item search's LOCATION).
    QString currentOutsideValue(const QString& column) const;
    // Loads every remaining page (before exporting the whole list).
    void fetchAll();

    // Chooses the current row (what Enter in the grid does).
    void chooseCurrent();

signals:
    void chosen(const QString& key);
    void escaped();
    void currentRowChanged();
    void reloaded(); // the result was replaced (a new count)

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void afterReset();

    masters::SearchModel* model_ = nullptr;
    QLabel* LblSearch = nullptr;
    QLineEdit* EdtSearch = nullptr;
    QTableView* DBGrid = nullptr;
};

class SearchWindow : public QDialog {
    Q_OBJECT
public:
    // The session's mFound is false until a choice is accepted.
    SearchWindow(core::Session& session, std::unique_ptr<masters::SearchQuery> query, QWidget* parent = nullptr);

    SearchList* list() const { return list_; }
    QPushButton* escButton() const { return BBEsc; }
    // The key of the accepted choice, "" when none.
    const QString& chosenKey() const { return chosen_; }

    void reject() override; // Esc: no choice

protected:
    // Checks a chosen key (the row may have gone meanwhile); false after showing why. The window
    // closes in both cases, with mFound telling which.
    virtual bool accept(const QString& key) = 0;

    core::Session& session() const { return s_; }
    // Where a subclass adds its controls above the list.
    QVBoxLayout* topLayout() const { return top_; }
    // Adds a "عدد السجلات" count kept up to date under the list.
    void showCount();

private:
    void choose(const QString& key);

    core::Session& s_;
    SearchList* list_ = nullptr;
    QVBoxLayout* top_ = nullptr;
    QLabel* LblCount = nullptr;
    QPushButton* BBEsc = nullptr;
    QString chosen_;
};

} // namespace kv::ui
