#pragma once
// Change-password dialog of an operator (a user other than the administrator).
#include "core/Session.h"
#include <QDialog>

class QLineEdit;

namespace kv::ui {

class TCPWordF : public QDialog {
    Q_OBJECT
public:
    explicit TCPWordF(core::Session& session, QWidget* parent = nullptr);

private:
    void okClicked();

    core::Session& s_;
    QLineEdit* EdtCurrent = nullptr;
    QLineEdit* EdtNew = nullptr;
    QLineEdit* EdtConfirm = nullptr;
};

} // namespace kv::ui
