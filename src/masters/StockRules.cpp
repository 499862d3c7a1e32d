#include "masters/StockRules.h"
#include "core/Session.h"
#include "db/Connection.h"
#include <QStringList>
#include <stdexcept>

// The item row is changed by a single UPDATE whose SET expressions all read the row as it was
// before the statement, so the cost rules can use the on-hand quantity before the change while
// the same statement moves it. The earlier design read the row into the program, changed it and
// wrote every column back; two workstations saving the same item at once then both started
// from the same old values and the second write silently undid the first. An UPDATE by
// increments in a no-wait transaction makes the second one fail at once instead, and the
// document save is retried.

namespace kv::masters {

using core::Money;
using core::Price;
using core::Qty;

StockSettings StockSettings::from(const core::Session& s)
{
    StockSettings r;
    r.cost = s.gCostPr.trimmed() == QLatin1String("2") ? CostMethod::Last : CostMethod::Average;
    return r;
}

Qty effectiveUnits(Qty qUnits)
{
    return qUnits > Qty() ? qUnits : Qty::fromInt(1);
}

Qty baseQuantity(Qty qty, int uIndex, Qty qUnits)
{
    return uIndex == 1 ? core::mul<4>(qty, effectiveUnits(qUnits)) : qty;
}

Price costPerSmallUnit(Price unitCost, int uIndex, Qty qUnits)
{
    return uIndex == 1 ? core::div<4>(unitCost, effectiveUnits(qUnits)) : unitCost;
}

namespace {

using core::fixed_detail::i128;
using core::fixed_detail::divRound;

// (a_units at scale sa) as units at scale 8, for exact intermediate sums.
i128 at8(std::int64_t units, int scale)
{
    return i128(units) * core::fixed_detail::pow10(8 - scale);
}

Money quotient2(i128 num8, i128 den8)
{
    // num / den, both at scale 8, to 2 decimals.
    return Money::fromUnits(core::fixed_detail::narrow(divRound(num8 * 100, den8)));
}

} // namespace

Money incomingCost(CostMethod m, Money ucost, StockQty onHand, Qty q, Money value, Price c)
{
    const Money cRounded = c.round<2>();
    if (m == CostMethod::Last) return cRounded;
    const Qty qStock = q.round<2>().round<4>();
    const i128 newQty = at8(onHand.units(), 2) + at8(qStock.units(), 4);
    if (onHand <= StockQty() || newQty == 0) return cRounded;
    // UCOST × ONHAND is exact at scale 4.
    const i128 worth = i128(ucost.units()) * onHand.units() * 10000 + at8(value.units(), 2);
    return quotient2(worth, newQty);
}

Money reversalCost(CostMethod m, Money ucost, StockQty onHand, Qty q, Money value)
{
    if (m == CostMethod::Last) return ucost;
    const Qty qStock = q.round<2>().round<4>();
    const i128 rest = at8(onHand.units(), 2) - at8(qStock.units(), 4);
    if (rest <= 0) return Money();
    const i128 worth = i128(ucost.units()) * onHand.units() * 10000 - at8(value.units(), 2);
    return quotient2(worth, rest);
}

namespace {

// SQL pieces over the old row. Parameters: :UINDEX, :QTY (line quantity), :UCOSTL (line unit
// cost), :V (line total), :D (document date), :EDATE (line expiry).
const char* const kUnits = "(CASE WHEN QUNITS > 0 THEN QUNITS ELSE 1 END)";

QString baseQtySql()
{
    // Base quantity, rounded to the two decimals STOCK keeps.
    return QStringLiteral("CAST(CASE WHEN CAST(:UINDEX AS INTEGER) = 1 THEN CAST(:QTY AS NUMERIC(18,4)) * %1 "
                          "ELSE CAST(:QTY AS NUMERIC(18,4)) END AS NUMERIC(18,2))")
        .arg(QLatin1String(kUnits));
}

QString smallCostSql()
{
    // Cost of one small unit, to four decimals.
    return QStringLiteral("CAST(CASE WHEN CAST(:UINDEX AS INTEGER) = 1 THEN CAST(:UCOSTL AS NUMERIC(18,4)) / %1 "
                          "ELSE CAST(:UCOSTL AS NUMERIC(18,4)) END AS NUMERIC(18,4))")
        .arg(QLatin1String(kUnits));
}

QString cTimesQSql()
{
    return QStringLiteral("CAST(%1 * %2 AS NUMERIC(18,2))").arg(smallCostSql(), baseQtySql());
}

const char* const kOnHand = "COALESCE(ONHAND, 0)";
const char* const kUCost = "COALESCE(UCOST, 0)";

QString incomingSql(CostMethod m, const QString& value)
{
    const QString c = smallCostSql();
    if (m == CostMethod::Last) return QStringLiteral("CAST(%1 AS NUMERIC(18,2))").arg(c);
    const QString q = baseQtySql();
    return QStringLiteral("CASE WHEN %1 > 0 AND %1 + %2 <> 0 "
                          "THEN CAST((%3 * %1 + %4) / (%1 + %2) AS NUMERIC(18,2)) "
                          "ELSE CAST(%5 AS NUMERIC(18,2)) END")
        .arg(QLatin1String(kOnHand), q, QLatin1String(kUCost), value, c);
}

// Incoming rule applied only when the line's cost per small unit is above 0.
QString incomingWhenCostedSql(CostMethod m, const QString& value)
{
    return QStringLiteral("CASE WHEN %1 > 0 THEN %2 ELSE UCOST END").arg(smallCostSql(), incomingSql(m, value));
}

QString reversalSql(CostMethod m)
{
    if (m == CostMethod::Last) return QStringLiteral("UCOST");
    const QString q = baseQtySql();
    return QStringLiteral("CASE WHEN %1 - %2 > 0 "
                          "THEN CAST((%3 * %1 - CAST(:V AS NUMERIC(18,2))) / (%1 - %2) AS NUMERIC(18,2)) "
                          "ELSE 0 END")
        .arg(QLatin1String(kOnHand), q, QLatin1String(kUCost));
}

QString add(const char* column, const QString& amount, char sign)
{
    return QStringLiteral("%1 = COALESCE(%1, 0) %2 %3").arg(QLatin1String(column), QChar(QLatin1Char(sign)), amount);
}

} // namespace

bool applyStockEffect(db::Transaction& tr, const StockSettings& settings, DocKind kind, Direction direction,
                      const StockLine& line)
{
    const QString q = baseQtySql();
    const QString v = QStringLiteral("CAST(:V AS NUMERIC(18,2))");
    const CostMethod m = settings.cost;
    const bool save = direction == Direction::Save;
    const bool hasDate = line.docDate.isValid();
    QStringList set;
    QString where = QStringLiteral("ITEMNO = CAST(:ITEMNO AS VARCHAR(14))");
    bool usesV = false, usesDate = false, usesExpiry = false;

    switch (kind) {
    case DocKind::Purchase:
        set << add("QTYIN", q, save ? '+' : '-') << add("ONHAND", q, save ? '+' : '-')
            << add("TOTCOST", v, save ? '+' : '-');
        usesV = true;
        if (save) {
            set << QStringLiteral("UCOST = ") + incomingWhenCostedSql(m, v);
            if (hasDate) {
                set << QStringLiteral("LQTYIN = CAST(:D AS DATE)");
                usesDate = true;
            }
            if (line.expiry.isValid()) {
                set << QStringLiteral("EDATE = CASE WHEN EDATE IS NOT NULL AND CAST(:EDATE AS DATE) < EDATE "
                                      "THEN CAST(:EDATE AS DATE) ELSE EDATE END");
                usesExpiry = true;
            }
        } else {
            set << QStringLiteral("UCOST = ") + reversalSql(m);
        }
        break;
    case DocKind::Issue:
        set << add("QTYOUT", q, save ? '+' : '-') << add("ONHAND", q, save ? '-' : '+')
            << add("OUTCOST", v, save ? '+' : '-');
        usesV = true;
        if (!save) set << QStringLiteral("UCOST = ") + incomingSql(m, v);
        break;
    case DocKind::Sale:
        where += QStringLiteral(" AND COALESCE(ARTNO, '') <> 'LB'");
        set << add("QTYSOLD", q, save ? '+' : '-') << add("ONHAND", q, save ? '-' : '+')
            << add("OUTCOST", v, save ? '+' : '-');
        usesV = true;
        if (save) {
            if (hasDate) {
                set << QStringLiteral("LQTYSOLD = CASE WHEN LQTYSOLD IS NULL OR LQTYSOLD < CAST(:D AS DATE) "
                                      "THEN CAST(:D AS DATE) ELSE LQTYSOLD END");
                usesDate = true;
            }
        } else {
            set << QStringLiteral("UCOST = ") + incomingSql(m, cTimesQSql());
        }
        break;
    case DocKind::Return:
        if (!save) throw std::logic_error("return vouchers are not deleted");
        set << add("QTYRET", q, '+') << add("ONHAND", q, '+') << add("OUTCOST", v, '-')
            << QStringLiteral("UCOST = ") + incomingWhenCostedSql(m, cTimesQSql())
            << QStringLiteral("QUNITS = ") + QLatin1String(kUnits);
        usesV = true;
        if (hasDate) {
            // Since when the item is below its re-order level (in large units), as returns see it.
            set << QStringLiteral("SLDATE = CASE WHEN COALESCE(ONHAND, 0) + %1 < COALESCE(MINSTOCK, 0) * %2 "
                                  "THEN COALESCE(SLDATE, CAST(:D AS DATE)) ELSE NULL END")
                       .arg(q, QLatin1String(kUnits));
            usesDate = true;
        }
        break;
    case DocKind::OpeningBalance:
        if (save) {
            set << add("QTYIN", q, '+') << add("ONHAND", q, '+') << add("TOTCOST", cTimesQSql(), '+')
                << QStringLiteral("UCOST = ") + incomingWhenCostedSql(m, cTimesQSql())
                << QStringLiteral("QUNITS = ") + QLatin1String(kUnits);
        } else {
            set << add("QTYIN", q, '-') << add("ONHAND", q, '-')
                << add("TOTCOST", QStringLiteral("CAST(CAST(:QTY AS NUMERIC(18,4)) * CAST(:UCOSTL AS NUMERIC(18,4)) AS NUMERIC(18,2))"), '-');
        }
        break;
    }

    db::Query u(tr, QStringLiteral("UPDATE STOCK SET %1 WHERE %2").arg(set.join(QStringLiteral(", ")), where));
    const QStringList names = u.parameterNames();
    auto bindIf = [&](const char* name, const db::Value& value) {
        if (names.contains(QLatin1String(name))) u.bind(QLatin1String(name), value);
    };
    bindIf("ITEMNO", line.itemNo.trimmed());
    bindIf("UINDEX", std::int64_t(line.uIndex));
    bindIf("QTY", line.qty.toDecimal());
    bindIf("UCOSTL", line.unitCost.toDecimal());
    if (usesV) bindIf("V", line.lineTotal.toDecimal());
    if (usesDate) bindIf("D", line.docDate);
    if (usesExpiry) bindIf("EDATE", line.expiry);
    return u.executeUpdate(QStringLiteral("STOCK"), where) > 0;
}

} // namespace kv::masters
