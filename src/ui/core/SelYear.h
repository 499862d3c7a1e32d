#pragma once
// Fiscal-year dialog: choose one of the years of YEARS and reopen the year database on it.
#include "core/Session.h"
#include <QDialog>

class QComboBox;

namespace kv::ui {

class TSelYearF : public QDialog {
    Q_OBJECT
public:
    // Lists the years, preselects the last one and sets LastYr to it.
    explicit TSelYearF(core::Session& session, QWidget* parent = nullptr);

private:
    void okClicked();

    core::Session& s_;
    QComboBox* DBLCYears = nullptr;
};

} // namespace kv::ui
