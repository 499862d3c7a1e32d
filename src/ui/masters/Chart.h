#pragma once
// The main accounts screen "ملـف الحسابات الرئيسـيـة" (opened from the system settings): the
// card of a main account with its default item and category, and a list page. Renumbering a main
// account moves its sub-accounts along; a main account with journal lines keeps its number.
#include "core/Session.h"
#include "masters/Accounts.h"
#include "ui/masters/MasterUi.h"
#include <QDialog>
#include <QList>

class QAction;
class QButtonGroup;
class QComboBox;
class QLineEdit;
class QRadioButton;
class QTabWidget;
class QTableView;

namespace kv::ui {

class TChartF : public QDialog {
    Q_OBJECT
public:
    explicit TChartF(core::Session& session, QWidget* parent = nullptr);

    using Mode = masters_ui::CardMode;
    Mode mode() const { return mode_; }
    const masters::MainAccount* currentMain() const;

    void insertMain();
    void editMain();
    bool saveMain();
    void cancelEdit();
    void deleteMain();
    void first() { nav_.first(); }
    void prior() { nav_.prior(); }
    void next() { nav_.next(); }
    void last() { nav_.last(); }
    // The category selector and the item drop-down keep the default item consistent.
    void chooseCategory(masters::ItemCategory c);
    void chooseItem(int index);
    masters::ItemCategory category() const;

    void reject() override;

    QLineEdit* DBEMactNo = nullptr;
    QLineEdit* DBEMactNm = nullptr;
    QLineEdit* DBEAcctType = nullptr;
    QComboBox* DBLCItem = nullptr;
    QList<QRadioButton*> RGCategory; // ".", balance sheet, trading, profit and loss
    QAction *SBInsert = nullptr, *SBDelete = nullptr, *SBEdit = nullptr, *SBSave = nullptr, *SBCancel = nullptr,
            *SBFirst = nullptr, *SBPrior = nullptr, *SBNext = nullptr, *SBLast = nullptr;
    QTabWidget* pages = nullptr;
    QTableView* DBGList = nullptr;

private:
    void reload(const QString& positionOn = {});
    void showCurrent();
    void showMain(const masters::MainAccount& m);
    void setMode(Mode m);
    void setCategory(masters::ItemCategory c);
    void selectItem(const QString& acctType);

    core::Session& s_;
    masters::MainAccountRepository repo_;
    QList<masters::MainAccount> mains_;
    QList<masters::BalanceSheetItem> items_;
    Mode mode_ = Mode::Browse;
    BrowseCursor nav_{[this] { return mode_ == Mode::Browse; }, [this] { showCurrent(); }};
    QString original_;
    QButtonGroup* categories_ = nullptr;
    masters_ui::TextTableModel* listModel_ = nullptr;
};

} // namespace kv::ui
