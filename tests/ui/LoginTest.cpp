// The login dialog over a real SUSERS table.
#include "UiTest.h"

#include "core/Paths.h"
#include "core/Rights.h"
#include "core/TextFiles.h"
#include "ui/core/SLogin.h"

#include <QComboBox>
#include <QLineEdit>
#include <QMessageBox>

using namespace kv;
using kv::test::ModalScript;

class LoginDialog : public kv::test::ScreenTest {};

TEST_F(LoginDialog, WrongPasswordIsRefusedAndEmptiedThenTheRightOneLogsIn)
{
    ui::TSLoginF login(*session);
    QString passwordAfterRefusal = QStringLiteral("not read");
    ModalScript script;
    script.then(kv::test::logInAs(core::adminName(), QStringLiteral("9999")))
        .then(ModalScript::ok()) // the refusal
        .then([&](QWidget* w) {
            passwordAfterRefusal = w->findChild<QLineEdit*>(QStringLiteral("EdtPW"))->text();
            kv::test::logInAs(core::adminName(), kv::test::ScreenTest::adminPassword())(w);
        });

    EXPECT_EQ(login.exec(), QDialog::Accepted);

    ASSERT_EQ(script.seen().size(), 3u);
    EXPECT_EQ(script.seen()[1].text, QStringLiteral("الرقم السري غير صحيح"));
    EXPECT_EQ(script.seen()[1].icon, int(QMessageBox::Critical));
    EXPECT_EQ(passwordAfterRefusal, QString());
    EXPECT_FALSE(login.vClose());
    ASSERT_TRUE(login.loggedInUser());
    EXPECT_EQ(login.loggedInUser()->USERNM, core::adminName());
}

TEST_F(LoginDialog, LastUserFileChoosesTheUserAndThePrintLayouts)
{
    struct Case {
        const char* lastUser;
        const char* rv;
        const char* pv;
        bool preselected;
        const char* expectRv;
        const char* expectPv;
    };
    const Case cases[] = {
        {"<المشرف>", "2", "1", true, "2", "1"},
        {"مستخدم محذوف", "", "", false, "0", "0"}, // a user deleted since: no selection
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.lastUser);
        core::LastUser last;
        last.user = QString::fromUtf8(c.lastUser);
        last.mRVPFrm = QString::fromUtf8(c.rv);
        last.mPVPFrm = QString::fromUtf8(c.pv);
        ASSERT_TRUE(core::writeLastUser(core::lastUserFile(), last));

        ui::TSLoginF login(*session);
        auto* users = login.findChild<QComboBox*>(QStringLiteral("DBLCUsers"));
        EXPECT_EQ(users->currentIndex() >= 0, c.preselected);
        if (c.preselected)
            EXPECT_EQ(users->currentText(), last.user);
        EXPECT_EQ(session->mRVPFrm, QString::fromLatin1(c.expectRv));
        EXPECT_EQ(session->mPVPFrm, QString::fromLatin1(c.expectPv));
    }
}
