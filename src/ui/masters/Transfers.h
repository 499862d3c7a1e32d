#pragma once
// The two transfers between salesmen:
// - TMovCustF "تحويل عملاء مندوب إلى مندوب آخر": every customer of one salesman moves to another
//   (only the accounts; documents keep their salesman);
// - TMovTrnF "تحويل معاملات مندوب من تاريخ محدد": after an account's salesman changed, its journal
//   lines, purchases, sales invoices and their lines from a date on are re-labelled.
#include "core/Session.h"
#include "masters/Salesmen.h"
#include <QDialog>
#include <QList>

class QComboBox;
class QLineEdit;
class QPushButton;
class QWidget;

namespace kv::ui {

class TMovCustF : public QDialog {
    Q_OBJECT
public:
    explicit TMovCustF(core::Session& session, QWidget* parent = nullptr);

    bool editing() const { return editing_; }
    void edit();         // F3
    bool save();         // F10; false when refused or not confirmed
    void cancelEdit();   // Ctrl+Q

    QLineEdit* EdtFrom = nullptr;
    QLineEdit* EdtTo = nullptr;
    QComboBox* DBLCFrom = nullptr;
    QComboBox* DBLCTo = nullptr;
    QPushButton *BBEdit = nullptr, *BBSave = nullptr, *BBCancel = nullptr, *BBExit = nullptr;

private:
    void setEditing(bool on);
    void numberLeft(QLineEdit* box, QComboBox* list);
    int indexOf(const QString& salrId) const;

    core::Session& s_;
    QList<masters::Salesman> reps_;
    QWidget* fields_ = nullptr;
    bool editing_ = false;
    bool checking_ = false;
};

class TMovTrnF : public QDialog {
    Q_OBJECT
public:
    TMovTrnF(core::Session& session, const QString& acctNo, const QString& salrId, const QString& salesmanName,
             QWidget* parent = nullptr);

    // "&مـوافـق": the transfer from the typed date (dd/mm/yyyy); false when the date is refused.
    bool transfer();

    QLineEdit* EdtDate = nullptr;
    QPushButton* BBOk = nullptr;
    QPushButton* BBCancel = nullptr;

private:
    core::Session& s_;
    QString acctNo_, salrId_;
};

} // namespace kv::ui
