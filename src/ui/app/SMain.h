#pragma once
// The main window: firm, year and user, and the menus, tool bar and function keys from which
// every screen is opened; the login on first show and the close sequence.
#include "core/Session.h"
#include <QMainWindow>
#include <functional>
#include <vector>

class QAction;
class QLabel;
class QMenu;

namespace kv::ui {

struct CommandDef;
class ClickableLabel;

class TSMainF : public QMainWindow {
    Q_OBJECT
public:
    explicit TSMainF(core::Session& session, QWidget* parent = nullptr);

    core::Session& session() { return s_; }

    // The login sequence: menus disabled, login dialog, the user's values copied into the session,
    // menus enabled. Returns false when the login was cancelled, after ending the program.
    bool logIn();
    // Log off (F12): the login again; cancelling it ends the program.
    void logOff();
    // The fiscal-year dialog; cancelling it ends the program.
    void chooseYear();
    void showAbout();

    // Runs one command of the table: rights test, then its screen (or the not-available box).
    void runCommand(const CommandDef& command);

    // The menu entry with the given caption, or null.
    QAction* menuAction(const QString& caption) const;
    // Every menu entry and tool-bar button.
    const std::vector<QAction*>& commandActions() const { return actions_; }
    bool commandsEnabled() const { return commandsEnabled_; }

    // What ending the program does (default: leave the event loop). Tests replace it.
    void setEndProgram(std::function<void()> endProgram) { endProgram_ = std::move(endProgram); }

    // Whether the first show runs the login (default true).
    void setLoginOnShow(bool on) { loginOnShow_ = on; }

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

    // Step 1 of the close: the automatic backup of the open year. Not part of the program yet:
    // it does nothing and lets the close go on. Returns false to abandon the close.
    virtual bool startAutomaticBackup();

private:
    void buildMenus();
    void buildToolBar();
    void buildCentre();
    void setCommandsEnabled(bool on);
    void refreshYear();
    void endProgram();

    core::Session& s_;
    std::vector<QAction*> actions_;
    std::vector<QMenu*> menus_;
    QLabel* LblUser = nullptr;
    ClickableLabel* LblYearCaption = nullptr;
    ClickableLabel* LblYear = nullptr;
    std::function<void()> endProgram_;
    bool commandsEnabled_ = false;
    bool loginOnShow_ = true;
    bool shownOnce_ = false;
};

} // namespace kv::ui
