// The record navigation shared by the browse cards: the four commands move over the keys only
// while the card browses and are enabled only where they can move; a reload keeps the shown key,
// else the same place.
#include "UiTest.h"
#include "ui/common/Browse.h"

#include <QAction>
#include <QToolBar>

using kv::ui::BrowseCursor;

TEST(BrowseCursor, TheCommandsMoveOnlyWhereTheyCanAndOnlyWhileBrowsing)
{
    kv::test::uiApp();
    bool browsing = true;
    int shown = 0;
    BrowseCursor nav([&] { return browsing; },
                     [&] {
                         ++shown;
                         nav.updateCommands();
                     });
    QToolBar bar;
    const auto [first, prior, next, last] = nav.addCommands(&bar, Qt::Key_F6, Qt::Key_F5);
    EXPECT_EQ(prior->text(), QStringLiteral("السابق F6"));
    EXPECT_EQ(next->shortcut(), QKeySequence(Qt::Key_F5));
    nav.setKeys({QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")});
    nav.updateCommands();

    const struct {
        QAction* command;
        int position;
        int shown;
    } steps[] = {
        {prior, 0, 0}, // disabled on the first row
        {next, 1, 1},  {last, 2, 2}, {next, 2, 2}, {prior, 1, 3}, {first, 0, 4},
    };
    for (const auto& s : steps) {
        SCOPED_TRACE(s.command->objectName().toStdString());
        s.command->trigger();
        EXPECT_EQ(nav.position(), s.position);
        EXPECT_EQ(shown, s.shown);
        EXPECT_EQ(first->isEnabled(), s.position > 0);
        EXPECT_EQ(prior->isEnabled(), s.position > 0);
        EXPECT_EQ(next->isEnabled(), s.position < 2);
        EXPECT_EQ(last->isEnabled(), s.position < 2);
    }

    browsing = false; // a row is being entered
    EXPECT_FALSE(nav.last());
    nav.updateCommands();
    for (QAction* a : {first, prior, next, last})
        EXPECT_FALSE(a->isEnabled()) << a->objectName().toStdString();
    EXPECT_EQ(nav.position(), 0);
}

TEST(BrowseCursor, AReloadKeepsTheShownKeyElseTheSamePlace)
{
    BrowseCursor nav([] { return true; }, [] {});
    const struct {
        QStringList keys;
        const char* keep;
        int position;
    } reloads[] = {
        {{"a", "b", "c"}, "", 0},  // the first load starts on the first row
        {{"a", "b", "c"}, "c", 2},
        {{"x", "a", "b", "c"}, "c", 3}, // a row added before the shown one
        {{"a", "b"}, "c", 1},           // the shown row deleted: the last one now
        {{}, "", -1},
        {{"a"}, "", 0},
    };
    for (const auto& r : reloads) {
        nav.setKeys(r.keys, QString::fromLatin1(r.keep));
        EXPECT_EQ(nav.position(), r.position) << r.keys.join(u',').toStdString() << " keep " << r.keep;
    }
    EXPECT_TRUE(nav.seek(QStringLiteral("a")));
    EXPECT_FALSE(nav.seek(QStringLiteral("z")));
    EXPECT_EQ(nav.key(), QStringLiteral("a"));
}
