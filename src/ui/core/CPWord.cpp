#include "ui/core/CPWord.h"

#include "core/Users.h"
#include "db/Error.h"
#include "ui/common/EnterMovesNext.h"
#include "ui/common/MessageBox.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace kv::ui {

namespace {
QLineEdit* passwordEdit(QWidget* parent, const char* name)
{
    auto* e = new QLineEdit(parent);
    e->setObjectName(QString::fromLatin1(name));
    e->setEchoMode(QLineEdit::Password);
    e->setMaxLength(6); // SUSERS.USERID is six characters
    e->setLayoutDirection(Qt::LeftToRight);
    return e;
}
} // namespace

TCPWordF::TCPWordF(core::Session& session, QWidget* parent)
    : QDialog(parent)
    , s_(session)
{
    setObjectName(QStringLiteral("TCPWordF"));
    setWindowTitle(QStringLiteral("تغيير الرقم السري"));

    auto* top = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    EdtCurrent = passwordEdit(this, "EdtCurrent");
    EdtNew = passwordEdit(this, "EdtNew");
    EdtConfirm = passwordEdit(this, "EdtConfirm");
    form->addRow(QStringLiteral("أدخل الرقم الحـالي"), EdtCurrent);
    form->addRow(QStringLiteral("أدخل الرقم الجـديـد"), EdtNew);
    form->addRow(QStringLiteral("تأكيد الرقم الجـديد"), EdtConfirm);
    top->addLayout(form);

    auto* buttons = new QHBoxLayout;
    auto* BBOk = new QPushButton(QStringLiteral("موافق"), this);
    BBOk->setObjectName(QStringLiteral("BBOk"));
    auto* BBCancel = new QPushButton(QStringLiteral("إلغاء الأمر"), this);
    BBCancel->setObjectName(QStringLiteral("BBCancel"));
    buttons->addWidget(BBOk);
    buttons->addWidget(BBCancel);
    top->addLayout(buttons);
    connect(BBOk, &QPushButton::clicked, this, &TCPWordF::okClicked);
    connect(BBCancel, &QPushButton::clicked, this, &TCPWordF::reject);
    EnterMovesNext::install(this);
    EdtCurrent->setFocus();
}

void TCPWordF::okClicked()
{
    int field = 0;
    QString message;
    try {
        message = core::UserStore(s_).changePassword(EdtCurrent->text(), EdtNew->text(), EdtConfirm->text(), &field);
    } catch (const db::DbError& e) {
        showError(this, e.text());
        return;
    }
    if (!message.isEmpty()) {
        showError(this, message);
        QLineEdit* edits[] = {EdtCurrent, EdtNew, EdtConfirm};
        edits[qBound(0, field, 2)]->setFocus();
        return;
    }
    accept();
}

} // namespace kv::ui
