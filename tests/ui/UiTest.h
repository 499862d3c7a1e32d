#pragma once
// Helpers for screen tests: the application object, and a script that answers modal windows
// (dialogs and message boxes) as they appear, recording what each one showed.
#include "core/Rights.h"
#include "core/Session.h"
#include "support/TestDb.h"
#include <QPointer>
#include <QString>
#include <QWidget>
#include <deque>
#include <functional>
#include <memory>
#include <vector>
#include <gtest/gtest.h>

class QApplication;
class QObject;

namespace kv::test {

// The one QApplication of the test process (offscreen, right-to-left, screen font).
QApplication& uiApp();

struct SeenModal {
    QString className;  // "QMessageBox", "kv::ui::TSLoginF", ...
    QString objectName; // "kvMessageBox", "TSLoginF", ...
    QString title;
    QString text;       // a message box's text
    int icon = 0;       // a message box's QMessageBox::Icon
};

// Answers the modal windows of the code under test, one handler per window, in order. A window
// counts again when it becomes the active modal window again (after a box it opened is gone).
// A window with no handler left is recorded and rejected.
class ModalScript {
public:
    using Handler = std::function<void(QWidget*)>;
    ModalScript();
    ~ModalScript();
    ModalScript(const ModalScript&) = delete;
    ModalScript& operator=(const ModalScript&) = delete;

    ModalScript& then(Handler handler);
    const std::vector<SeenModal>& seen() const { return seen_; }

    // Common handlers.
    static Handler press(const QString& buttonObjectName); // clicks a button found by object name
    static Handler ok();                                   // a message box's OK / Yes
    static Handler no();                                   // a message box's No

private:
    void poll();

    std::unique_ptr<QObject> context_;
    std::deque<Handler> handlers_;
    std::vector<SeenModal> seen_;
    QPointer<QWidget> current_;
};

// Types text into the focused-or-given widget as text key events (Arabic safe).
void typeText(QWidget* widget, const QString& text);

} // namespace kv::test

// ---- Screens over a real data folder -------------------------------------------------------

namespace kv::test {

// A fresh data folder per test process and a session on it as start-up leaves it; the
// last-user file goes to a folder of its own.
class ScreenTest : public ::testing::Test {
protected:
    static void SetUpTestSuite();
    void SetUp() override;

    static inline DataFolder folder;
    std::unique_ptr<core::Session> session;
    QString publicDir;

    static QString adminPassword() { return QStringLiteral("1234"); }
    // Adds an operator with the given granted flags ("T"); all others "F".
    void addOperator(const QString& name, const QString& password, std::initializer_list<core::Right> granted = {});
};

// Handler for the login dialog: picks the user, types the password, presses OK.
ModalScript::Handler logInAs(const QString& user, const QString& password);

} // namespace kv::test
