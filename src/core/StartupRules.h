#pragma once
// Start-up decisions and the item file's computed quantities: pure rules, no database.
#include "core/Money.h"
#include <QDate>
#include <QString>
#include <array>
#include <optional>

namespace kv::core {

// The server must be named by its real host name: "localhost" in any letter case (blanks
// around it ignored) is refused. An address such as 127.0.0.1 is accepted.
bool isLocalhostName(const QString& server);

// mSysID from a random number: r mod 2256256, plus 1000 when below 1000.
QString makeSysId(quint32 random);

// The tables whose latest TRDATE makes LTrDate, in the order they are read:
// sales invoices, returns, purchases, issues, receipts, payments.
inline constexpr std::array<const char*, 6> latestDateTables = {"TRANS3", "TRANS4", "TRANS1",
                                                                 "TRANS2", "RECPT",  "PAID"};
// LTrDate from the results of "select max(TRDATE) from <table>" in that order: nullopt when the
// query gave no row, an invalid date when the maximum was NULL. The first result (or mcHDate when
// it gave no row) is the start; each later valid date replaces it when later. An empty start is
// replaced by any valid date.
QDate latestDocumentDate(const std::array<std::optional<QDate>, 6>& maxDates, const QDate& mcHDate);

// The quantity columns of one STOCK row (small units) with its unit data.
struct StockAmounts {
    Qty QTYIN, QTYOUT, QTYSOLD, QTYRET, ONHAND;
    Qty QUNITS;  // small units in one large unit
    Price UCOST; // cost of one small unit
};

// Which item dataset computes the values: the item file, or the single row a document updates.
enum class StockFlavour {
    Stock,  // a quotient is 0 when its source is 0; CURVAL = ONHAND × UCOST
    StockZ, // a quotient is 0 when its source is 0 or negative; CURVAL = ONHAND × UCST
};

// The computed fields of an item row: quantities in large units, cost of a large unit, stock value.
struct ItemQuantities {
    Qty QIN, QOUT, QSOLD, QRET, QONHND;
    Price UCST;   // QUNITS × UCOST
    Money CURVAL;

    // QUNITS 0 (or less) gives quotients of 0.
    static ItemQuantities compute(const StockAmounts& row, StockFlavour flavour);
    // One quotient: small-unit quantity / QUNITS, rounded to 4 decimals.
    static Qty largeUnits(Qty smallUnits, Qty qUnits, StockFlavour flavour);
};

} // namespace kv::core
