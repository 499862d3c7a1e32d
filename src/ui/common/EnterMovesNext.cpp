#include "ui/common/EnterMovesNext.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QWidget>

namespace kv::ui {

namespace {

const char* const filteredProperty = "kvEnterMovesNext";

bool isEnter(const QKeyEvent* k)
{
    if (k->key() != Qt::Key_Return && k->key() != Qt::Key_Enter)
        return false;
    const auto mods = k->modifiers() & ~Qt::KeypadModifier;
    return mods == Qt::NoModifier;
}

bool canTakeFocus(const QWidget* w, const QWidget* window)
{
    return w->window() == window && w->isVisibleTo(window) && w->isEnabled()
        && (w->focusPolicy() & Qt::TabFocus) && !w->focusProxy();
}

// A line edit inside a combo box or spin box belongs to its owner, which gets the filter.
bool isInnerEditor(const QWidget* w)
{
    const QWidget* p = w->parentWidget();
    return qobject_cast<const QLineEdit*>(w) && p
        && (qobject_cast<const QComboBox*>(p) || qobject_cast<const QAbstractSpinBox*>(p));
}

} // namespace

EnterMovesNext* EnterMovesNext::install(QWidget* screen)
{
    auto* filter = screen->findChild<EnterMovesNext*>(QString(), Qt::FindDirectChildrenOnly);
    if (!filter)
        filter = new EnterMovesNext(screen);
    const auto widgets = screen->findChildren<QWidget*>();
    for (QWidget* w : widgets) {
        if (w->property(filteredProperty).toBool())
            continue;
        // Views (grids, pop-up lists) keep their own Enter.
        if (qobject_cast<QAbstractItemView*>(w) || isInnerEditor(w))
            continue;
        const bool editor = qobject_cast<QLineEdit*>(w) || qobject_cast<QComboBox*>(w)
            || qobject_cast<QAbstractSpinBox*>(w);
        auto* button = qobject_cast<QAbstractButton*>(w);
        if (auto* push = qobject_cast<QPushButton*>(w))
            push->setAutoDefault(false);
        if (editor || button) {
            w->installEventFilter(filter);
            w->setProperty(filteredProperty, true);
        }
    }
    return filter;
}

void EnterMovesNext::focusNext(QWidget* from)
{
    QWidget* window = from->window();
    QWidget* w = from;
    for (;;) {
        w = w->nextInFocusChain();
        if (!w || w == from)
            return;
        if (canTakeFocus(w, window)) {
            w->setFocus(Qt::TabFocusReason);
            return;
        }
    }
}

bool EnterMovesNext::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::KeyPress)
        return false;
    auto* key = static_cast<QKeyEvent*>(event);
    if (!isEnter(key))
        return false;
    auto* w = qobject_cast<QWidget*>(watched);
    if (!w)
        return false;
    if (auto* combo = qobject_cast<QComboBox*>(w)) {
        if (combo->view() && combo->view()->isVisible())
            return false; // the open list takes the Enter and closes
    }
    // A push or tool button is clicked; a check box or radio button passes the focus on.
    if (auto* button = qobject_cast<QAbstractButton*>(w); button && !button->isCheckable()) {
        if (button->isEnabled())
            button->click();
        return true;
    }
    focusNext(w);
    return true;
}

} // namespace kv::ui
