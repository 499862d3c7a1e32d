#pragma once
// The save and delete steps every master card runs the same way around its own repository call.
//
//   if (!masters_ui::saveCard(this, s_, [&] { return repo_.save(g, original_); }, mt::groupExists(),
//                             DBEArtNo, {{QStringLiteral("ARTNM"), DBEArtNm}}))
//       return false;
//   if (masters_ui::removeCard(this, s_, [&] { return repo_.canRemove(key); }, mt::confirmDeleteRecord(),
//                              [&] { return repo_.remove(key); }))
//       reload();
#include "masters/Common.h"
#include <QString>
#include <functional>
#include <initializer_list>
#include <utility>

class QWidget;

namespace kv::core { struct Session; }

namespace kv::ui::masters_ui {

// Runs `save`. A busy row shows the database's in-use message and any other database failure
// `existsText` (the duplicate key); both put the focus on `keyField`. A refused row shows its
// Check and focuses the field the Check names (from `focusByField`), else `keyField`. True when
// the row was written.
bool saveCard(QWidget* parent, const core::Session& s, const std::function<masters::Check()>& save,
              const QString& existsText, QWidget* keyField,
              std::initializer_list<std::pair<QString, QWidget*>> focusByField = {});

// Deletes the shown row: `refusal` (a Check that is not ok stops here, shown), the confirmation
// `confirmText`, then `remove` (its refusal shown). A database failure is shown. False when the
// row was refused or the user said no: the card has not changed and needs no reload.
bool removeCard(QWidget* parent, const core::Session& s, const std::function<masters::Check()>& refusal,
                const QString& confirmText, const std::function<masters::Check()>& remove);

} // namespace kv::ui::masters_ui
