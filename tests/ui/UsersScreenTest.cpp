// The operators screen: reserved names, flags written by the check boxes, the administrator row.
#include "UiTest.h"

#include "core/Users.h"
#include "ui/core/SUsers.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLineEdit>

using namespace kv;
using kv::test::ModalScript;

class OperatorsScreen : public kv::test::ScreenTest {};

TEST_F(OperatorsScreen, AddingRefusesReservedNamesAndSavesTheTickedFlags)
{
    ui::TSUsersF screen(*session);
    screen.show();
    auto* name = screen.findChild<QLineEdit*>(QStringLiteral("DBEName"));
    auto* pass = screen.findChild<QLineEdit*>(QStringLiteral("DBEPass"));
    auto* confirm = screen.findChild<QLineEdit*>(QStringLiteral("EdtConfirm"));

    screen.addUser();
    ASSERT_EQ(screen.mode(), ui::TSUsersF::Mode::Adding);
    EXPECT_TRUE(confirm->isVisible());
    name->setFocus();
    kv::test::typeText(name, QStringLiteral("المشرف"));
    kv::test::typeText(pass, QStringLiteral("12"));
    kv::test::typeText(confirm, QStringLiteral("12"));
    screen.flagBox(core::Right::R06)->setChecked(true);
    screen.flagBox(core::Right::T09)->setChecked(true);
    {
        ModalScript script;
        script.then(ModalScript::ok());
        screen.saveUser();
        ASSERT_EQ(script.seen().size(), 1u);
        EXPECT_EQ(script.seen()[0].text, QStringLiteral("اسم المستخدم موجود مسبقا"));
    }
    EXPECT_EQ(screen.mode(), ui::TSUsersF::Mode::Adding);
    EXPECT_FALSE(core::UserStore(*session).find(QStringLiteral("المشرف")));

    name->clear();
    kv::test::typeText(name, QStringLiteral("سالم"));
    screen.saveUser();
    EXPECT_EQ(screen.mode(), ui::TSUsersF::Mode::Browse);
    EXPECT_FALSE(confirm->isVisible());

    const auto saved = core::UserStore(*session).find(QStringLiteral("سالم"));
    ASSERT_TRUE(saved);
    EXPECT_EQ(saved->USERID, QStringLiteral("12"));
    EXPECT_EQ(saved->rights[core::Right::R06], QStringLiteral("T"));
    EXPECT_EQ(saved->rights[core::Right::T09], QStringLiteral("T"));
    EXPECT_NE(saved->rights[core::Right::T01], QStringLiteral("T"));
    ASSERT_TRUE(screen.currentUser());
    EXPECT_EQ(screen.currentUser()->USERNM, QStringLiteral("سالم"));
}

TEST_F(OperatorsScreen, TheAdministratorKeepsItsFlagsAndCannotBeDeleted)
{
    ui::TSUsersF screen(*session);
    screen.show();
    screen.first();
    while (screen.currentUser() && screen.currentUser()->USERNM != core::adminName())
        screen.next();
    ASSERT_TRUE(screen.currentUser());

    screen.editUser();
    ASSERT_EQ(screen.mode(), ui::TSUsersF::Mode::Editing);
    EXPECT_FALSE(screen.flagBox(core::Right::T01)->isEnabled());
    EXPECT_TRUE(screen.findChild<QLineEdit*>(QStringLiteral("DBEName"))->isReadOnly());
    EXPECT_EQ(screen.findChild<QLineEdit*>(QStringLiteral("EdtConfirm"))->text(), adminPassword());
    screen.cancelEdit();

    ModalScript script;
    script.then(ModalScript::ok());
    screen.deleteUser();
    ASSERT_EQ(script.seen().size(), 1u);
    EXPECT_EQ(script.seen()[0].text, QStringLiteral("لا يمكن إلغاء اسم المشرف"));
    EXPECT_TRUE(core::UserStore(*session).find(core::adminName()));
}
