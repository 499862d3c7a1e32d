#pragma once
// The main window's commands: one table of every menu entry with its key, tool-bar button,
// right and screen. A screen that joins the program is plugged in by giving its row an opener
// (usually openScreen<TTheScreenF>); a row without one shows the "not available yet" box.
#include "core/Rights.h"
#include <QString>
#include <optional>
#include <span>

namespace kv::ui {

class TSMainF;

enum class MenuId { Transactions, Accounts, Reports, Files, Settings };

// What happens when the rights test fails.
enum class Guard {
    None,      // no test
    Silent,    // nothing happens
    Message,   // error "لا توجد لديك صلاحيات كافية لهذا الاجراء."
    AdminOnly, // only the administrator; others get the information msg.mAdmnP
};

using Opener = void (*)(TSMainF& mainWindow);

struct CommandDef {
    MenuId menu;
    const char* subMenu;  // caption of the sub-menu holding the command, "" when none
    const char* caption;  // menu caption
    const char* screen;   // the screen class (or command) it opens
    const char* key;      // function key, "" when none
    const char* toolbar;  // tool-bar caption, "" when none
    int toolbarPos;       // place on the tool bar, 1 = first (right-most); 0 when none
    std::optional<core::Right> right;
    Guard guard;
    Opener open;          // nullptr: the screen is not part of the program yet
};

std::span<const CommandDef> commandTable();
QString menuCaption(MenuId menu);

// The usual opener: the screen over the session, owned by the main window, shown modally and
// released when it closes.
template <class Screen>
void openScreen(TSMainF& mainWindow);

} // namespace kv::ui

#include "ui/app/SMain.h"

template <class Screen>
void kv::ui::openScreen(TSMainF& mainWindow)
{
    Screen screen(mainWindow.session(), &mainWindow);
    screen.exec();
}
