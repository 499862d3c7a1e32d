#pragma once
// The small windows of the sales invoice screen: the item's sales history for the customer (F8)
// and the buyer's address window TClntInfoF (F11).
#include "documents/SalesCommands.h"
#include "masters/Accounts.h"
#include "ui/common/AddressFields.h"
#include <QDialog>
#include <QList>
#include <memory>

class QCheckBox;
class QLineEdit;
class QPushButton;
class QTableWidget;

namespace kv::ui {

// "مبيعات صـنف   -   ": the invoice lines of one item for one account, by date, with their value.
class TItemHistF : public QDialog {
    Q_OBJECT
public:
    TItemHistF(const QString& itemDescr, const QList<documents::SaleHistoryRow>& rows, QWidget* parent = nullptr);
    QTableWidget* Grid = nullptr;
};

// "Client Info": the invoice's 13 address and identity fields, read-only until "Edit", and the
// "Update Address" box that takes them from the customer's account instead.
class TClntInfoF : public QDialog {
    Q_OBJECT
public:
    TClntInfoF(const masters::AccountAddress& address, QWidget* parent = nullptr);

    // After Ok: the fields as typed.
    masters::AccountAddress address() const;
    bool updateFromAccount() const;

    std::unique_ptr<AddressFields> fields;
    QCheckBox* CBUpdate = nullptr;
    QPushButton* BBEdit = nullptr;
    QPushButton* BBOk = nullptr;
    QPushButton* BBCancel = nullptr;

private:
    void setEditing(bool on);
};

} // namespace kv::ui
