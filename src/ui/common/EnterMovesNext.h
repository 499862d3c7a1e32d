#pragma once
// Enter moves to the next field, on every entry screen.
#include <QObject>

class QWidget;

namespace kv::ui {

// Event filter: Enter (or keypad Enter) in an editor moves the focus to the next control in the
// tab order (from a check box too); Enter on a focused push button clicks that button. An open drop-down keeps its Enter
// (the filter never sits on the pop-up), and an editable combo box keeps every other key.
class EnterMovesNext : public QObject {
    Q_OBJECT
public:
    explicit EnterMovesNext(QObject* parent = nullptr) : QObject(parent) {}

    // Installs the filter on every editor and button inside `screen` (created once per screen,
    // owned by it) and turns off the buttons' auto-default. Call after the controls are built;
    // call again for controls added later (a widget is never filtered twice).
    static EnterMovesNext* install(QWidget* screen);

    // Moves the focus from `from` to the next focusable control of its window.
    static void focusNext(QWidget* from);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

} // namespace kv::ui
