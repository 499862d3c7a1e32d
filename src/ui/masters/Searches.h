#pragma once
// The five search windows. Each is the searchable list over its own search query; each sets the
// session's mFound and, when true, gives the chosen key (chosenKey()):
//
//   TItmSrchF f(session, this);
//   f.exec();
//   if (session.mFound) positionOn(f.chosenKey());   // ITEMNO
//
// TItmSrchF: ITEMNO; TAcSrchF: ACCTNO; TTelRSrchF: the invoice number (INVSEL), with the
// invoice's customer data in chosenCustomer(); TSalSrchF: SALRID; TCCSrchF: CENTNO.
#include "masters/Accounts.h"
#include "masters/Items.h"
#include "masters/Search.h"
#include "ui/common/SearchList.h"
#include <optional>

class QComboBox;
class QLineEdit;
class QPushButton;

namespace kv::ui {

// "بحث في بنود الأصـناف"
class TItmSrchF : public SearchWindow {
    Q_OBJECT
public:
    explicit TItmSrchF(core::Session& session, QWidget* parent = nullptr);
    // The chosen item as read after the choice.
    const std::optional<masters::Item>& chosenItem() const { return item_; }

    QLineEdit* EdtLocation = nullptr; // "الموقع بالمستودع" of the current row

protected:
    bool accept(const QString& key) override;

private:
    std::optional<masters::Item> item_;
};

// "بحث عن رقم حساب بأي جزء من الاسـم": a number box, a name box and a main-account drop-down.
class TAcSrchF : public SearchWindow {
    Q_OBJECT
public:
    explicit TAcSrchF(core::Session& session, QWidget* parent = nullptr);
    const std::optional<masters::Account>& chosenAccount() const { return account_; }

    QLineEdit* EdtNumber = nullptr;
    QLineEdit* EdtName = nullptr;
    QComboBox* DBLCMact = nullptr;

protected:
    bool accept(const QString& key) override;

private:
    masters::AccountSearch* query_ = nullptr; // owned by the list
    std::optional<masters::Account> account_;
};

// " بحث برقم الهاتف": earlier sales invoices by customer name; "XLS" exports the list.
class TTelRSrchF : public SearchWindow {
    Q_OBJECT
public:
    explicit TTelRSrchF(core::Session& session, QWidget* parent = nullptr);
    const std::optional<masters::EarlierCustomer>& chosenCustomer() const { return customer_; }
    void exportList(); // the "XLS" button

    QPushButton* BBXls = nullptr;

protected:
    bool accept(const QString& key) override;

private:
    std::optional<masters::EarlierCustomer> customer_;
};

// "بحث في ملف مناديب المبيعات", with the count "عدد السجلات".
class TSalSrchF : public SearchWindow {
    Q_OBJECT
public:
    explicit TSalSrchF(core::Session& session, QWidget* parent = nullptr);

protected:
    bool accept(const QString& key) override;
};

// "بحث في مراكز التكلفة": a name filter and a group drop-down.
class TCCSrchF : public SearchWindow {
    Q_OBJECT
public:
    explicit TCCSrchF(core::Session& session, QWidget* parent = nullptr);
    // The chosen cost centre as read after the choice.
    const std::optional<masters::CostCentre>& chosenCentre() const { return centre_; }

    QComboBox* DBLCGroup = nullptr;

protected:
    bool accept(const QString& key) override;

private:
    masters::CostCentreSearch* query_ = nullptr; // owned by the list
    std::optional<masters::CostCentre> centre_;
};

} // namespace kv::ui
