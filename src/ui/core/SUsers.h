#pragma once
// Operators screen: the users of SUSERS, their passwords and their sixty right flags.
#include "core/Rights.h"
#include "core/Session.h"
#include "core/Users.h"
#include "ui/common/Browse.h"
#include <QDialog>
#include <vector>

class QAction;
class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QTabWidget;
class QTableWidget;

namespace kv::ui {

class TSUsersF : public QDialog {
    Q_OBJECT
public:
    explicit TSUsersF(core::Session& session, QWidget* parent = nullptr);

    enum class Mode { Browse, Adding, Editing };
    Mode mode() const { return mode_; }
    // The user shown, or null when the table is empty.
    const core::User* currentUser() const;

    // The commands of the tool bar (also reachable by their keys).
    void addUser();
    void editUser();
    void saveUser();
    void cancelEdit();
    void deleteUser();
    void first() { nav_.first(); }
    void prior() { nav_.prior(); }
    void next() { nav_.next(); }
    void last() { nav_.last(); }

    // The check box of a flag, or null for the flags that have none.
    QCheckBox* flagBox(core::Right r) const;

    void reject() override; // closing while editing cancels first

private:
    void buildPages();
    void reload(const QString& positionOn = {});
    void showCurrent();
    void setMode(Mode m);
    core::User collect() const;

    core::Session& s_;
    core::UserStore store_;
    std::vector<core::User> users_;
    Mode mode_ = Mode::Browse;
    BrowseCursor nav_{[this] { return mode_ == Mode::Browse; }, [this] { showCurrent(); }};

    QTabWidget* pages = nullptr;
    QLineEdit* DBEName = nullptr;
    QLineEdit* DBEPass = nullptr;
    QLineEdit* EdtConfirm = nullptr;
    QLabel* LblConfirm = nullptr;
    QTableWidget* DBGUsers = nullptr;
    std::vector<QGroupBox*> groups_;
    std::vector<std::pair<core::Right, QCheckBox*>> boxes_;
    QAction *SBAdd = nullptr, *SBDelete = nullptr, *SBEdit = nullptr, *SBSave = nullptr, *SBCancel = nullptr;
    QAction *SBFirst = nullptr, *SBPrior = nullptr, *SBNext = nullptr, *SBLast = nullptr;
};

} // namespace kv::ui
