#include "core/Users.h"
#include "db/Connection.h"

namespace kv::core {

using db::DbError;
using db::Query;
using db::Transaction;

namespace {

User readUser(const Query& q) {
    User u;
    u.USERNM = q.text(QStringLiteral("USERNM"));
    u.USERID = q.text(QStringLiteral("USERID"));
    for (int i = 0; i < RightCount; ++i) u.rights.flag[size_t(i)] = q.text(rightColumn(rightAt(i)));
    return u;
}

QString busyOr(const Session& s, const DbError& e) {
    if (e.isBusy()) return s.msg.mInUse.isEmpty() ? QStringLiteral("الملف مشغول الآن. حاول مرة أخرى") : s.msg.mInUse;
    if (e.hasCode(db::gds::unique_key) || e.hasCode(db::gds::no_dup)) return QStringLiteral("اسم المستخدم موجود مسبقا");
    return e.text();
}

} // namespace

bool UserStore::isReserved(const QString& name) { return name == adminName() || name == adminNameEn(); }

std::vector<User> UserStore::all() const {
    std::vector<User> out;
    Transaction tr(*s_.FirmDB);
    Query q(tr, QStringLiteral("select * from SUSERS order by USERNM"));
    q.execute();
    while (q.next()) out.push_back(readUser(q));
    return out;
}

QStringList UserStore::names() const {
    QStringList out;
    for (const User& u : all()) out << u.USERNM;
    return out;
}

std::optional<User> UserStore::find(const QString& name) const {
    Transaction tr(*s_.FirmDB);
    Query q(tr, QStringLiteral("select * from SUSERS where USERNM = :N"));
    q.bind("N", name).execute();
    if (!q.next()) return std::nullopt;
    return readUser(q);
}

QString UserStore::save(const User& user, const QString& confirmation, bool isNew) {
    if (user.USERNM.trimmed().isEmpty()) return QStringLiteral("أدخل اسم المستخدم");
    if (isNew && (user.USERNM == QStringLiteral("المشرف") || user.USERNM == QStringLiteral("Admin") ||
                  isReserved(user.USERNM)))
        return QStringLiteral("اسم المستخدم موجود مسبقا");
    if (user.USERID != confirmation) return QStringLiteral("كلمتي السر غير متوافقتين");
    try {
        Transaction tr(*s_.FirmDB);
        if (!isNew && isReserved(user.USERNM)) {
            // The reserved users keep their flags; only the password changes.
            tr.execute(QStringLiteral("update SUSERS set USERID = :P where USERNM = :N"),
                       {{"P", user.USERID}, {"N", user.USERNM}});
        } else {
            QString cols = QStringLiteral("USERNM, USERID"), vals = QStringLiteral(":USERNM, :USERID");
            for (int i = 0; i < RightCount; ++i) {
                const QString c = rightColumn(rightAt(i));
                cols += QStringLiteral(", ") + c;
                vals += QStringLiteral(", :") + c;
            }
            const QString sql = isNew ? QStringLiteral("insert into SUSERS (%1) values (%2)").arg(cols, vals)
                                      : QStringLiteral("update or insert into SUSERS (%1) values (%2) matching (USERNM)").arg(cols, vals);
            Query q(tr, sql);
            q.bind("USERNM", user.USERNM).bind("USERID", user.USERID);
            for (int i = 0; i < RightCount; ++i) {
                const QString f = user.rights.flag[size_t(i)] == QLatin1String("T") ? QStringLiteral("T") : QStringLiteral("F");
                q.bind(rightColumn(rightAt(i)), f);
            }
            q.execute();
        }
        tr.commit();
    } catch (const DbError& e) {
        return busyOr(s_, e);
    }
    return {};
}

QString UserStore::remove(const QString& name) {
    if (isReserved(name)) return QStringLiteral("لا يمكن إلغاء اسم المشرف");
    try {
        Transaction tr(*s_.FirmDB);
        if (tr.execute(QStringLiteral("delete from SUSERS where USERNM = :N"), {{"N", name}}) == 0) {
            return s_.msg.mNoEnt.isEmpty() ? QStringLiteral("لا توجد معاملات") : s_.msg.mNoEnt;
        }
        tr.commit();
    } catch (const DbError& e) {
        return busyOr(s_, e);
    }
    return {};
}

QString UserStore::changePassword(const QString& current, const QString& fresh, const QString& confirm, int* field) {
    auto fail = [&](int f, const char* text) {
        if (field) *field = f;
        return QString::fromUtf8(text);
    };
    const auto me = find(s_.UNM);
    if (!me || me->USERID != current) return fail(0, "الرقم السري غير صحيح");
    if (fresh.trimmed().isEmpty()) return fail(1, "فضلا أدخل الرقم السري");
    if (fresh.trimmed() != confirm.trimmed()) return fail(2, "كلمتي السر غير متوافقتين");
    try {
        Transaction tr(*s_.FirmDB);
        tr.execute(QStringLiteral("update SUSERS set USERID = :P where USERNM = :N"), {{"P", fresh}, {"N", s_.UNM}});
        tr.commit();
    } catch (const DbError& e) {
        if (field) *field = 1;
        return busyOr(s_, e);
    }
    s_.UID = fresh;
    return {};
}

LoginCheck checkLogin(const std::optional<User>& chosen, const QString& password) {
    LoginCheck r;
    if (!chosen) {
        r.message = QStringLiteral("تسجيل الدخول غير صحيح");
        return r;
    }
    if (password.isEmpty()) {
        r.focusPassword = true;
        return r;
    }
    if (password != chosen->USERID) {
        r.message = QStringLiteral("الرقم السري غير صحيح");
        r.focusPassword = r.clearPassword = true;
        return r;
    }
    r.ok = true;
    return r;
}

void applyLogin(Session& s, const User& user) {
    s.vAdmin = adminClassFor(user.USERNM);
    s.UID = user.USERID;
    s.UNM = user.USERNM;
    s.rights = user.rights;
    s.SalOnly = 1;
    s.UILang = 0;
    s.msg.load(s.UILang);
    // Every user has a row of print settings; only the name is written, margins stay as they are.
    Transaction tr(*s.FirmDB);
    Query q(tr, QStringLiteral("select 1 from REPINFO where USERNM = :N"));
    q.bind("N", user.USERNM).execute();
    if (!q.next()) {
        try {
            tr.execute(QStringLiteral("insert into REPINFO (USERNM) values (:N)"), {{"N", user.USERNM}});
            tr.commit();
        } catch (const DbError& e) {
            // Another workstation logged the same user in at this moment: its row serves.
            if (!e.hasCode(db::gds::unique_key) && !e.isBusy()) throw;
        }
    }
}

} // namespace kv::core
