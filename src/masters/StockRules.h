#pragma once
// How documents change an item's running quantities and cost: the one place every document
// (purchase, issue, sales, return, opening balances) calls, inside the document's own
// transaction, once per document line.
//
//   db::Transaction tr(*session.MainDB);
//   ... write the document header and lines ...
//   masters::StockLine line{itemNo, uIndex, qty, unitCost, lineTotal, invoiceDate};
//   masters::applyStockEffect(tr, masters::StockSettings::from(session),
//                             masters::DocKind::Purchase, masters::Direction::Save, line);
//   tr.commit();   // a DbError with isBusy(): roll back the whole save and retry or report
//
// Each call is ONE in-database UPDATE of the item's row with increments, so two workstations
// saving lines of the same item never lose an update: the second one fails at once as busy
// (no-wait transactions) instead of overwriting the first. The cost rules need the on-hand
// quantity before the change; the UPDATE computes them from the old column values (Firebird
// evaluates every SET expression on the row as it was before the statement). A line whose item
// does not exist changes nothing (the call returns false).
//
// Units: STOCK counts in small units. A line in the large unit (UINDEX 1) has base quantity
// qty × QUNITS and cost per small unit unitCost / QUNITS; in the small unit (UINDEX 2) both are
// the line's own. The item's QUNITS is read by the UPDATE itself; a QUNITS of 0 (or less) counts
// as 1. UCOST is written with two decimals, rounded half away from zero.
#include "core/Money.h"
#include <QDate>
#include <QString>

namespace kv::core { struct Session; }
namespace kv::db { class Transaction; }

namespace kv::masters {

// Quantities kept in STOCK (QTYIN ... ONHAND, FSTOCK, QUNITS): NUMERIC(18,2).
using StockQty = core::Fixed<2>;

enum class DocKind {
    Purchase,       // purchase invoice
    Issue,          // issue voucher
    Sale,           // sales invoice (items of group "LB" are not stock-tracked)
    Return,         // return voucher (never deleted)
    OpeningBalance, // opening stock balances: Save posts, Delete un-posts
};

enum class Direction { Save, Delete };

enum class CostMethod {
    Average, // gCostPr "1" (and anything that is not "2")
    Last,    // gCostPr "2"
};

struct StockSettings {
    CostMethod cost = CostMethod::Average;
    static StockSettings from(const core::Session& s);
};

// One document line as the stock rules need it.
struct StockLine {
    QString itemNo;
    int uIndex = 2;          // 1 large unit, 2 small unit
    core::Qty qty;           // the line's quantity, in its unit
    core::Price unitCost;    // the line's unit cost, in its unit (purchase cost, or the cost
                             // carried by a sales / issue / return / opening-balance line)
    core::Money lineTotal;   // V: the line total (LTOTAL)
    QDate docDate;           // the document's date: LQTYIN (purchase), LQTYSOLD (sale), SLDATE (return)
    QDate expiry;            // purchase lines: the line's expiry date, invalid when none
};

// Applies the effect of one line. Returns true when the item exists and was updated, false when
// nothing changed (no such item, or an "LB" item on a sales invoice). Throws db::DbError on a
// database failure (isBusy() when another transaction holds the item row); nothing of the call
// remains then, and the caller rolls back its transaction.
//
// Effects (Q base quantity, V line total, c cost per small unit):
//   Purchase  save:   QTYIN+=Q ONHAND+=Q TOTCOST+=V, UCOST incoming (value V) when c>0,
//                     LQTYIN:=date, EDATE:=the line's expiry when the item has one and it is earlier
//             delete: QTYIN-=Q ONHAND-=Q TOTCOST-=V, UCOST reversal
//   Issue     save:   QTYOUT+=Q ONHAND-=Q OUTCOST+=V
//             delete: QTYOUT-=Q ONHAND+=Q OUTCOST-=V, UCOST incoming (value V)
//   Sale      save:   QTYSOLD+=Q ONHAND-=Q OUTCOST+=V, LQTYSOLD:=date when later   (not "LB")
//             delete: QTYSOLD-=Q ONHAND+=Q OUTCOST-=V, UCOST incoming (value c×Q)  (not "LB")
//   Return    save:   QTYRET+=Q ONHAND+=Q OUTCOST-=V, UCOST incoming (value c×Q) when c>0,
//                     QUNITS 0 -> 1, SLDATE (see below)
//             delete: refused (std::logic_error): return vouchers are not deleted
//   Opening   save:   QTYIN+=Q ONHAND+=Q TOTCOST+=c×Q, UCOST incoming (value c×Q) when c>0,
//                     QUNITS 0 -> 1
//             delete: QTYIN-=Q ONHAND-=Q TOTCOST-=qty×unitCost
// Incoming rule: average cost: ONHAND (before) > 0 ? (UCOST×ONHAND + value)/(ONHAND+Q) : c;
//                last cost: c.
// Reversal rule: average cost: R = ONHAND (before) - Q; R > 0 ? (UCOST×ONHAND - V)/R : 0;
//                last cost: unchanged.
// SLDATE (return save) marks since when the item has been below its re-order level: after the
// update, when the on-hand quantity in large units is below MINSTOCK it keeps its date or takes
// the voucher's date, otherwise it is cleared.
bool applyStockEffect(db::Transaction& tr, const StockSettings& settings, DocKind kind, Direction direction,
                      const StockLine& line);
inline bool applyStockEffect(db::Transaction& tr, const core::Session& s, DocKind kind, Direction direction,
                             const StockLine& line)
{
    return applyStockEffect(tr, StockSettings::from(s), kind, direction, line);
}

// Pure helpers the screens reuse (the same arithmetic the UPDATE does).
// QUNITS used for conversions: the item's QUNITS, or 1 when it is 0 or less.
core::Qty effectiveUnits(core::Qty qUnits);
// The line's quantity in small units: qty × QUNITS for UINDEX 1, qty otherwise.
core::Qty baseQuantity(core::Qty qty, int uIndex, core::Qty qUnits);
// The line's cost of one small unit: unitCost / QUNITS for UINDEX 1, unitCost otherwise.
core::Price costPerSmallUnit(core::Price unitCost, int uIndex, core::Qty qUnits);

// The cost rules on plain values, as the UPDATE applies them (each result rounded to 2 decimals).
//   onHand: ONHAND before the change; q: base quantity; c: cost per small unit.
core::Money incomingCost(CostMethod m, core::Money ucost, StockQty onHand, core::Qty q, core::Money value,
                         core::Price c);
core::Money reversalCost(CostMethod m, core::Money ucost, StockQty onHand, core::Qty q, core::Money value);

} // namespace kv::masters
