#pragma once
// Login dialog: the user is chosen from SUSERS and the password compared.
#include "core/Session.h"
#include "core/Users.h"
#include <QDialog>
#include <optional>

class QComboBox;
class QLineEdit;
class QPushButton;

namespace kv::ui {

class TSLoginF : public QDialog {
    Q_OBJECT
public:
    // Lists the users, preselects the last user of the last-user file and sets mRVPFrm and
    // mPVPFrm from it.
    explicit TSLoginF(core::Session& session, QWidget* parent = nullptr);

    // The user who logged in; set only when the dialog was accepted.
    const std::optional<core::User>& loggedInUser() const { return user_; }
    // True until a successful OK (the dialog's cancel flag).
    bool vClose() const { return vClose_; }

private:
    void okClicked();

    core::Session& s_;
    QComboBox* DBLCUsers = nullptr;
    QLineEdit* EdtPW = nullptr;
    QPushButton* BBOk = nullptr;
    std::optional<core::User> user_;
    bool vClose_ = true;
};

} // namespace kv::ui
