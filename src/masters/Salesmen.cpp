#include "masters/Salesmen.h"
#include "masters/Internal.h"

namespace kv::masters {

using detail::fixedAt;
using detail::inTransaction;

namespace {

Salesman readSalesman(const db::Query& q)
{
    Salesman r;
    r.SALRID = q.text(QStringLiteral("SALRID")).trimmed();
    r.NAME = q.text(QStringLiteral("NAME"));
    r.CMSN = fixedAt<2>(q, "CMSN");
    r.CMSNB = fixedAt<2>(q, "CMSNB");
    r.PERC = fixedAt<2>(q, "PERC");
    r.PERCB = fixedAt<2>(q, "PERCB");
    return r;
}

std::optional<Salesman> findIn(db::Transaction& tr, const QString& salrId)
{
    const QString no = salrId.trimmed();
    if (no.isEmpty() || no.size() > 2) return std::nullopt;
    db::Query q(tr, QStringLiteral("SELECT SALRID, NAME, CMSN, CMSNB, PERC, PERCB FROM SALREP WHERE SALRID = :S"));
    q.bind(QStringLiteral("S"), no);
    q.execute();
    if (q.next()) return readSalesman(q);
    return std::nullopt;
}

} // namespace

core::Money commission(core::Money amount, core::Money perc)
{
    // amount × perc has four decimals; divided by 100 and rounded once to two.
    using core::fixed_detail::i128;
    return core::Money::fromUnits(
        core::fixed_detail::narrow(core::fixed_detail::divRound(i128(amount.units()) * perc.units(), 10000)));
}

SalesmanRepository::SalesmanRepository(const core::Session& s) : s_(s) {}

QList<Salesman> SalesmanRepository::list() const
{
    return inTransaction(s_, [&](db::Transaction& tr) {
        db::Query q(tr, QStringLiteral("SELECT SALRID, NAME, CMSN, CMSNB, PERC, PERCB FROM SALREP ORDER BY SALRID"));
        q.execute();
        QList<Salesman> r;
        while (q.next()) r << readSalesman(q);
        return r;
    });
}

std::optional<Salesman> SalesmanRepository::find(const QString& salrId) const
{
    return inTransaction(s_, [&](db::Transaction& tr) { return findIn(tr, salrId); });
}

Check SalesmanRepository::save(const Salesman& salesman, const QString& originalSalrId)
{
    if (salesman.NAME.trimmed().isEmpty()) return Check::info(text::enterSalesmanName(), QStringLiteral("NAME"));
    const QString no = salesman.SALRID.trimmed();
    const Check taken = Check::error(text::salesmanExists(), QStringLiteral("SALRID"));
    if (no.isEmpty() || no.size() > 2) return taken;
    const QString old = originalSalrId.trimmed();
    return inTransaction(s_, [&](db::Transaction& tr) {
        try {
            if (old.isEmpty()) {
                tr.execute(QStringLiteral("INSERT INTO SALREP (SALRID, NAME, CMSN, CMSNB, PERC, PERCB) "
                                          "VALUES (:S, :N, :C, :CB, :P, :PB)"),
                           {{"S", no}, {"N", salesman.NAME}, {"C", salesman.CMSN.toDecimal()},
                            {"CB", salesman.CMSNB.toDecimal()}, {"P", salesman.PERC.toDecimal()},
                            {"PB", salesman.PERCB.toDecimal()}});
                return Check::pass();
            }
            const int n = tr.execute(QStringLiteral("UPDATE SALREP SET SALRID = :S, NAME = :N, PERC = :P WHERE SALRID = :OLD"),
                                     {{"S", no}, {"N", salesman.NAME}, {"P", salesman.PERC.toDecimal()}, {"OLD", old}});
            if (n == 0) return Check::info(text::noRecords());
        } catch (const db::DbError& e) {
            if (isRefusedValue(e)) return taken;
            throw;
        }
        return Check::pass();
    });
}

bool SalesmanRepository::inUse(const QString& salrId) const
{
    return inTransaction(s_, [&](db::Transaction& tr) {
        return !std::holds_alternative<db::Null>(db::scalar(
            tr, QStringLiteral("SELECT FIRST 1 ACCTNO FROM ACCT WHERE SALRID = :S"), {{"S", salrId.trimmed().left(2)}}));
    });
}

Check SalesmanRepository::remove(const QString& salrId)
{
    return inTransaction(s_, [&](db::Transaction& tr) {
        const std::optional<Salesman> s = findIn(tr, salrId);
        if (!s) return Check::info(text::noRecords());
        const int n = tr.execute(QStringLiteral("DELETE FROM SALREP WHERE SALRID = :S "
                                                "AND NOT EXISTS (SELECT 1 FROM ACCT WHERE SALRID = :S)"),
                                 {{"S", s->SALRID}});
        return n > 0 ? Check::pass() : Check::info(text::salesmanInUse());
    });
}

TransferResult SalesmanRepository::transferCustomers(const QString& from, const QString& to)
{
    TransferResult r;
    r = inTransaction(s_, [&](db::Transaction& tr) {
        TransferResult t;
        if (!findIn(tr, from)) t.check = Check::error(text::firstSalesmanNotFound(), QStringLiteral("FROM"));
        else if (!findIn(tr, to)) t.check = Check::error(text::secondSalesmanNotFound(), QStringLiteral("TO"));
        else if (from.trimmed() == to.trimmed()) t.check = Check::error(text::sameSalesman(), QStringLiteral("TO"));
        else
            t.moved = tr.execute(QStringLiteral("UPDATE ACCT SET SALRID = :TO WHERE SALRID = :FROM"),
                                 {{"TO", to.trimmed()}, {"FROM", from.trimmed()}});
        return t;
    });
    return r;
}

Check SalesmanRepository::transferTransactions(const QString& acctNo, const QString& salrId, const QDate& from)
{
    if (!from.isValid()) return Check::error(text::badDate());
    return inTransaction(s_, [&](db::Transaction& tr) {
        // Journal lines, purchases, sales invoices and their lines; issues, returns and receipts
        // keep the salesman they were saved with.
        for (const char* table : {"TRANS", "TRANS1", "TRANS3", "TRANS3D"}) {
            tr.execute(QStringLiteral("UPDATE %1 SET SALRID = :S WHERE ACCTNO = :A AND TRDATE >= :D")
                           .arg(QLatin1String(table)),
                       {{"S", salrId.trimmed()}, {"A", acctNo.trimmed()}, {"D", db::toValue(from)}});
        }
        return Check::pass();
    });
}

} // namespace kv::masters
