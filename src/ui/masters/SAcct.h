#pragma once
// The customer account screen "ملـف حسابات العملاء": the account card (numbering under a main
// account with a four-digit serial, edit, delete, search, navigation, the address window) and the
// list page (all accounts or those of one main account, suspension, print).
// Rights, silent: insert T19, delete T20, edit T24, the address window's edit T06; suspending an
// account is the administrator's.
#include "core/Session.h"
#include "masters/Accounts.h"
#include "masters/Salesmen.h"
#include "tools/ListReport.h"
#include "ui/common/AddressFields.h"
#include "ui/masters/MasterUi.h"
#include <QDialog>
#include <QHash>
#include <QList>
#include <memory>
#include <optional>

class QAction;
class QComboBox;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTabWidget;
class QTableView;

namespace kv::ui {

class TSAcctF : public QDialog {
    Q_OBJECT
public:
    explicit TSAcctF(core::Session& session, QWidget* parent = nullptr);

    using Mode = masters_ui::CardMode;
    Mode mode() const { return mode_; }
    const masters::Account* currentAccount() const;

    void insertAccount();
    void editAccount();
    bool saveAccount();
    void cancelEdit();
    void deleteAccount();
    void searchAccount();  // F7
    void openAddress();    // F9
    void about();
    void first() { nav_.first(); }
    void prior() { nav_.prior(); }
    void next() { nav_.next(); }
    void last() { nav_.last(); }
    bool positionOn(const QString& acctNo) { return nav_.seek(acctNo); }
    // Leaving the main account (or choosing it in the drop-down) and the account number.
    void mainAccountLeft();
    void accountNumberLeft();

    // The list page.
    void showListPage();
    void refreshList();
    void toggleSuspension(); // "تعطيل الحساب"
    QStringList listedAccounts() const;
    tools::ListReport listReport() const; // TAcctPF
    void printList();

    void reject() override;

    QLineEdit *DBEAcctType = nullptr, *DBEMactNo = nullptr, *DBEAcctNo = nullptr, *DBEName = nullptr,
              *DBETel = nullptr, *DBELocat = nullptr, *DBETaxCode = nullptr, *DBEAttn = nullptr,
              *DBESalrId = nullptr, *DBECrLimit1 = nullptr, *DBECrLimit2 = nullptr, *DBEPOBox = nullptr,
              *DBEPCode = nullptr, *DBENDate = nullptr;
    QComboBox *DBLCAcctType = nullptr, *DBLCMact = nullptr, *DBLCSalRep = nullptr;
    QRadioButton *RBActive = nullptr, *RBSuspended = nullptr, *RBSPriceYes = nullptr, *RBSPriceNo = nullptr;
    QAction *SBInsert = nullptr, *SBDelete = nullptr, *SBEdit = nullptr, *SBSave = nullptr, *SBCancel = nullptr,
            *SBAbout = nullptr, *SBSearch = nullptr, *SBAddress = nullptr, *SBFirst = nullptr, *SBPrior = nullptr,
            *SBNext = nullptr, *SBLast = nullptr;
    QTabWidget* pages = nullptr;
    QRadioButton *RBAll = nullptr, *RBByMain = nullptr;
    QComboBox* DBLCListMact = nullptr;
    QTableView* DBGList = nullptr;

private:
    void buildCard(QWidget* page);
    void buildList(QWidget* page);
    void loadLookups();
    void reload(const QString& positionOn = {});
    void showCurrent();
    void showAccount(const masters::Account& a);
    void setMode(Mode m);
    std::optional<masters::Account> collect();
    void focusColumn(const QString& column);
    void pageChanged(int index);
    int mainIndex(const QString& mactNo) const;

    core::Session& s_;
    masters::AccountRepository repo_;
    std::optional<masters::Account> shown_;  // the account on the card
    Mode mode_ = Mode::Browse;
    // Over the ACCTNO of every account, in order.
    BrowseCursor nav_{[this] { return mode_ == Mode::Browse; }, [this] { showCurrent(); }};
    std::optional<masters::Account> pending_;
    QString salesmanAtEdit_;
    QList<masters::MainAccount> mains_;
    QList<masters::BalanceSheetItem> items_;
    QList<masters::Salesman> reps_;
    QHash<QString, QWidget*> fieldOf_;
    QList<QWidget*> fields_;
    bool checking_ = false;
    int shownPage_ = 0;
    QList<masters::AccountListRow> listRows_;
    masters_ui::TextTableModel* listModel_ = nullptr;
};

// The national address of the account shown on the card: "Exit", "تعديل F3", "حفـظ F10", "Ctrl+Q".
class TAcct3F : public QDialog {
    Q_OBJECT
public:
    TAcct3F(core::Session& session, const QString& acctNo, QWidget* parent = nullptr);

    bool editing() const { return editing_; }
    void edit();
    bool save();
    void cancelEdit();

    std::unique_ptr<AddressFields> fields;
    QPushButton *BBExit = nullptr, *BBEdit = nullptr, *BBSave = nullptr, *BBCancel = nullptr;

    void reject() override;

private:
    void showAddress();
    void setEditing(bool on);

    core::Session& s_;
    QString acctNo_;
    std::optional<masters::Account> account_;
    bool editing_ = false;
};

} // namespace kv::ui
