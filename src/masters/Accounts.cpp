#include "masters/Accounts.h"
#include "masters/Internal.h"

namespace kv::masters {

using detail::fixedAt;
using detail::inTransaction;

namespace {

const char* const kAccountColumns =
    "ACCTNO, ACCTNAME, ACCTNAM2, ACCTTYPE, TEL, TEL2, FAX, MACTNO, DR, CR, ATTN, LOCAT, LOCAT2, LOCATNO, "
    "POBOX, CRLIMIT1, CRLIMIT2, SALRID, SPRICE, ISACTIVE, ISSMS, NDATE, MCLNT, BUILDNO, STREETNM, "
    "STREETNME, DISTRICT, DISTRICTE, CITY, CITYE, COUNTRY, COUNTRYE, PCODE, ADDRN2, TAXCODE, OTHERID";

QString t(const db::Query& q, const char* c) { return q.text(QLatin1String(c)); }

Account readAccount(const db::Query& q)
{
    Account a;
    a.ACCTNO = t(q, "ACCTNO").trimmed();
    a.ACCTNAME = t(q, "ACCTNAME");
    a.ACCTNAM2 = t(q, "ACCTNAM2");
    a.ACCTTYPE = t(q, "ACCTTYPE").trimmed();
    a.TEL = t(q, "TEL");
    a.TEL2 = t(q, "TEL2");
    a.FAX = t(q, "FAX");
    a.MACTNO = t(q, "MACTNO").trimmed();
    a.DR = fixedAt<2>(q, "DR");
    a.CR = fixedAt<2>(q, "CR");
    a.ATTN = t(q, "ATTN");
    a.LOCAT = t(q, "LOCAT");
    a.LOCAT2 = t(q, "LOCAT2");
    a.LOCATNO = t(q, "LOCATNO");
    a.POBOX = t(q, "POBOX");
    a.CRLIMIT1 = fixedAt<2>(q, "CRLIMIT1");
    a.CRLIMIT2 = fixedAt<2>(q, "CRLIMIT2");
    a.SALRID = t(q, "SALRID").trimmed();
    a.SPRICE = int(q.integer(QStringLiteral("SPRICE")));
    a.ISACTIVE = int(q.integer(QStringLiteral("ISACTIVE")));
    a.ISSMS = t(q, "ISSMS");
    a.NDATE = q.date(QStringLiteral("NDATE"));
    a.MCLNT = int(q.integer(QStringLiteral("MCLNT")));
    AccountAddress& d = a.address;
    d.BUILDNO = t(q, "BUILDNO");
    d.STREETNM = t(q, "STREETNM");
    d.STREETNME = t(q, "STREETNME");
    d.DISTRICT = t(q, "DISTRICT");
    d.DISTRICTE = t(q, "DISTRICTE");
    d.CITY = t(q, "CITY");
    d.CITYE = t(q, "CITYE");
    d.COUNTRY = t(q, "COUNTRY");
    d.COUNTRYE = t(q, "COUNTRYE");
    d.PCODE = t(q, "PCODE");
    d.ADDRN2 = t(q, "ADDRN2");
    d.TAXCODE = t(q, "TAXCODE");
    d.OTHERID = t(q, "OTHERID");
    return a;
}

void bindAddress(db::Query& q, const AccountAddress& d)
{
    q.bind(QStringLiteral("BUILDNO"), d.BUILDNO)
        .bind(QStringLiteral("STREETNM"), d.STREETNM)
        .bind(QStringLiteral("STREETNME"), d.STREETNME)
        .bind(QStringLiteral("DISTRICT"), d.DISTRICT)
        .bind(QStringLiteral("DISTRICTE"), d.DISTRICTE)
        .bind(QStringLiteral("CITY"), d.CITY)
        .bind(QStringLiteral("CITYE"), d.CITYE)
        .bind(QStringLiteral("COUNTRY"), d.COUNTRY)
        .bind(QStringLiteral("COUNTRYE"), d.COUNTRYE)
        .bind(QStringLiteral("PCODE"), d.PCODE)
        .bind(QStringLiteral("ADDRN2"), d.ADDRN2)
        .bind(QStringLiteral("TAXCODE"), d.TAXCODE)
        .bind(QStringLiteral("OTHERID"), d.OTHERID);
}

std::optional<Account> findAccount(db::Transaction& tr, const QString& acctNo)
{
    const QString no = acctNo.trimmed();
    if (no.isEmpty() || no.size() > 9) return std::nullopt;
    db::Query q(tr, QStringLiteral("SELECT %1 FROM ACCT WHERE ACCTNO = :A").arg(QLatin1String(kAccountColumns)));
    q.bind(QStringLiteral("A"), no);
    q.execute();
    if (q.next()) return readAccount(q);
    return std::nullopt;
}

std::optional<MainAccount> findMain(db::Transaction& tr, const QString& mactNo)
{
    const QString no = mactNo.trimmed();
    if (no.isEmpty() || no.size() > 5) return std::nullopt;
    db::Query q(tr, QStringLiteral("SELECT MACTNO, MACTNM, ACCTTYPE FROM MACT WHERE MACTNO = :M"));
    q.bind(QStringLiteral("M"), no);
    q.execute();
    if (q.next()) return MainAccount{t(q, "MACTNO").trimmed(), t(q, "MACTNM"), t(q, "ACCTTYPE").trimmed()};
    return std::nullopt;
}

QList<AccountListRow> readList(const core::Session& s, const QString& mactNo, bool byMain)
{
    return inTransaction(s, [&](db::Transaction& tr) {
        db::Query q(tr, QStringLiteral("SELECT ACCTNO, MACTNO, ACCTNAME, ACCTNAM2, ACCTTYPE, SALRID, TEL, ISACTIVE, "
                                       "CRLIMIT2 FROM ACCT %1 ORDER BY ACCTNO")
                            .arg(byMain ? QStringLiteral("WHERE MACTNO = :M") : QString()));
        if (byMain) q.bind(QStringLiteral("M"), mactNo.trimmed().left(5));
        q.execute();
        QList<AccountListRow> r;
        while (q.next()) {
            AccountListRow row;
            row.ACCTNO = t(q, "ACCTNO").trimmed();
            row.MACTNO = t(q, "MACTNO").trimmed();
            row.ACCTNAME = t(q, "ACCTNAME");
            row.ACCTNAM2 = t(q, "ACCTNAM2");
            row.ACCTTYPE = t(q, "ACCTTYPE").trimmed();
            row.SALRID = t(q, "SALRID").trimmed();
            row.TEL = t(q, "TEL");
            row.ISACTIVE = int(q.integer(QStringLiteral("ISACTIVE")));
            row.CRLIMIT2 = fixedAt<2>(q, "CRLIMIT2");
            r << row;
        }
        return r;
    });
}

bool isWholeNumber(const QString& s)
{
    if (s.isEmpty()) return false;
    for (QChar c : s)
        if (c < QLatin1Char('0') || c > QLatin1Char('9')) return false;
    return true;
}

} // namespace

ItemCategory categoryOf(const QString& acctType)
{
    const QString c = acctType.trimmed();
    if (c.isEmpty()) return ItemCategory::None;
    if (c == QLatin1String("600")) return ItemCategory::Trading;
    if (c == QLatin1String("700")) return ItemCategory::ProfitLoss;
    return ItemCategory::BalanceSheet;
}

QString itemForCategory(ItemCategory c, const QString& chosenBalanceSheetItem)
{
    switch (c) {
    case ItemCategory::None: return {};
    case ItemCategory::Trading: return QStringLiteral("600");
    case ItemCategory::ProfitLoss: return QStringLiteral("700");
    case ItemCategory::BalanceSheet: break;
    }
    return chosenBalanceSheetItem.trimmed();
}

QString categoryCaption(ItemCategory c)
{
    switch (c) {
    case ItemCategory::None: return QStringLiteral(".");
    case ItemCategory::BalanceSheet: return QStringLiteral("  الـميــزانــيــــــــــــة");
    case ItemCategory::Trading: return QStringLiteral("  المتاجرة والتشـغيـل");
    case ItemCategory::ProfitLoss: return QStringLiteral("  الأربـاح والخـسـائـر");
    }
    return {};
}

std::optional<QString> paddedSerial(const QString& typed)
{
    const QString s = typed.trimmed();
    if (!isWholeNumber(s) || s.size() > 9) return std::nullopt;
    const int n = s.toInt();
    if (n > 9999) return std::nullopt;
    return QStringLiteral("%1").arg(n, 4, 10, QLatin1Char('0'));
}

// ---------------------------------------------------------------------------------------------

AccountRepository::AccountRepository(const core::Session& s) : s_(s) {}

std::optional<Account> AccountRepository::find(const QString& acctNo) const
{
    return inTransaction(s_, [&](db::Transaction& tr) { return findAccount(tr, acctNo); });
}

bool AccountRepository::exists(const QString& acctNo) const { return find(acctNo).has_value(); }

QString AccountRepository::lastAccountNo() const
{
    return inTransaction(s_, [&](db::Transaction& tr) {
        const db::Value v = db::scalar(tr, QStringLiteral("SELECT MAX(ACCTNO) FROM ACCT"));
        return std::holds_alternative<QString>(v) ? std::get<QString>(v).trimmed() : QString();
    });
}

QList<AccountListRow> AccountRepository::list() const { return readList(s_, {}, false); }

QList<AccountListRow> AccountRepository::listByMainAccount(const QString& mactNo) const
{
    return readList(s_, mactNo, true);
}

Account AccountRepository::newAccount(const QString& mactNo) const
{
    Account a;
    a.MACTNO = mactNo.trimmed();
    if (auto m = inTransaction(s_, [&](db::Transaction& tr) { return findMain(tr, mactNo); }))
        a.ACCTTYPE = m->ACCTTYPE;
    return a;
}

QString AccountRepository::proposeSerial(const QString& mactNo) const
{
    return inTransaction(s_, [&](db::Transaction& tr) {
        const db::Value v = db::scalar(tr, QStringLiteral("SELECT MAX(ACCTNO) FROM ACCT WHERE MACTNO = :M"),
                                       {{"M", mactNo.trimmed().left(5)}});
        if (!std::holds_alternative<QString>(v)) return QStringLiteral("1");
        const int serial = std::get<QString>(v).trimmed().mid(2, 4).toInt(); // characters 3 to 6
        return QString::number(serial + 1);
    });
}

Check AccountRepository::insert(Account& account, const QString& typedSerial)
{
    const std::optional<QString> serial = paddedSerial(typedSerial);
    if (!serial) return Check::error(text::badAccountNumber(), QStringLiteral("ACCTNO"));
    if (account.ACCTNAME.trimmed().isEmpty()) return Check::error(text::enterAccountName(), QStringLiteral("ACCTNAME"));
    return inTransaction(s_, [&](db::Transaction& tr) {
        const std::optional<MainAccount> main = findMain(tr, account.MACTNO);
        if (!main) return Check::error(text::mainAccountNotFound(), QStringLiteral("MACTNO"));
        Account row = account;
        row.MACTNO = main->MACTNO;
        row.ACCTNO = main->MACTNO + *serial;
        if (row.ACCTNO.size() <= 5 || row.ACCTNO.size() > 9)
            return Check::error(text::badAccountNumber(), QStringLiteral("ACCTNO"));
        row.ACCTTYPE = main->ACCTTYPE;
        row.DR = row.CR = core::Money();
        row.ISACTIVE = 0;
        try {
            db::Query q(tr, QStringLiteral(
                "INSERT INTO ACCT (%1) VALUES (:ACCTNO, :ACCTNAME, :ACCTNAM2, :ACCTTYPE, :TEL, :TEL2, :FAX, "
                ":MACTNO, 0, 0, :ATTN, :LOCAT, :LOCAT2, :LOCATNO, :POBOX, :CRLIMIT1, :CRLIMIT2, :SALRID, "
                ":SPRICE, 0, :ISSMS, :NDATE, :MCLNT, :BUILDNO, :STREETNM, :STREETNME, :DISTRICT, :DISTRICTE, "
                ":CITY, :CITYE, :COUNTRY, :COUNTRYE, :PCODE, :ADDRN2, :TAXCODE, :OTHERID)")
                                .arg(QLatin1String(kAccountColumns)));
            q.bind(QStringLiteral("ACCTNO"), row.ACCTNO)
                .bind(QStringLiteral("ACCTNAME"), row.ACCTNAME)
                .bind(QStringLiteral("ACCTNAM2"), row.ACCTNAM2)
                .bind(QStringLiteral("ACCTTYPE"), row.ACCTTYPE)
                .bind(QStringLiteral("TEL"), row.TEL)
                .bind(QStringLiteral("TEL2"), row.TEL2)
                .bind(QStringLiteral("FAX"), row.FAX)
                .bind(QStringLiteral("MACTNO"), row.MACTNO)
                .bind(QStringLiteral("ATTN"), row.ATTN)
                .bind(QStringLiteral("LOCAT"), row.LOCAT)
                .bind(QStringLiteral("LOCAT2"), row.LOCAT2)
                .bind(QStringLiteral("LOCATNO"), row.LOCATNO)
                .bind(QStringLiteral("POBOX"), row.POBOX)
                .bind(QStringLiteral("CRLIMIT1"), row.CRLIMIT1.toDecimal())
                .bind(QStringLiteral("CRLIMIT2"), row.CRLIMIT2.toDecimal())
                .bind(QStringLiteral("SALRID"), row.SALRID.trimmed())
                .bind(QStringLiteral("SPRICE"), row.SPRICE)
                .bind(QStringLiteral("ISSMS"), row.ISSMS)
                .bind(QStringLiteral("NDATE"), db::toValue(row.NDATE));
            if (row.MCLNT != 0) q.bind(QStringLiteral("MCLNT"), row.MCLNT);
            else q.bindNull(QStringLiteral("MCLNT"));
            bindAddress(q, row.address);
            q.execute();
        } catch (const db::DbError& e) {
            if (isRefusedValue(e)) return Check::error(text::accountExists(), QStringLiteral("ACCTNO"));
            throw;
        }
        account = row;
        return Check::pass();
    });
}

AccountUpdate AccountRepository::update(const Account& edited)
{
    AccountUpdate r;
    if (edited.ACCTNAME.trimmed().isEmpty()) {
        r.check = Check::error(text::enterAccountName(), QStringLiteral("ACCTNAME"));
        return r;
    }
    return inTransaction(s_, [&](db::Transaction& tr) {
        const std::optional<Account> stored = findAccount(tr, edited.ACCTNO);
        if (!stored) {
            r.check = Check::error(text::accountNotFound(), QStringLiteral("ACCTNO"));
            return r;
        }
        const std::optional<MainAccount> main = findMain(tr, stored->MACTNO);
        if (!main) {
            r.check = Check::error(text::mainAccountNotFound(), QStringLiteral("MACTNO"));
            return r;
        }
        try {
            db::Query q(tr, QStringLiteral(
                "UPDATE ACCT SET ACCTNAME = :ACCTNAME, ACCTTYPE = :ACCTTYPE, TEL = :TEL, LOCAT = :LOCAT, "
                "TAXCODE = :TAXCODE, ATTN = :ATTN, SALRID = :SALRID, CRLIMIT1 = :CRLIMIT1, CRLIMIT2 = :CRLIMIT2, "
                "POBOX = :POBOX, PCODE = :PCODE, NDATE = :NDATE WHERE ACCTNO = :ACCTNO"));
            q.bind(QStringLiteral("ACCTNO"), stored->ACCTNO)
                .bind(QStringLiteral("ACCTNAME"), edited.ACCTNAME)
                .bind(QStringLiteral("ACCTTYPE"), main->ACCTTYPE)
                .bind(QStringLiteral("TEL"), edited.TEL)
                .bind(QStringLiteral("LOCAT"), edited.LOCAT)
                .bind(QStringLiteral("TAXCODE"), edited.address.TAXCODE)
                .bind(QStringLiteral("ATTN"), edited.ATTN)
                .bind(QStringLiteral("SALRID"), edited.SALRID.trimmed())
                .bind(QStringLiteral("CRLIMIT1"), edited.CRLIMIT1.toDecimal())
                .bind(QStringLiteral("CRLIMIT2"), edited.CRLIMIT2.toDecimal())
                .bind(QStringLiteral("POBOX"), edited.POBOX)
                .bind(QStringLiteral("PCODE"), edited.address.PCODE)
                .bind(QStringLiteral("NDATE"), db::toValue(edited.NDATE));
            q.executeUpdate(QStringLiteral("ACCT"), QStringLiteral("ACCTNO = :ACCTNO"));
        } catch (const db::DbError& e) {
            if (isRefusedValue(e)) {
                r.check = Check::error(text::accountExists(), QStringLiteral("ACCTNO"));
                return r;
            }
            throw;
        }
        r.salesmanChanged = stored->SALRID != edited.SALRID.trimmed();
        return r;
    });
}

Check AccountRepository::updateAddress(const QString& acctNo, const AccountAddress& address)
{
    return inTransaction(s_, [&](db::Transaction& tr) {
        try {
            db::Query q(tr, QStringLiteral(
                "UPDATE ACCT SET BUILDNO = :BUILDNO, STREETNM = :STREETNM, STREETNME = :STREETNME, "
                "DISTRICT = :DISTRICT, DISTRICTE = :DISTRICTE, CITY = :CITY, CITYE = :CITYE, COUNTRY = :COUNTRY, "
                "COUNTRYE = :COUNTRYE, PCODE = :PCODE, ADDRN2 = :ADDRN2, TAXCODE = :TAXCODE, OTHERID = :OTHERID "
                "WHERE ACCTNO = :ACCTNO"));
            q.bind(QStringLiteral("ACCTNO"), acctNo.trimmed().left(9));
            bindAddress(q, address);
            if (q.executeUpdate(QStringLiteral("ACCT"), QStringLiteral("ACCTNO = :ACCTNO")) == 0)
                return Check::error(text::accountNotFound());
        } catch (const db::DbError& e) {
            if (isRefusedValue(e)) return Check::error(text::incompleteData());
            throw;
        }
        return Check::pass();
    });
}

Check AccountRepository::canRemove(const QString& acctNo) const
{
    const std::optional<Account> a = find(acctNo);
    if (!a) return Check::info(text::noRecords());
    if (s_.vAdmin == QLatin1String("OP") && a->MACTNO != s_.gAType.trimmed() && a->MACTNO != s_.gATyp2.trimmed())
        return Check::error(text::mustBeCustomerOrSupplier());
    return Check::pass();
}

Check AccountRepository::remove(const QString& acctNo)
{
    if (Check c = canRemove(acctNo); !c.ok()) return c;
    const int n = inTransaction(s_, [&](db::Transaction& tr) {
        return tr.execute(QStringLiteral("DELETE FROM ACCT WHERE ACCTNO = :A AND COALESCE(DR, 0) + COALESCE(CR, 0) = 0"),
                          {{"A", acctNo.trimmed()}});
    });
    if (n > 0) return Check::pass();
    return exists(acctNo) ? Check::error(text::accountHasMovement()) : Check::info(text::noRecords());
}

Check AccountRepository::toggleSuspension(const QString& acctNo)
{
    if (!s_.isAdmin()) return Check::error(text::adminOnly());
    return inTransaction(s_, [&](db::Transaction& tr) {
        const std::optional<Account> a = findAccount(tr, acctNo);
        if (!a) return Check::info(text::noRecords());
        if (a->ACCTTYPE != s_.gAType.trimmed()) return Check::error(text::notACustomer());
        tr.update(QStringLiteral("ACCT"), QStringLiteral("ISACTIVE = CASE WHEN COALESCE(ISACTIVE, 0) = 0 THEN 1 ELSE 0 END"),
                  QStringLiteral("ACCTNO = :A"), {{"A", a->ACCTNO}});
        return Check::pass();
    });
}

// ---------------------------------------------------------------------------------------------

MainAccountRepository::MainAccountRepository(const core::Session& s) : s_(s) {}

QList<MainAccount> MainAccountRepository::list() const
{
    return inTransaction(s_, [&](db::Transaction& tr) {
        db::Query q(tr, QStringLiteral("SELECT MACTNO, MACTNM, ACCTTYPE FROM MACT ORDER BY MACTNO"));
        q.execute();
        QList<MainAccount> r;
        while (q.next()) r << MainAccount{t(q, "MACTNO").trimmed(), t(q, "MACTNM"), t(q, "ACCTTYPE").trimmed()};
        return r;
    });
}

std::optional<MainAccount> MainAccountRepository::find(const QString& mactNo) const
{
    return inTransaction(s_, [&](db::Transaction& tr) { return findMain(tr, mactNo); });
}

QString MainAccountRepository::proposeNumber() const
{
    const int n = inTransaction(s_, [&](db::Transaction& tr) {
        const db::Value v = db::scalar(tr, QStringLiteral("SELECT MAX(MACTNO) FROM MACT"));
        return std::holds_alternative<QString>(v) ? std::get<QString>(v).trimmed().toInt() + 1 : 1;
    });
    return n < 10 ? QStringLiteral("0") + QString::number(n) : QString::number(n);
}

bool MainAccountRepository::hasJournalLines(const QString& mactNo) const
{
    const QString no = mactNo.trimmed();
    if (no.isEmpty() || no.size() > 5) return false;
    return inTransaction(s_, [&](db::Transaction& tr) {
        const db::Value v = db::scalar(tr, QStringLiteral("SELECT FIRST 1 ACCTNO FROM TRANS "
                                                          "WHERE ACCTNO >= :A1 AND ACCTNO <= :A2 ORDER BY ACCTNO"),
                                       {{"A1", no + QStringLiteral("0000")}, {"A2", no + QStringLiteral("9999")}});
        return std::holds_alternative<QString>(v) && std::get<QString>(v).trimmed().left(no.size()) == no;
    });
}

Check MainAccountRepository::save(MainAccount& main, const QString& originalMactNo)
{
    const QString typed = main.MACTNO.trimmed();
    if (!isWholeNumber(typed) || typed.size() > 3 || typed.toInt() >= 100)
        return Check::error(text::badAccountNumber(), QStringLiteral("MACTNO"));
    const QString no = QStringLiteral("%1").arg(typed.toInt(), 2, 10, QLatin1Char('0'));
    const QString old = originalMactNo.trimmed();
    const bool renumbered = !old.isEmpty() && old != no;
    if (renumbered && hasJournalLines(old)) return Check::error(text::mainAccountHasJournal(), QStringLiteral("MACTNO"));
    const Check taken = Check::error(text::mainAccountExists(), QStringLiteral("MACTNO"));
    const QString type = main.ACCTTYPE.trimmed();
    Check r = inTransaction(s_, [&](db::Transaction& tr) {
        try {
            if (old.isEmpty()) {
                tr.execute(QStringLiteral("INSERT INTO MACT (MACTNO, MACTNM, ACCTTYPE) VALUES (:M, :N, :T)"),
                           {{"M", no}, {"N", main.MACTNM}, {"T", type}});
                return Check::pass();
            }
            const int n = tr.execute(QStringLiteral("UPDATE MACT SET MACTNO = :M, MACTNM = :N, ACCTTYPE = :T WHERE MACTNO = :OLD"),
                                     {{"M", no}, {"N", main.MACTNM}, {"T", type}, {"OLD", old}});
            if (n == 0) return Check::info(text::noRecords());
            if (renumbered) {
                // The sub-accounts follow: new main number + the serial (the rest of the old number).
                tr.execute(QStringLiteral("UPDATE ACCT SET MACTNO = :M, ACCTNO = :M || SUBSTRING(ACCTNO FROM 3), "
                                          "ACCTTYPE = :T WHERE MACTNO = :OLD"),
                           {{"M", no}, {"T", type}, {"OLD", old}});
            }
        } catch (const db::DbError& e) {
            if (isRefusedValue(e)) return taken;
            throw;
        }
        return Check::pass();
    });
    if (r.ok()) main.MACTNO = no;
    return r;
}

Check MainAccountRepository::remove(const QString& mactNo)
{
    return inTransaction(s_, [&](db::Transaction& tr) {
        const std::optional<MainAccount> m = findMain(tr, mactNo);
        if (!m) return Check::info(text::noRecords());
        const int n = tr.execute(QStringLiteral("DELETE FROM MACT WHERE MACTNO = :M "
                                                "AND NOT EXISTS (SELECT 1 FROM ACCT WHERE MACTNO = :M)"),
                                 {{"M", m->MACTNO}});
        return n > 0 ? Check::pass() : Check::error(text::mainAccountInUse());
    });
}

QList<BalanceSheetItem> balanceSheetItems(const core::Session& s)
{
    return inTransaction(s, [&](db::Transaction& tr) {
        db::Query q(tr, QStringLiteral("SELECT ACCTTYPE, NAME, CAT FROM BSFILE ORDER BY ACCTTYPE"));
        q.execute();
        QList<BalanceSheetItem> r;
        while (q.next()) r << BalanceSheetItem{t(q, "ACCTTYPE").trimmed(), t(q, "NAME"), t(q, "CAT")};
        return r;
    });
}

} // namespace kv::masters
