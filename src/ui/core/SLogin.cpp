#include "ui/core/SLogin.h"

#include "core/Paths.h"
#include "core/TextFiles.h"
#include "ui/app/Logo.h"
#include "ui/common/EnterMovesNext.h"
#include "ui/common/Look.h"
#include "ui/common/MessageBox.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace kv::ui {

TSLoginF::TSLoginF(core::Session& session, QWidget* parent)
    : QDialog(parent)
    , s_(session)
{
    setObjectName(QStringLiteral("TSLoginF"));
    setWindowTitle(QStringLiteral("Login"));

    auto* top = new QVBoxLayout(this);
    top->setContentsMargins(0, 0, 0, 12);
    top->addWidget(new TBanner(QStringLiteral("Software"), this));

    auto* title = new QLabel(QStringLiteral("Kordavan Login"), this);
    title->setObjectName(QStringLiteral("LblTitle"));
    title->setAlignment(Qt::AlignCenter);
    title->setFont(titleFont(13));
    top->addWidget(title);

    auto* form = new QFormLayout;
    form->setContentsMargins(18, 6, 18, 6);
    DBLCUsers = new QComboBox(this);
    DBLCUsers->setObjectName(QStringLiteral("DBLCUsers"));
    DBLCUsers->setEditable(false);
    DBLCUsers->setMinimumWidth(200);
    EdtPW = new QLineEdit(this);
    EdtPW->setObjectName(QStringLiteral("EdtPW"));
    EdtPW->setEchoMode(QLineEdit::Password);
    EdtPW->setLayoutDirection(Qt::LeftToRight);
    form->addRow(QStringLiteral("اسم المستخدم"), DBLCUsers);
    form->addRow(QStringLiteral("الرقم السري"), EdtPW);
    top->addLayout(form);

    auto* buttons = new QHBoxLayout;
    buttons->setContentsMargins(18, 0, 18, 0);
    buttons->addStretch(1);
    BBOk = new QPushButton(QStringLiteral(" OK موافق"), this);
    BBOk->setObjectName(QStringLiteral("BBOk"));
    BBOk->setDefault(true);
    auto* BBCancel = new QPushButton(QStringLiteral("Cancel إلغاء الأمر"), this);
    BBCancel->setObjectName(QStringLiteral("BBCancel"));
    buttons->addWidget(BBOk);
    buttons->addWidget(BBCancel);
    top->addLayout(buttons);

    connect(BBOk, &QPushButton::clicked, this, &TSLoginF::okClicked);
    connect(BBCancel, &QPushButton::clicked, this, &TSLoginF::reject);
    EnterMovesNext::install(this);

    // The users, and the last user of the previous run.
    DBLCUsers->addItems(core::UserStore(s_).names());
    const core::LastUser last = core::readLastUser(core::lastUserFile());
    DBLCUsers->setCurrentIndex(last.user.isEmpty() ? -1 : DBLCUsers->findText(last.user, Qt::MatchExactly));
    s_.mRVPFrm = last.mRVPFrm.isEmpty() ? QStringLiteral("0") : last.mRVPFrm;
    s_.mPVPFrm = last.mPVPFrm.isEmpty() ? QStringLiteral("0") : last.mPVPFrm;

    if (DBLCUsers->currentIndex() >= 0)
        EdtPW->setFocus();
    else
        DBLCUsers->setFocus();
}

void TSLoginF::okClicked()
{
    std::optional<core::User> chosen;
    if (DBLCUsers->currentIndex() >= 0)
        chosen = core::UserStore(s_).find(DBLCUsers->currentText());
    const core::LoginCheck check = core::checkLogin(chosen, EdtPW->text());
    if (!check.ok) {
        if (!check.message.isEmpty())
            showError(this, check.message);
        if (check.clearPassword)
            EdtPW->clear();
        if (check.focusPassword)
            EdtPW->setFocus();
        else
            DBLCUsers->setFocus();
        return;
    }
    vClose_ = false;
    user_ = chosen;
    accept();
}

} // namespace kv::ui
