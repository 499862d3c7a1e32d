// The main window's commands: login gate, rights, function keys, close.
#include "UiTest.h"

#include "core/Messages.h"
#include "core/Paths.h"
#include "core/TextFiles.h"
#include "ui/app/SMain.h"

#include <QAction>
#include <QApplication>
#include <QMessageBox>
#include <QTest>

using namespace kv;
using kv::test::ModalScript;

namespace {

const QString opName = QStringLiteral("سالم");
const QString opPass = QStringLiteral("77");

class MainWindow : public kv::test::ScreenTest {
protected:
    void SetUp() override
    {
        ScreenTest::SetUp();
        if (HasFatalFailure())
            return;
        window = std::make_unique<ui::TSMainF>(*session);
        window->setLoginOnShow(false);
        window->setEndProgram([this] { ++programEnds; });
    }

    void logIn(const QString& user, const QString& password)
    {
        ModalScript script;
        script.then(kv::test::logInAs(user, password));
        ASSERT_TRUE(window->logIn());
    }

    // Runs a command and returns the modal windows it showed (each answered by closing it).
    std::vector<kv::test::SeenModal> run(const std::function<void()>& command)
    {
        ModalScript script;
        command();
        return script.seen();
    }

    std::unique_ptr<ui::TSMainF> window;
    int programEnds = 0;
};

bool allCommandsDisabled(const ui::TSMainF& w)
{
    for (QAction* a : w.commandActions())
        if (a->isEnabled())
            return false;
    return !w.commandActions().empty();
}

} // namespace

TEST_F(MainWindow, CommandsStayDisabledUntilALoginSucceeds)
{
    window->setLoginOnShow(true);
    bool disabledWhileLoggingIn = false;
    ModalScript script;
    script.then([&](QWidget* login) {
        disabledWhileLoggingIn = allCommandsDisabled(*window);
        kv::test::logInAs(core::adminName(), adminPassword())(login);
    });

    EXPECT_TRUE(allCommandsDisabled(*window));
    window->show(); // the first show runs the login
    EXPECT_TRUE(QTest::qWaitFor([&] { return window->commandsEnabled(); }));

    EXPECT_TRUE(disabledWhileLoggingIn);
    for (QAction* a : window->commandActions())
        EXPECT_TRUE(a->isEnabled()) << a->text().toStdString();
    EXPECT_EQ(session->UNM, core::adminName());
    EXPECT_EQ(session->vAdmin, QStringLiteral("SV"));
}

TEST_F(MainWindow, RightsDecideWhatACommandShows)
{
    addOperator(opName, opPass);
    addOperator(QStringLiteral("مخزن"), opPass, {core::Right::R06});
    enum class Expect { Nothing, NotAvailable, NoRights, AdminOnly };
    struct Case {
        QString user;
        QString password;
        const char* caption;
        Expect expect;
    };
    const QString admin = core::adminName();
    const Case cases[] = {
        // R06, silent.
        {opName, opPass, "اصـــنـاف أكـثـر حـــركـــة", Expect::Nothing},
        {QStringLiteral("مخزن"), opPass, "اصـــنـاف أكـثـر حـــركـــة", Expect::NotAvailable},
        {admin, adminPassword(), "اصـــنـاف أكـثـر حـــركـــة", Expect::NotAvailable},
        // T09, with the message.
        {opName, opPass, "الأرصــــدة الافتـتــاحـيــة", Expect::NoRights},
        {admin, adminPassword(), "الأرصــــدة الافتـتــاحـيــة", Expect::NotAvailable},
        // Administrator only.
        {opName, opPass, "المقارنة بالجرد الفعلي", Expect::AdminOnly},
        // No right needed.
        {opName, opPass, "ســـنـدات الإرجـــاع", Expect::NotAvailable},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.user.toStdString() + " / " + c.caption);
        logIn(c.user, c.password);
        QAction* action = window->menuAction(QString::fromUtf8(c.caption));
        ASSERT_TRUE(action);
        const auto seen = run([&] { action->trigger(); });
        switch (c.expect) {
        case Expect::Nothing:
            EXPECT_TRUE(seen.empty());
            break;
        case Expect::NotAvailable:
            ASSERT_EQ(seen.size(), 1u);
            EXPECT_EQ(seen[0].text, QString::fromUtf8(core::text::notAvailableYet()));
            EXPECT_EQ(seen[0].title, QString::fromUtf8(c.caption).simplified());
            break;
        case Expect::NoRights:
            ASSERT_EQ(seen.size(), 1u);
            EXPECT_EQ(seen[0].text, QStringLiteral("لا توجد لديك صلاحيات كافية لهذا الاجراء."));
            EXPECT_EQ(seen[0].icon, int(QMessageBox::Critical));
            break;
        case Expect::AdminOnly:
            ASSERT_EQ(seen.size(), 1u);
            EXPECT_EQ(seen[0].text, QStringLiteral("هذا الخيار من صلاحيات المشرف"));
            EXPECT_EQ(seen[0].icon, int(QMessageBox::Information));
            break;
        }
    }
}

TEST_F(MainWindow, FunctionKeysOpenTheCommandsOfTheirMenuEntries)
{
    logIn(core::adminName(), adminPassword());
    window->show();
    QApplication::setActiveWindow(window.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));

    const struct {
        Qt::Key key;
        const char* caption;
    } keys[] = {
        {Qt::Key_F2, "فـواتـيـر  المبـيـعات"},   {Qt::Key_F3, "ســـنـدات الإرجـــاع"},
        {Qt::Key_F4, "ســنـدات التـوريـــد"},     {Qt::Key_F5, "ســنـدات الإصـــدار"},
        {Qt::Key_F6, "إذن تسـليم بضـاعة"},       {Qt::Key_F7, "عــروض الأســـعـار"},
        {Qt::Key_F8, "أوامــــر الـشـــــراء"},    {Qt::Key_F9, "ســنـدات الـقـبـــض"},
        {Qt::Key_F10, "ســنـدات الـصـــرف"},      {Qt::Key_F11, "إشعارات الـقـيــــود"},
        {Qt::Key_F12, "تـسـجـيـل خــــروج"},
    };
    const auto answer = [](QWidget* w) {
        // Log off shows the login: log in again so that the window stays usable.
        if (w->objectName() == QLatin1String("TSLoginF"))
            kv::test::logInAs(core::adminName(), adminPassword())(w);
        else if (qobject_cast<QMessageBox*>(w))
            ModalScript::ok()(w);
        else if (auto* screen = qobject_cast<QDialog*>(w))
            screen->reject(); // a screen that exists: close it again
        else
            ModalScript::ok()(w);
    };
    for (const auto& k : keys) {
        SCOPED_TRACE(k.caption);
        QAction* item = window->menuAction(QString::fromUtf8(k.caption));
        ASSERT_TRUE(item);

        std::vector<kv::test::SeenModal> byKey, byMenu;
        {
            // A closed box hands the activation back to the window on a real desktop; the
            // offscreen platform needs to be told.
            QApplication::setActiveWindow(window.get());
            ModalScript script;
            script.then(answer);
            QTest::keyClick(window.get(), k.key);
            byKey = script.seen();
        }
        {
            ModalScript script;
            script.then(answer);
            item->trigger();
            byMenu = script.seen();
        }
        ASSERT_EQ(byKey.size(), 1u);
        ASSERT_EQ(byMenu.size(), 1u);
        EXPECT_EQ(byKey[0].objectName, byMenu[0].objectName);
        EXPECT_EQ(byKey[0].title, byMenu[0].title);
        EXPECT_EQ(byKey[0].text, byMenu[0].text);
    }
    EXPECT_EQ(programEnds, 0);
}

TEST_F(MainWindow, LogOffCancelledEndsTheProgram)
{
    logIn(core::adminName(), adminPassword());
    const auto seen = run([&] { window->menuAction(QStringLiteral("تـسـجـيـل خــــروج"))->trigger(); });
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].objectName, QStringLiteral("TSLoginF"));
    EXPECT_EQ(programEnds, 1);
}

TEST_F(MainWindow, ClosingWritesTheLastUserFile)
{
    logIn(core::adminName(), adminPassword());
    session->mRVPFrm = QStringLiteral("2");
    window->show();
    window->close();
    const core::LastUser last = core::readLastUser(core::lastUserFile());
    EXPECT_EQ(last.user, core::adminName());
    EXPECT_EQ(last.mRVPFrm, QStringLiteral("2"));
    EXPECT_EQ(last.mPVPFrm, QStringLiteral("0"));
}
