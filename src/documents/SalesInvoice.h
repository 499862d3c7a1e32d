#pragma once
// The sales invoice under entry, in memory: its header (TRANS3), its lines (the rows of the
// line work table, saved to TRANS3D), and the rules of the entry screen: the customer selection,
// the line rules run when a line is posted, the totals, and the checks run before a save. No
// widgets: the screen binds its fields to `header` and `lines` and shows the outcomes.
//
//   documents::SalesInvoice inv(session);                 // as Insert starts it
//   inv.selectCustomer("120005");                         // terms, days, address, balance, prices
//   int i = inv.appendLine();
//   documents::SalesLine l = inv.lines[i];
//   l.ITEMNO = "10001"; l.UINDEX = 1; l.QTYSOLD = Qty::fromInt(2);
//   documents::Outcome o = inv.postLine(i, l, inv.lineBefore(i));
//   if (!o.message.isEmpty()) show(o.message);            // a refusal, or the minimum-price notice
//   if (!o.ok) focus(o.field);                            // the line stays under edit
//   ...
//   if (auto c = inv.checkSave(); !c.ok) { if (!c.message.isEmpty()) show(c.message); focus(c.field); }
//   documents::SalesInvoiceWriter w(session, inv);        // then the workflow saves it
//
// Money and quantities are fixed-point; every value is rounded half away from zero exactly where
// the entry screen formats it.
#include "core/Money.h"
#include "documents/DocumentWriter.h"
#include "masters/Accounts.h"
#include "masters/Common.h"
#include <QDate>
#include <QHash>
#include <QList>
#include <QString>
#include <QTime>
#include <functional>
#include <optional>

namespace kv::core { struct Session; }
namespace kv::db { class Transaction; }
namespace kv::masters { struct Item; }

namespace kv::documents {

// Line discount percentages (TRANS3D.DISPER), shown "0.000000".
using Percent6 = core::Fixed<6>;

// Payment terms (TIRMS).
enum class Terms : int {
    Cash = 0,   // "فـاتـورة نـقـديــة"
    Credit = 1, // "فـاتـورة آجـلــــة"
};

// One invoice line (a row of the line work table; a row of TRANS3D once saved).
struct SalesLine {
    int LNO = 0;              // work-table number; the saved number is the line's position
    QString ITEMNO;
    int MFRID = 0;
    int UINDEX = 1;           // 1 the item's large unit, 2 its small unit
    core::Qty QTYSOLD;        // in the line's unit
    core::Qty QSOLD;          // in small units
    core::Qty QTYRET;
    core::Price UPRICE;       // price of one unit of the line's unit
    core::Money UCOST;        // cost of one unit of the line's unit
    core::Money SUBAMNT;      // UPRICE × QTYSOLD
    core::Money DISVAL;       // typed discount amount
    Percent6 DISPER;          // DISVAL / SUBAMNT × 100, set when the line is saved
    core::Money AMOUNT;       // SUBAMNT - DISVAL
    core::Money VATPER;
    core::Money VATAMNT;

    // LTOTAL, the grid's gross value "الـمـبــلـغ": UPRICE × QTYSOLD.
    core::Money grossValue() const;
    // LTOTAL2: AMOUNT + VATAMNT, or the gross value when VATPER is not positive.
    core::Money valueWithTax() const;
};

// The TRANS3 columns this screen writes.
struct SalesHeader {
    int INVSEL = 0;
    QDate TRDATE;
    QTime TRTIME;
    QDate DELDATE;
    QString ACCTNO, CUSTNAME, LOCAT;
    int TIRMS = 1;
    QString REFNO;
    int QUOTNO = 0, SALORD = 0, DAYS = 0;
    core::Money SUBAMNT;
    core::Price DISPER;
    core::Money DISVAL, AMOUNT, VTAX, INVTOT, TOTCOST;
    int DISFLG = 0;
    QString SALRID;
    int RVNO = 0;
    double VATPER = 0;        // the firm's VAT percentage when the invoice was started (a DOUBLE column)
    QString USERID;
    int POSTED = 0;
    masters::AccountAddress address; // buyer's address and identity, copied from the account

    Terms terms() const { return TIRMS == 0 ? Terms::Cash : Terms::Credit; }
};

// What a rule says: ok() false stops the action (the line stays under edit, the save does not
// happen). A message may come with ok true: the minimum-price notice, shown while the line is
// posted at the minimum. A stop without a message (the cash customer's name was filled in) only
// moves the focus.
struct Outcome {
    bool ok = true;
    QString message;
    QString field;            // column whose field gets the focus
    masters::Severity severity = masters::Severity::Information;

    static Outcome pass() { return {}; }
    static Outcome stop(const QString& message, const QString& field,
                        masters::Severity severity = masters::Severity::Error)
    {
        return {false, message, field, severity};
    }
    static Outcome notice(const QString& message, const QString& field)
    {
        return {true, message, field, masters::Severity::Warning};
    }
};

// What the line rules read besides the line and its item.
struct LineRules {
    Terms terms = Terms::Credit;
    bool checkStock = false;     // gXQSel "T"
    bool enforceMinimum = false; // an "OP" user without right R22
    core::Money vatPer;          // mVatTx
    const QHash<QString, core::Price>* customerPrices = nullptr; // the customer's PRICES rows

    static LineRules from(const core::Session& s, Terms terms);
};

// The item and unit of a line as they were before the current edit (cItemNo, cUIndex).
struct LineBefore {
    QString itemNo;
    int uIndex = 0;
};

// The list price of an item in a unit and terms: the large unit (or a one-unit item) UPRICE cash,
// UPRICEC credit; the small unit UPRICE2 / UPRICE2C; a credit price of 0 falls back to the cash one.
core::Price listPrice(const masters::Item& item, int uIndex, Terms terms);
// The lowest price an operator without R22 may sell at; 0 or less means no floor.
core::Price minimumPrice(const masters::Item& item, int uIndex, Terms terms);

// The rules of a line whose item was found, in order: VAT percentage and maker; unit, base
// quantity and unit cost; the stock check; the list price when the item or unit changed; the
// minimum price; the customer's price; the amounts. On a refusal the line is left unchanged.
Outcome applyLineRules(SalesLine& line, const masters::Item& item, const LineRules& rules, const LineBefore& before);
// The amounts of a line from its quantity, price, discount and VAT percentage, in this order:
// SUBAMNT = UPRICE × QTYSOLD, AMOUNT = SUBAMNT - DISVAL, VATAMNT = VATPER / 100 × AMOUNT.
void computeLineAmounts(SalesLine& line);

// Line sums as the totals add them up (each value already at two decimals).
struct SalesTotals {
    core::Money SUBAMNT, DISVAL, AMOUNT, VTAX, TOTCOST;
    core::Qty units;          // sum of the lines' QTYSOLD ("العدد: ")
    core::Money invoiceTotal() const { return AMOUNT + VTAX; }
};
SalesTotals sumLines(const QList<SalesLine>& lines);

// Profit shown under the totals: AMOUNT - TOTCOST, shown without decimals; the percentage
// (AMOUNT - TOTCOST) / TOTCOST × 100 "0.00", only when TOTCOST is positive.
core::Money profit(const SalesHeader& h);
std::optional<core::Money> profitPercent(const SalesHeader& h);
QString wholeNumberText(core::Money m); // "0" pattern: rounded half away from zero

// The previous balance cBAL of an account, from the documents of the open year:
//   (issues + sales + payments) - (purchases + returns + receipts) + notices DR-CR
//   + the account's opening line in journal voucher 1 (DR-CR).
// Notices count only in a year database that has the NOTICE table.
core::Money previousBalance(db::Transaction& tr, const QString& acctNo);
core::Money previousBalance(const core::Session& s, const QString& acctNo);

// The TRANS3D rows a save writes: lines whose QTYSOLD is above 0, numbered by their position in
// the invoice (1, 2, 3 ... counting the dropped ones), QSOLD = QTYSOLD × whole item QUNITS for
// unit 1 (the units come from qUnitsOf, 0 or less counting as 1), DISPER when discount and sum
// are both positive.
struct SavedLine {
    int LNO = 0;
    SalesLine line;
};
QList<SavedLine> linesToSave(const QList<SalesLine>& lines, const std::function<core::Qty(const QString&)>& qUnitsOf);

class SalesInvoice {
public:
    // A new invoice as Insert starts it: provisional number mInvSel + 1, the cash account, credit
    // terms, today (the working date in a Hijri year), the user, the firm's VAT percentage.
    explicit SalesInvoice(const core::Session& s);

    SalesHeader header;
    QList<SalesLine> lines;

    // The customer selection (leaving the account field, and again at every save). An empty
    // account clears the balance and the price list; an unknown one gives mNoAct.
    Outcome selectCustomer(const QString& acctNo);
    // The cash entry of the terms selector: the cash account, balance 0.00.
    void chooseCash();
    bool isCashAccount() const;
    core::Money previousBalance() const { return cBAL_; }
    // "الرصيد الحالي": INVTOT + the previous balance.
    core::Money currentBalance() const { return header.INVTOT + cBAL_; }
    // The previous balance blinks while it is above zero.
    bool balanceBlinks() const { return cBAL_ > core::Money(); }
    const std::optional<masters::Account>& account() const { return account_; }
    const QHash<QString, core::Price>& customerPrices() const { return prices_; }
    // Cost, profit and profit percentage are shown to an "SV" user or one with R21.
    bool showsCost() const;

    // A new empty line at the end: UINDEX 1, quantity 0 (1 with barcode entry on). Returns its index.
    int appendLine();
    // The remembered item and unit of line i, as the screen takes them before an edit.
    LineBefore lineBefore(int i) const;
    // Posts an edited line at index i (i == lines.size() appends it): a blank item is refused
    // without a word, an unknown one with mNoItm, then applyLineRules() and the totals. On a
    // refusal the stored line is unchanged.
    Outcome postLine(int i, const SalesLine& edited, const LineBefore& before);
    void removeLine(int i);
    // Totals after a line change, on leaving the grid and before saving.
    void recomputeTotals();

    // Making the invoice from a quotation (QUOT) or a delivery note (QREQ): the account (and for a
    // delivery note REFNO and LOCAT) and every source line as a new line, posted through the line
    // rules with the source's unit, quantity and price (a line refused by the rules is left out;
    // the first refusal comes back as a notice). The document is marked converted when this
    // invoice is saved.
    Outcome convertFromQuotation(int quotNo);
    Outcome convertFromDeliveryNote(int qreqNo);
    // The source a save marks converted (0 when none).
    int convertedQuotation() const { return convQuot_; }
    int convertedDeliveryNote() const { return convQReq_; }

    // Holding (the hold button, through Workflow::hold): the header fields a held invoice keeps and
    // one hold-line row per line with an item, in line order, under `holdNumber`, in the caller's
    // transaction (on this connection: the hold tables are private to it).
    //   flow.hold([&](db::Transaction& tr, int n) { invoice.park(tr, n); });
    void park(db::Transaction& tr, int holdNumber) const;
    // Picking a held invoice from the list while a new one is under entry: its header fields
    // replace the invoice's, the customer selection runs for its account (balance, price list,
    // address) with the held customer name, salesman, days and terms kept; its lines replace the
    // invoice's lines with their stored unit, quantities, cost and price (no repricing: the
    // operator already saw these prices), the amounts recomputed; an empty line follows them. The
    // held rows are deleted and committed, the totals recomputed. An unknown number stops without
    // a message; a held account that is no longer on file comes back as a notice (mNoAct, ACCTNO)
    // after the invoice was resumed. The address (with the buyer's VAT number) comes from the
    // account again, or is `heldAddress` when given: the hold tables have no address columns, so
    // the screen keeps the address of each invoice it held, edits in the address window included.
    Outcome resume(int holdNumber, const std::optional<masters::AccountAddress>& heldAddress = std::nullopt);

    // F3, the line total typed into the prompt: empty does nothing; not a number
    // text::badAmount(); a line of quantity 0 text::enterQuantity(); otherwise the price becomes
    // total / quantity (four decimals) and the line is posted as it stands (its list price is not
    // applied again; the minimum price and the customer's price still are). A line without an
    // item keeps the new price and stays under edit.
    Outcome setLineTotal(int i, const QString& typed);
    // F1, a code read into the prompt: empty does nothing; a code not in ITEMBC gives mNoItm and
    // the line is left as it was; otherwise the item goes into line i (i == lines.size() appends)
    // and the line is posted as an item change.
    Outcome enterBarcode(int i, const QString& code);
    // The address window under entry with "Update Address" ticked: the account's LOCAT and its 13
    // address and identity columns into the header (nothing when the account is not on file).
    void copyAddressFromAccount();

    // The save checks in order, up to the question the screen asks next. May change the invoice: the terms
    // from the account, the customer selection, the cash customer's name, the totals.
    Outcome checkSave();

    const core::Session& session() const { return s_; }

private:
    Outcome convertFrom(bool quotation, int number);
    void loadPrices(const QString& acctNo);
    SalesLine newLine() const;
    int nextLineNumber();

    const core::Session& s_;
    std::optional<masters::Account> account_;
    QHash<QString, core::Price> prices_;
    core::Money cBAL_;
    int nextLno_ = 0;
    int convQuot_ = 0, convQReq_ = 0;
};

// Writes a checked invoice under its number in the workflow's transaction: the TRANS3 header,
// its TRANS3D lines, every line's sale effect on its item, the invoice total into the account's
// DR (when SalOnly is 1), and the quotation or delivery note it was made from marked converted.
// Nothing is read back and written again: every change is an insert or an increment.
class SalesInvoiceWriter : public DocumentWriter {
public:
    SalesInvoiceWriter(const core::Session& s, const SalesInvoice& invoice);
    void write(db::Transaction& tr, int number) override;

    // What the last write() stored (the header with its number and time, the saved lines).
    const SalesHeader& written() const { return written_; }
    const QList<SavedLine>& writtenLines() const { return writtenLines_; }

private:
    const core::Session& s_;
    const SalesInvoice& inv_;
    SalesHeader written_;
    QList<SavedLine> writtenLines_;
};

// Fixed texts of the sales invoice, exactly as they are shown.
namespace text {
inline QString salesInvoiceCaption() { return QStringLiteral("فـواتيـر المبيـعـات"); }
inline QString quantityNotAvailable() { return QStringLiteral("الكمية المطلوبة غير متوفرة"); }
inline QString priceBelowMinimum() { return QStringLiteral("سعر البيع أقل من السعر المحدد"); } // mLessPr
inline QString badInvoiceNumber() { return QStringLiteral("رقم الفاتورة غير صحيح"); }
inline QString badInvoice() { return QStringLiteral("الفاتورة غير صحيحة"); }
inline QString accountSuspended() { return QStringLiteral("رقم الحساب موقوف"); }
inline QString creditLimitExceeded() { return QStringLiteral("تجاوز العميل مبلغ الإئتمان المحدد"); }
inline QString cashSalesName() { return QStringLiteral("مبيعات نقدية"); }
inline QString quotationNotFound() { return QStringLiteral("عرض الاسعار غير موجود"); }
inline QString deliveryNoteNotFound() { return QStringLiteral("سند التسليم غير موجود"); }
inline QString quotationConverted() { return QStringLiteral("تم تحويل عرض الاسعار إلى فاتورة مسبقا"); }
inline QString deliveryNoteConverted() { return QStringLiteral("تم تحويل سند التسليم إلى فاتورة مسبقا"); }
inline QString askPrintInvoice() { return QStringLiteral("هل تريد طباعة الفاتورة؟"); }
inline QString enterLineTotal() { return QStringLiteral("أدخل المبلغ الاجمالي"); }
inline QString badAmount() { return QStringLiteral("المبلغ غير صحيح"); }
inline QString enterQuantity() { return QStringLiteral("أدخل الكمية"); }
inline QString readBarcode() { return QStringLiteral("إقرأ الباركود"); }
inline QString enterTaxCode() { return QStringLiteral("أدخل الرقم الضريبي"); }
} // namespace text

} // namespace kv::documents
