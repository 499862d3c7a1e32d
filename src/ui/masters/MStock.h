#pragma once
// The item groups screen "ملـف الـبـنــود الرئـيـســيـة": a card of the group number and name
// (insert, edit, delete, navigation) and a list page. A group used by an item keeps its number
// and cannot be deleted. No right is tested here (the main window's command tests T25).
#include "core/Session.h"
#include "masters/Items.h"
#include "ui/masters/MasterUi.h"
#include <QDialog>
#include <QList>

class QAction;
class QLineEdit;
class QTabWidget;
class QTableView;

namespace kv::ui {

class TMStockF : public QDialog {
    Q_OBJECT
public:
    explicit TMStockF(core::Session& session, QWidget* parent = nullptr);

    using Mode = masters_ui::CardMode;
    Mode mode() const { return mode_; }
    const masters::ItemGroup* currentGroup() const;

    void insertGroup();
    void editGroup();
    bool saveGroup();
    void cancelEdit();
    void deleteGroup();
    void first() { nav_.first(); }
    void prior() { nav_.prior(); }
    void next() { nav_.next(); }
    void last() { nav_.last(); }

    void reject() override;

    QLineEdit* DBEArtNo = nullptr;
    QLineEdit* DBEArtNm = nullptr;
    QAction *SBInsert = nullptr, *SBDelete = nullptr, *SBEdit = nullptr, *SBSave = nullptr, *SBCancel = nullptr,
            *SBFirst = nullptr, *SBPrior = nullptr, *SBNext = nullptr, *SBLast = nullptr;
    QTabWidget* pages = nullptr;
    QTableView* DBGList = nullptr;

private:
    void reload(const QString& positionOn = {});
    void showCurrent();
    void setMode(Mode m);

    core::Session& s_;
    masters::ItemGroupRepository repo_;
    QList<masters::ItemGroup> groups_;
    Mode mode_ = Mode::Browse;
    BrowseCursor nav_{[this] { return mode_ == Mode::Browse; }, [this] { showCurrent(); }};
    QString original_; // the number of the group being edited
    masters_ui::TextTableModel* listModel_ = nullptr;
};

} // namespace kv::ui
