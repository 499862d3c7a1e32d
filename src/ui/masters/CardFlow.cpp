#include "ui/masters/CardFlow.h"

#include "db/Error.h"
#include "ui/common/MessageBox.h"
#include "ui/masters/MasterUi.h"

#include <QWidget>

namespace kv::ui::masters_ui {

bool saveCard(QWidget* parent, const core::Session& s, const std::function<masters::Check()>& save,
              const QString& existsText, QWidget* keyField,
              std::initializer_list<std::pair<QString, QWidget*>> focusByField)
{
    masters::Check c;
    try {
        c = save();
    } catch (const db::DbError& e) {
        if (e.isBusy())
            showDbError(parent, s, e);
        else
            showError(parent, existsText);
        keyField->setFocus();
        return false;
    }
    if (c.ok())
        return true;
    showCheck(parent, c);
    QWidget* focus = keyField;
    for (const auto& [field, widget] : focusByField)
        if (c.field == field)
            focus = widget;
    focus->setFocus();
    return false;
}

bool removeCard(QWidget* parent, const core::Session& s, const std::function<masters::Check()>& refusal,
                const QString& confirmText, const std::function<masters::Check()>& remove)
{
    try {
        const masters::Check refused = refusal();
        if (!refused.ok()) {
            showCheck(parent, refused);
            return false;
        }
        if (!askYesNo(parent, confirmText))
            return false;
        showCheck(parent, remove());
    } catch (const db::DbError& e) {
        showDbError(parent, s, e);
    }
    return true;
}

} // namespace kv::ui::masters_ui
