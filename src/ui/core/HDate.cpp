#include "ui/core/HDate.h"

#include "core/Startup.h"
#include "ui/common/EnterMovesNext.h"
#include "ui/common/Format.h"
#include "ui/common/MessageBox.h"

#include <QDateEdit>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace kv::ui {

THDateF::THDateF(core::Session& session, const QDate& today, QWidget* parent)
    : QDialog(parent)
    , s_(session)
{
    setObjectName(QStringLiteral("THDateF"));
    setWindowTitle(QStringLiteral("تأكيد التاريخ"));

    auto* top = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    DBEGDate = new QDateEdit(this);
    DBEGDate->setObjectName(QStringLiteral("DBEGDate"));
    prepareDateEdit(DBEGDate);
    DBEGDate->setReadOnly(true);
    DBEGDate->setButtonSymbols(QAbstractSpinBox::NoButtons);
    // The Hijri date may be empty (never confirmed), which a date edit cannot show: a masked edit.
    DBEHDate = new QLineEdit(this);
    DBEHDate->setObjectName(QStringLiteral("DBEHDate"));
    DBEHDate->setLayoutDirection(Qt::LeftToRight);
    DBEHDate->setInputMask(QStringLiteral("00/00/0000;_"));
    form->addRow(QStringLiteral("التـاريخ الميلادي"), DBEGDate);
    form->addRow(QStringLiteral("التـاريخ الهـجري"), DBEHDate);
    top->addLayout(form);

    auto* buttons = new QHBoxLayout;
    auto* BBOk = new QPushButton(QStringLiteral("موافق"), this);
    BBOk->setObjectName(QStringLiteral("BBOk"));
    auto* BBCancel = new QPushButton(QStringLiteral("إلغاء الأمر"), this);
    BBCancel->setObjectName(QStringLiteral("BBCancel"));
    buttons->addWidget(BBOk);
    buttons->addWidget(BBCancel);
    top->addLayout(buttons);
    connect(BBOk, &QPushButton::clicked, this, &THDateF::okClicked);
    connect(BBCancel, &QPushButton::clicked, this, &THDateF::reject);
    EnterMovesNext::install(this);

    const core::HijriProposal proposal = core::beginHijriConfirmation(s_, today);
    gdate_ = proposal.gdate;
    DBEGDate->setDate(proposal.gdate);
    DBEHDate->setText(formatTypedDate(proposal.hdate));
    DBEHDate->setFocus();
    DBEHDate->setCursorPosition(0);
}

void THDateF::okClicked()
{
    const QDate hdate = parseTypedDate(DBEHDate->text());
    QString error;
    if (!core::confirmHijriDate(s_, gdate_, hdate, &error)) {
        showError(this, error.isEmpty() ? s_.msg.mNoDte : error);
        DBEHDate->setFocus();
        return;
    }
    accept();
}

} // namespace kv::ui
