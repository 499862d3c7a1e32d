#pragma once
// The sales invoice screen's commands that do not belong to the invoice under entry: the list of
// held invoices, the item's sales history for the customer (F8), the buyer VAT number added to a
// saved invoice ("+"), and the line repair mode (Shift+F9) run before moving to another invoice.
// No widgets.
//
//   for (const documents::HeldInvoice& h : documents::heldInvoices(session)) list.add(h.CUSTNAME, h.number);
//   invoice.resume(picked.number);
//
//   auto rows = documents::itemSalesHistory(session, line.ITEMNO, invoice.header.ACCTNO);
//   window.setWindowTitle(documents::itemHistoryCaption(itemDescr, rows.size()));
//
//   if (documents::canAddBuyerTaxCode(session, shown)) {          // before the prompt
//       Outcome o = documents::addBuyerTaxCode(session, shown, prompt.text());
//       if (!o.message.isEmpty()) show(o.message);
//   }
//
//   documents::repairIfNeeded(session, shown, repairArmed);       // then move to the next invoice
#include "core/Money.h"
#include "documents/SalesInvoice.h"
#include <QDate>
#include <QList>
#include <QString>

namespace kv::core { struct Session; }
namespace kv::db { class Transaction; }

namespace kv::documents {

// A header of the hold table of this connection.
struct HeldInvoice {
    int number = 0;
    QString ACCTNO, CUSTNAME;
};
// The held invoices by customer name (then hold number).
QList<HeldInvoice> heldInvoices(const core::Session& s);

// One saved line of the item for the account.
struct SaleHistoryRow {
    int INVSEL = 0;
    QDate TRDATE;
    QString ACCTNO, ITEMNO;
    core::Qty QTYSOLD;
    core::Price UPRICE;
    core::Money value; // UPRICE × QTYSOLD
};
// The saved lines of an item sold to an account, by date (then invoice number).
QList<SaleHistoryRow> itemSalesHistory(const core::Session& s, const QString& itemNo, const QString& acctNo);
// The history window's caption: "مبيعات صـنف   -   " + description + "  عدد السجلات: " + rows.
QString itemHistoryCaption(const QString& itemDescr, int rows);

// Whether "+" offers the VAT number prompt for saved invoice invSel: an "OP" user needs T01, and
// the invoice must exist with an INVTOT other than 0.
bool canAddBuyerTaxCode(const core::Session& s, int invSel);
// Stores the typed buyer VAT number in TRANS3.TAXCODE and commits. Stops without a message when
// the prompt may not be offered (canAddBuyerTaxCode) or the text is empty; a number longer than
// the column gives text::taxCodeTooLong(); a row held by another workstation mInUse.
Outcome addBuyerTaxCode(core::Session& s, int invSel, const QString& code);

// Whether the shown invoice is repaired before the screen moves on: it has lines, and the mode
// is armed or its last line (the one the browse grid stands on) has QSOLD 0, UINDEX 0 or no
// account.
bool invoiceNeedsRepair(const core::Session& s, int invSel, bool armed);
// Repairs saved invoice invSel in the caller's transaction. Per line, with its item read again:
// UINDEX 0 becomes 1; when QSOLD is 0 or the mode is armed, QSOLD and UCOST are taken from the
// item (unit 1: QUNITS × quantity and QUNITS × UCOST; unit 2: the quantity and UCOST; QUNITS 0
// counts as 1; a line whose item is gone keeps them) and the line date becomes the invoice date;
// an empty line account or salesman is filled from the header. Then the header's SUBAMNT is the
// sum of the lines' UPRICE × QTYSOLD (each rounded to 0.00), AMOUNT = SUBAMNT - DISVAL, TOTCOST
// the sum of UCOST × QTYSOLD rounded to 0.00. VTAX, INVTOT and the items' stock stay as they are.
void repairInvoice(db::Transaction& tr, int invSel, bool armed);
// invoiceNeedsRepair, then repairInvoice in a transaction of its own, committed. True when it
// repaired. A database failure (a row held elsewhere) propagates as db::DbError.
bool repairIfNeeded(core::Session& s, int invSel, bool armed);

namespace text {
inline QString itemSalesCaption() { return QStringLiteral("مبيعات صـنف   -   "); }
inline QString recordCount() { return QStringLiteral("عدد السجلات: "); }
inline QString taxCodeTooLong() { return QStringLiteral("الرقم الضريبي أطول من 20 خانة"); }
} // namespace text

} // namespace kv::documents
