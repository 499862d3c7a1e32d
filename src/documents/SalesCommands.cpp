#include "documents/SalesCommands.h"
#include "core/Session.h"
#include "db/Connection.h"
#include "db/Error.h"

namespace kv::documents {

using core::Money;
using core::Price;
using core::Qty;

namespace {

constexpr int kTaxCodeLength = 20; // TRANS3.TAXCODE

bool blank(const QString& t) { return t.trimmed().isEmpty(); }

} // namespace

// --- Held invoices -------------------------------------------------------------------------------

QList<HeldInvoice> heldInvoices(const core::Session& s)
{
    QList<HeldInvoice> out;
    db::Transaction tr(*s.MainDB);
    db::Query q(tr, QStringLiteral("select INVSEL, ACCTNO, CUSTNAME from ZGT_TRNS3H order by CUSTNAME, INVSEL"));
    q.execute();
    while (q.next())
        out.append({int(q.integer(QStringLiteral("INVSEL"))), q.text(QStringLiteral("ACCTNO")).trimmed(),
                    q.text(QStringLiteral("CUSTNAME")).trimmed()});
    tr.commit();
    return out;
}

// --- Item sales history --------------------------------------------------------------------------

QList<SaleHistoryRow> itemSalesHistory(const core::Session& s, const QString& itemNo, const QString& acctNo)
{
    QList<SaleHistoryRow> out;
    db::Transaction tr(*s.MainDB);
    db::Query q(tr, QStringLiteral("Select INVSEL, TRDATE, ACCTNO, ITEMNO, QTYSOLD, UPRICE From Trans3D"
                                   " Where ITEMNO = :sItemNo and ACCTNO = :sAcctNo Order by TRDATE, INVSEL"));
    q.bind(QStringLiteral("sItemNo"), itemNo.trimmed());
    q.bind(QStringLiteral("sAcctNo"), acctNo.trimmed());
    q.execute();
    while (q.next()) {
        SaleHistoryRow r;
        r.INVSEL = int(q.integer(QStringLiteral("INVSEL")));
        r.TRDATE = q.date(QStringLiteral("TRDATE"));
        r.ACCTNO = q.text(QStringLiteral("ACCTNO")).trimmed();
        r.ITEMNO = q.text(QStringLiteral("ITEMNO")).trimmed();
        r.QTYSOLD = Qty::fromDecimal(q.decimal(QStringLiteral("QTYSOLD"), 4));
        r.UPRICE = Price::fromDecimal(q.decimal(QStringLiteral("UPRICE"), 4));
        r.value = core::mul<2>(r.UPRICE, r.QTYSOLD);
        out.append(r);
    }
    tr.commit();
    return out;
}

QString itemHistoryCaption(const QString& itemDescr, int rows)
{
    return text::itemSalesCaption() + itemDescr.trimmed() + QStringLiteral("  ") + text::recordCount()
           + QString::number(rows);
}

// --- Buyer VAT number on a saved invoice ---------------------------------------------------------

namespace {

// The invoice's INVTOT is not 0 (a missing invoice counts as 0).
bool hasTotal(db::Transaction& tr, int invSel)
{
    db::Query q(tr, QStringLiteral("select INVTOT from TRANS3 where INVSEL = :N"));
    q.bind(QStringLiteral("N"), invSel);
    q.execute();
    return q.next() && q.decimal(QStringLiteral("INVTOT"), 2).units != 0;
}

} // namespace

bool canAddBuyerTaxCode(const core::Session& s, int invSel)
{
    if (!s.allowed(core::Right::T01) || invSel <= 0) return false;
    db::Transaction tr(*s.MainDB);
    const bool ok = hasTotal(tr, invSel);
    tr.commit();
    return ok;
}

Outcome addBuyerTaxCode(core::Session& s, int invSel, const QString& code)
{
    static const QString field = QStringLiteral("TAXCODE");
    const QString taxCode = code.trimmed();
    if (!canAddBuyerTaxCode(s, invSel) || taxCode.isEmpty()) return Outcome::stop(QString(), QString());
    if (taxCode.size() > kTaxCodeLength) return Outcome::stop(text::taxCodeTooLong(), field);
    try {
        db::Transaction tr(*s.MainDB);
        tr.execute(QStringLiteral("update TRANS3 set TAXCODE = :C where INVSEL = :N"),
                   {{"C", taxCode}, {"N", db::toValue(invSel)}});
        tr.commit();
    } catch (const db::DbError&) {
        return Outcome::stop(s.msg.mInUse, field);
    }
    return Outcome::pass();
}

// --- Line repair ---------------------------------------------------------------------------------

bool invoiceNeedsRepair(const core::Session& s, int invSel, bool armed)
{
    db::Transaction tr(*s.MainDB);
    // The last line by number: the browse grid stands on it when an invoice is shown.
    db::Query q(tr, QStringLiteral("select first 1 QSOLD, UINDEX, ACCTNO from TRANS3D where INVSEL = :N order by LNO desc"));
    q.bind(QStringLiteral("N"), invSel);
    q.execute();
    bool needs = false;
    if (q.next())
        needs = armed || q.decimal(QStringLiteral("QSOLD"), 4).units == 0 || q.integer(QStringLiteral("UINDEX")) == 0
                || blank(q.text(QStringLiteral("ACCTNO")));
    while (q.next()) {}
    tr.commit();
    return needs;
}

void repairInvoice(db::Transaction& tr, int invSel, bool armed)
{
    QDate date;
    QString acctNo, salrId;
    {
        db::Query h(tr, QStringLiteral("select TRDATE, ACCTNO, SALRID from TRANS3 where INVSEL = :N"));
        h.bind(QStringLiteral("N"), invSel);
        h.execute();
        if (!h.next()) return;
        date = h.date(QStringLiteral("TRDATE"));
        acctNo = h.text(QStringLiteral("ACCTNO")).trimmed();
        salrId = h.text(QStringLiteral("SALRID")).trimmed();
        while (h.next()) {}
    }

    struct Line {
        int LNO = 0;
        QString ITEMNO, ACCTNO, SALRID;
        int UINDEX = 1;
        Qty QTYSOLD, QSOLD;
        Price UPRICE;
        Money UCOST;
        QDate TRDATE;
    };
    QList<Line> lines;
    {
        db::Query d(tr, QStringLiteral("select LNO, TRDATE, ITEMNO, UINDEX, QTYSOLD, QSOLD, UPRICE, UCOST, ACCTNO, SALRID"
                                       " from TRANS3D where INVSEL = :N order by LNO"));
        d.bind(QStringLiteral("N"), invSel);
        d.execute();
        while (d.next()) {
            Line l;
            l.LNO = int(d.integer(QStringLiteral("LNO")));
            l.TRDATE = d.date(QStringLiteral("TRDATE"));
            l.ITEMNO = d.text(QStringLiteral("ITEMNO")).trimmed();
            l.UINDEX = int(d.integer(QStringLiteral("UINDEX")));
            l.QTYSOLD = Qty::fromDecimal(d.decimal(QStringLiteral("QTYSOLD"), 4));
            l.QSOLD = Qty::fromDecimal(d.decimal(QStringLiteral("QSOLD"), 4));
            l.UPRICE = Price::fromDecimal(d.decimal(QStringLiteral("UPRICE"), 4));
            l.UCOST = Money::fromDecimal(d.decimal(QStringLiteral("UCOST"), 2));
            l.ACCTNO = d.text(QStringLiteral("ACCTNO")).trimmed();
            l.SALRID = d.text(QStringLiteral("SALRID")).trimmed();
            lines.append(l);
        }
    }
    if (lines.isEmpty()) return; // a void invoice keeps its zero amounts

    db::Query item(tr, QStringLiteral("select QUNITS, UCOST from STOCK where ITEMNO = :I"));
    db::Query update(tr, QStringLiteral("update TRANS3D set UINDEX = :UINDEX, QSOLD = :QSOLD, UCOST = :UCOST,"
                                        " TRDATE = :TRDATE, ACCTNO = :ACCTNO, SALRID = :SALRID"
                                        " where INVSEL = :N and LNO = :LNO"));
    update.bind(QStringLiteral("N"), invSel);
    Money subTotal;
    core::Fixed<6> cost;
    for (Line& l : lines) {
        if (l.UINDEX == 0) l.UINDEX = 1;
        if (l.QSOLD.isZero() || armed) {
            item.bind(QStringLiteral("I"), l.ITEMNO);
            item.execute();
            if (item.next()) {
                Qty units = Qty::fromDecimal(item.decimal(QStringLiteral("QUNITS"), 4));
                if (units <= Qty()) units = Qty::fromInt(1);
                const Money itemCost = Money::fromDecimal(item.decimal(QStringLiteral("UCOST"), 2));
                if (l.UINDEX == 2) {
                    l.QSOLD = l.QTYSOLD;
                    l.UCOST = itemCost;
                } else {
                    l.QSOLD = core::mul<4>(l.QTYSOLD, units);
                    l.UCOST = core::mul<2>(itemCost, units);
                }
                while (item.next()) {}
            }
            l.TRDATE = date;
        }
        if (l.ACCTNO.isEmpty()) l.ACCTNO = acctNo;
        if (l.SALRID.isEmpty()) l.SALRID = salrId;

        update.bind(QStringLiteral("LNO"), l.LNO)
            .bind(QStringLiteral("UINDEX"), l.UINDEX)
            .bind(QStringLiteral("QSOLD"), l.QSOLD.toDecimal())
            .bind(QStringLiteral("UCOST"), l.UCOST.toDecimal())
            .bind(QStringLiteral("TRDATE"), l.TRDATE)
            .bind(QStringLiteral("ACCTNO"), l.ACCTNO.isEmpty() ? db::Value(db::Null{}) : db::Value(l.ACCTNO))
            .bind(QStringLiteral("SALRID"), l.SALRID.isEmpty() ? db::Value(db::Null{}) : db::Value(l.SALRID));
        update.execute();

        subTotal += core::mul<2>(l.UPRICE, l.QTYSOLD);
        cost += core::mul<6>(l.UCOST, l.QTYSOLD);
    }

    // The header's own discount stays where it is: AMOUNT is computed from it in the statement.
    tr.execute(QStringLiteral("update TRANS3 set SUBAMNT = :S, AMOUNT = :S - coalesce(DISVAL, 0), TOTCOST = :T"
                              " where INVSEL = :N"),
               {{"S", subTotal.toDecimal()}, {"T", cost.round<2>().toDecimal()}, {"N", db::toValue(invSel)}});
}

bool repairIfNeeded(core::Session& s, int invSel, bool armed)
{
    if (!invoiceNeedsRepair(s, invSel, armed)) return false;
    db::Transaction tr(*s.MainDB);
    repairInvoice(tr, invSel, armed);
    tr.commit();
    return true;
}

} // namespace kv::documents
