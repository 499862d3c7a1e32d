#pragma once
// Users (operators) and their rights in SUSERS; the login and password rules.
#include "core/Rights.h"
#include "core/Session.h"
#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

namespace kv::core {

struct User {
    QString USERNM;
    QString USERID; // the password, stored as typed
    RightFlags rights;
};

class UserStore {
public:
    explicit UserStore(Session& s) : s_(s) {}
    std::vector<User> all() const;          // ordered by name
    QStringList names() const;
    std::optional<User> find(const QString& name) const;

    // Save a new or edited user. Returns an empty string on success, else the message to show.
    // Checks in order: empty name, reserved name for a new user, passwords differ.
    QString save(const User& user, const QString& confirmation, bool isNew);
    // Returns an empty string on success, else the message (reserved names, no entries).
    QString remove(const QString& name);
    // Change the logged-in user's password. Returns an empty string or the message; `field`
    // is set to 0 (current), 1 (new) or 2 (confirmation) for the focus.
    QString changePassword(const QString& current, const QString& fresh, const QString& confirm, int* field);

    static bool isReserved(const QString& name); // "<المشرف>" and "<Admin>": no delete, no flag edit

private:
    Session& s_;
};

// Login check: empty string when the user may log in, else the message. `focusPassword` tells
// the dialog where to put the focus; an empty password gives an empty message and focus on it.
struct LoginCheck { bool ok = false; QString message; bool focusPassword = false; bool clearPassword = false; };
LoginCheck checkLogin(const std::optional<User>& chosen, const QString& password);

// After a successful login: copy the user into the session (UNM, UID, vAdmin, rights, UILang 0,
// SalOnly 1, messages) and make sure the user has a REPINFO row.
void applyLogin(Session& s, const User& user);

} // namespace kv::core
