#pragma once
// The browse cards (items, groups, accounts, main accounts, salesmen, operators): the card's
// position in the ordered keys of its rows with the four record commands that move it, and the
// tool-bar commands that switch the card between browsing and entering a row.
//
//   BrowseCursor nav_{[this] { return mode_ == Mode::Browse; }, [this] { showCurrent(); }};
//   std::tie(SBInsert, SBDelete, SBEdit, SBSave, SBCancel) = addCardCommands(bar, this, {...});
//   std::tie(SBFirst, SBPrior, SBNext, SBLast) = nav_.addCommands(bar, Qt::Key_F5, Qt::Key_F6);
//   nav_.setKeys(numbers, keep);   // after each reload of the rows
//   nav_.updateCommands();         // when the row shown or the card's state changes
//   enableForEntry(entry, {SBSave, SBCancel}, {SBInsert, SBDelete, SBEdit});
#include <QKeySequence>
#include <QString>
#include <QStringList>
#include <functional>
#include <initializer_list>
#include <tuple>

class QAction;
class QDialog;
class QToolBar;

namespace kv::ui {

// A tool-bar command with its caption (also its hint) and key; the key works anywhere in the
// window while the command is enabled.
QAction* addCommand(QToolBar* bar, const QString& caption, const QString& objectName, const QKeySequence& key,
                    std::function<void()> run);

class BrowseCursor {
public:
    // `browsing` tells whether the card may move now (not while a row is entered); `show`
    // shows the row at the new position.
    BrowseCursor(std::function<bool()> browsing, std::function<void()> show);

    // The keys of the rows as read again. The position stays on `keep` when it is listed, else
    // at the same place within the new list; -1 when the list is empty.
    void setKeys(QStringList keys, const QString& keep = {});
    const QStringList& keys() const { return keys_; }
    int count() const { return int(keys_.size()); }
    int position() const { return pos_; }
    QString key() const { return keys_.value(pos_); } // "" when there is no row
    bool atFirst() const { return pos_ <= 0; }
    bool atLast() const { return pos_ < 0 || pos_ >= count() - 1; }
    // Puts the position on `row` (-1 when it is not listed) without showing it.
    void setPosition(int row);

    // "أول سجل", "السابق", "التالي", "آخر سجل": move and show; false (nothing shown) when the
    // card does not browse or there is no row to move to.
    bool first();
    bool prior();
    bool next();
    bool last();
    // Shows the row of `key` / at `row`, in any state; false when it is not listed.
    bool seek(const QString& key);
    bool showRow(int row);

    // The four commands on `bar`, with the keys of the previous and next commands (F5 and F6 on
    // some screens, F6 and F5 on others).
    std::tuple<QAction*, QAction*, QAction*, QAction*> addCommands(QToolBar* bar, Qt::Key priorKey, Qt::Key nextKey);
    // Enables the commands that can move from the shown row while the card browses, none
    // otherwise.
    void updateCommands() const;

private:
    bool moveTo(int row);

    std::function<bool()> browsing_;
    std::function<void()> show_;
    QStringList keys_;
    int pos_ = -1;
    QAction *first_ = nullptr, *prior_ = nullptr, *next_ = nullptr, *last_ = nullptr;
};

// What the card's entry commands run.
struct CardHandlers {
    std::function<void()> insert, remove, edit, save, cancel;
};

// "خروج" (the window's reject) and, after a separator, "اضافة Insert", "حـذف", "تعديل",
// "حفـظ F10", "إلغاء التعديل Ctrl+Q"; returns the last five. `insertName` is the object name of
// the insert command.
std::tuple<QAction*, QAction*, QAction*, QAction*, QAction*>
addCardCommands(QToolBar* bar, QDialog* window, CardHandlers run, const QString& insertName = QStringLiteral("SBInsert"));

// While a row is entered only `entryOnly` work; while browsing only `browseOnly`.
void enableForEntry(bool entry, std::initializer_list<QAction*> entryOnly, std::initializer_list<QAction*> browseOnly);

} // namespace kv::ui
