// The database location dialog of the first run.
#include "UiTest.h"

#include "ui/app/IBDb.h"

#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

using kv::test::ModalScript;

TEST(LocationDialog, PathsStartingWithABackslashAreRefused)
{
    kv::test::uiApp();
    kv::ui::TIBDbF dialog(QDir::tempPath());
    dialog.show();
    auto* server = dialog.findChild<QLineEdit*>(QStringLiteral("EdtServer"));
    auto* ok = dialog.findChild<QPushButton*>(QStringLiteral("BBOk"));
    EXPECT_EQ(server->text(), kv::ui::TIBDbF::localHostName());

    server->clear();
    QTest::keyClicks(server, QStringLiteral("dbhost1"));
    EXPECT_EQ(server->text(), QStringLiteral("DBHOST1"));

    dialog.chooseFile(QStringLiteral("\\\\server\\Apps\\MAIN.FDB"));
    {
        ModalScript script;
        script.then(ModalScript::ok());
        ok->click();
        ASSERT_EQ(script.seen().size(), 1u);
        EXPECT_EQ(script.seen()[0].text, QStringLiteral("Invalid directory"));
    }
    EXPECT_TRUE(dialog.isVisible());

    dialog.chooseFile(QStringLiteral("/srv/data/MAIN.FDB"));
    ok->click();
    EXPECT_FALSE(dialog.isVisible());
    ASSERT_TRUE(dialog.databaseChosen());
    const auto v = dialog.values();
    EXPECT_EQ(v.mServer, QStringLiteral("DBHOST1"));
    EXPECT_EQ(v.mIBMain, QStringLiteral("/srv/data/MAIN.FDB"));
    EXPECT_EQ(v.mIBPath, QStringLiteral("/srv/data"));
    EXPECT_EQ(v.mAppDir, QDir::toNativeSeparators(QDir::cleanPath(QDir::tempPath())));
}
