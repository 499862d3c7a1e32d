#pragma once
// Hijri date confirmation at start-up: today's Hijri date, proposed from the last confirmed one.
#include "core/Session.h"
#include <QDate>
#include <QDialog>

class QDateEdit;
class QLineEdit;

namespace kv::ui {

class THDateF : public QDialog {
    Q_OBJECT
public:
    // `today` is the machine's date (a parameter so that a test can fix it).
    THDateF(core::Session& session, const QDate& today, QWidget* parent = nullptr);

private:
    void okClicked();

    core::Session& s_;
    QDate gdate_;
    QDateEdit* DBEGDate = nullptr;
    QLineEdit* DBEHDate = nullptr;
};

} // namespace kv::ui
