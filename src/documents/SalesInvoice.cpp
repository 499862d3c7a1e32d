#include "documents/SalesInvoice.h"
#include "core/Session.h"
#include "db/Connection.h"
#include "masters/AccountTotals.h"
#include "masters/Items.h"
#include "masters/Salesmen.h"
#include "masters/StockRules.h"
#include <cmath>
#include <stdexcept>

namespace kv::documents {

using core::Money;
using core::Price;
using core::Qty;

namespace {

const QString kItemNo = QStringLiteral("ITEMNO");
const QString kQty = QStringLiteral("QTYSOLD");
const QString kUPrice = QStringLiteral("UPRICE");
const QString kAcctNo = QStringLiteral("ACCTNO");

Price asPrice(Money m) { return m.round<4>(); }

// An item counts as a one-unit item when its QUNITS is 1 (or not a usable count at all).
bool hasOneUnit(const masters::Item& item) { return item.QUNITS <= masters::StockQty::fromInt(1); }

Money moneyOf(const db::Value& v)
{
    if (auto d = std::get_if<db::Decimal>(&v)) return Money::fromDecimal(*d);
    if (auto i = std::get_if<std::int64_t>(&v)) return Money::fromInt(*i);
    if (auto f = std::get_if<double>(&v)) return Money::fromUnits(std::llround(*f * 100));
    return Money();
}

db::Value textOrNull(const QString& t)
{
    const QString v = t.trimmed();
    return v.isEmpty() ? db::Value(db::Null{}) : db::Value(v);
}

// The columns a line has in TRANS3D and in the hold-line table alike.
void bindLineValues(db::Query& q, const SalesLine& l)
{
    q.bind(QStringLiteral("MFRID"), l.MFRID > 0 ? db::toValue(l.MFRID) : db::Value(db::Null{}))
        .bind(QStringLiteral("UINDEX"), l.UINDEX)
        .bind(QStringLiteral("QTYSOLD"), l.QTYSOLD.toDecimal())
        .bind(QStringLiteral("QSOLD"), l.QSOLD.toDecimal())
        .bind(QStringLiteral("UPRICE"), l.UPRICE.toDecimal())
        .bind(QStringLiteral("UCOST"), l.UCOST.toDecimal())
        .bind(QStringLiteral("SUBAMNT"), l.SUBAMNT.toDecimal())
        .bind(QStringLiteral("DISVAL"), l.DISVAL.toDecimal())
        .bind(QStringLiteral("DISPER"), l.DISPER.toDecimal())
        .bind(QStringLiteral("AMOUNT"), l.AMOUNT.toDecimal())
        .bind(QStringLiteral("VATPER"), l.VATPER.toDecimal())
        .bind(QStringLiteral("VATAMNT"), l.VATAMNT.toDecimal());
}

bool tableExists(db::Transaction& tr, const char* name)
{
    const db::Value v = db::scalar(tr, QStringLiteral("select count(*) from RDB$RELATIONS where RDB$RELATION_NAME = :N"),
                                   {{"N", QString::fromLatin1(name)}});
    return moneyOf(v) > Money();
}

// The integer value of the first four characters of the run's random number.
int sysIdPrefix(const core::Session& s)
{
    bool ok = false;
    const int n = s.mSysID.left(4).trimmed().toInt(&ok);
    return ok ? n : 0;
}

// A typed amount: Latin or Arabic-Indic digits, '.' or the Arabic decimal separator.
std::optional<core::Fixed<4>> parseAmount(const QString& typed)
{
    QString t = typed.trimmed();
    for (QChar& c : t) {
        const char16_t u = c.unicode();
        if (u >= 0x0660 && u <= 0x0669) c = QChar(u'0' + (u - 0x0660));
        else if (u >= 0x06F0 && u <= 0x06F9) c = QChar(u'0' + (u - 0x06F0));
        else if (u == 0x066B) c = QLatin1Char('.');
    }
    return core::Fixed<4>::parse(t);
}

} // namespace

// --- Lines -------------------------------------------------------------------------------------

Money SalesLine::grossValue() const { return core::mul<2>(UPRICE, QTYSOLD); }

Money SalesLine::valueWithTax() const
{
    return VATPER > Money() ? AMOUNT + VATAMNT : grossValue();
}

LineRules LineRules::from(const core::Session& s, Terms terms)
{
    LineRules r;
    r.terms = terms;
    r.checkStock = s.gXQSel.trimmed() == QLatin1String("T");
    r.enforceMinimum = s.vAdmin == QLatin1String("OP") && !s.allowed(core::Right::R22);
    r.vatPer = Money::fromUnits(std::llround(s.mVatTx * 100));
    return r;
}

Price listPrice(const masters::Item& item, int uIndex, Terms terms)
{
    const bool large = uIndex == 1 || hasOneUnit(item);
    const Money cash = large ? item.UPRICE : item.UPRICE2;
    const Money credit = large ? item.UPRICEC : item.UPRICE2C;
    if (terms == Terms::Credit && credit > Money()) return asPrice(credit);
    return asPrice(cash);
}

Price minimumPrice(const masters::Item& item, int uIndex, Terms terms)
{
    const bool large = uIndex == 1 || hasOneUnit(item);
    if (terms == Terms::Cash) return asPrice(large ? item.UPRICE : item.UPRICE2);
    return asPrice(large ? item.UPRICEC : item.UPRICE2C);
}

void computeLineAmounts(SalesLine& l)
{
    // QTYSOLD, UPRICE and QSOLD are held at four decimals already.
    l.SUBAMNT = core::mul<2>(l.UPRICE, l.QTYSOLD);
    l.AMOUNT = l.SUBAMNT - l.DISVAL;
    l.VATAMNT = core::div<2>(core::mul<4>(l.VATPER, l.AMOUNT), core::Fixed<0>::fromInt(100));
}

Outcome applyLineRules(SalesLine& line, const masters::Item& item, const LineRules& rules, const LineBefore& before)
{
    SalesLine l = line;
    l.VATPER = rules.vatPer;
    l.MFRID = item.MFRID;

    const bool oneUnit = hasOneUnit(item);
    const Qty units = item.QUNITS.round<4>();
    if (oneUnit) {
        l.UINDEX = 1;
        l.UCOST = item.UCOST;
        l.QSOLD = l.QTYSOLD;
    } else {
        if (l.UINDEX != 2) l.UINDEX = 1;
        l.QSOLD = l.UINDEX == 1 ? core::mul<4>(l.QTYSOLD, units) : l.QTYSOLD;
        l.UCOST = l.UINDEX == 1 ? core::mul<2>(item.UCOST, units) : item.UCOST;
    }

    // Each line against the item's on-hand quantity alone, not with the invoice's other lines.
    if (rules.checkStock && l.QSOLD > Qty() && item.ARTNO.trimmed() != QLatin1String("LB")
        && l.QSOLD > item.ONHAND.round<4>())
        return Outcome::stop(text::quantityNotAvailable(), kQty);

    if (l.ITEMNO != before.itemNo || (!oneUnit && l.UINDEX != before.uIndex))
        l.UPRICE = listPrice(item, l.UINDEX, rules.terms);

    Outcome result;
    if (rules.enforceMinimum) {
        const Price floor = minimumPrice(item, l.UINDEX, rules.terms);
        if (floor > Price() && l.UPRICE < floor) {
            result = Outcome::notice(text::priceBelowMinimum(), kUPrice);
            l.UPRICE = floor;
        }
    }

    // The customer's own price wins over everything, whatever the unit.
    if (rules.customerPrices) {
        const auto it = rules.customerPrices->constFind(l.ITEMNO);
        if (it != rules.customerPrices->constEnd()) l.UPRICE = *it;
    }

    computeLineAmounts(l);
    line = l;
    return result;
}

SalesTotals sumLines(const QList<SalesLine>& lines)
{
    SalesTotals t;
    core::Fixed<6> cost;
    for (const SalesLine& l : lines) {
        t.SUBAMNT += l.SUBAMNT;
        t.DISVAL += l.DISVAL;
        t.AMOUNT += l.AMOUNT;
        t.VTAX += l.VATAMNT;
        t.units += l.QTYSOLD;
        cost += core::mul<6>(l.UCOST, l.QTYSOLD);
    }
    t.TOTCOST = cost.round<2>();
    return t;
}

Money profit(const SalesHeader& h) { return h.AMOUNT - h.TOTCOST; }

std::optional<Money> profitPercent(const SalesHeader& h)
{
    if (h.TOTCOST <= Money()) return std::nullopt;
    return core::div<2>(profit(h) * 100, h.TOTCOST);
}

QString wholeNumberText(Money m) { return m.round<0>().toString(); }

QList<SavedLine> linesToSave(const QList<SalesLine>& lines, const std::function<Qty(const QString&)>& qUnitsOf)
{
    QList<SavedLine> out;
    for (int i = 0; i < lines.size(); ++i) {
        const SalesLine& l = lines[i];
        if (l.QTYSOLD <= Qty()) continue;
        SavedLine s{i + 1, l};
        if (l.UINDEX == 1) {
            Qty units = qUnitsOf(l.ITEMNO).round<0>().round<4>();
            if (units <= Qty()) units = Qty::fromInt(1);
            s.line.QSOLD = core::mul<4>(l.QTYSOLD, units);
        } else {
            s.line.QSOLD = l.QTYSOLD;
        }
        s.line.DISPER = Percent6();
        if (l.DISVAL > Money() && l.SUBAMNT > Money()) s.line.DISPER = core::div<6>(l.DISVAL * 100, l.SUBAMNT);
        out.append(s);
    }
    return out;
}

// --- Previous balance ----------------------------------------------------------------------------

Money previousBalance(db::Transaction& tr, const QString& acctNo)
{
    // One statement, one round trip: each document table summed on its account index; a missing
    // sum, or a missing side of a row, counts as 0.
    QString sql = QStringLiteral(
        "select"
        " (select coalesce(sum(INVTOT), 0) from TRANS1 where ACCTNO = :A) as PURCHASES,"
        " (select coalesce(sum(AMOUNT), 0) from TRANS2 where ACCTNO = :A) as ISSUES,"
        " (select coalesce(sum(INVTOT), 0) from TRANS3 where ACCTNO = :A) as SALES,"
        " (select coalesce(sum(INVTOT), 0) from TRANS4 where ACCTNO = :A) as RETURNS_,"
        " (select coalesce(sum(CR), 0) from RECPT where ACCTNO = :A) as RECEIPTS,"
        " (select coalesce(sum(DR), 0) from PAID where ACCTNO = :A) as PAYMENTS,"
        " (select coalesce(sum(coalesce(DR, 0) - coalesce(CR, 0)), 0) from TRANS where ACCTNO = :A and TRNO = 1)"
        " as OPENING");
    const bool notices = tableExists(tr, "NOTICE");
    if (notices)
        sql += QStringLiteral(", (select coalesce(sum(coalesce(DR, 0) - coalesce(CR, 0)), 0) from NOTICE"
                              " where ACCTNO = :A) as NOTICES");
    sql += QStringLiteral(" from RDB$DATABASE");
    db::Query q(tr, sql);
    q.bind(QStringLiteral("A"), acctNo.trimmed());
    q.execute();
    if (!q.next()) return Money();
    const auto m = [&](const char* c) { return moneyOf(q.value(QString::fromLatin1(c))); };
    const Money result = (m("ISSUES") + m("SALES") + m("PAYMENTS")) - (m("PURCHASES") + m("RETURNS_") + m("RECEIPTS"))
                         + (notices ? m("NOTICES") : Money()) + m("OPENING");
    while (q.next()) {}
    return result;
}

Money previousBalance(const core::Session& s, const QString& acctNo)
{
    db::Transaction tr(*s.MainDB);
    const Money m = previousBalance(tr, acctNo);
    tr.commit();
    return m;
}

// --- The invoice ---------------------------------------------------------------------------------

SalesInvoice::SalesInvoice(const core::Session& s) : s_(s)
{
    header.INVSEL = s.mInvSel + 1;
    header.ACCTNO = s.jAcctNo.trimmed();
    header.TIRMS = 1;
    header.USERID = s.UNM;
    header.VATPER = s.mVatTx;
    header.TRTIME = QTime::currentTime();
    header.TRDATE = s.isHijriYear() ? s.mcHDate : QDate::currentDate();
}

bool SalesInvoice::isCashAccount() const
{
    return !header.ACCTNO.trimmed().isEmpty() && header.ACCTNO.trimmed() == s_.jAcctNo.trimmed();
}

bool SalesInvoice::showsCost() const { return s_.allowed(core::Right::R21); }

void SalesInvoice::loadPrices(const QString& acctNo)
{
    prices_.clear();
    if (acctNo.trimmed().isEmpty()) return;
    db::Transaction tr(*s_.MainDB);
    db::Query q(tr, QStringLiteral("select * from PRICES where ACCTNO = :sAcctNo order by ITEMNO"));
    q.bind(QStringLiteral("sAcctNo"), acctNo.trimmed());
    q.execute();
    while (q.next())
        prices_.insert(q.text(kItemNo).trimmed(), Price::fromDecimal(q.decimal(kUPrice, 4)));
    tr.commit();
}

Outcome SalesInvoice::selectCustomer(const QString& acctNo)
{
    const QString no = acctNo.trimmed();
    if (no.isEmpty()) {
        header.ACCTNO.clear();
        account_.reset();
        cBAL_ = Money();
        prices_.clear();
        return Outcome::pass();
    }
    std::optional<masters::Account> a = masters::AccountRepository(s_).find(no);
    if (!a) return Outcome::stop(s_.msg.mNoAct, kAcctNo);

    account_ = a;
    header.ACCTNO = a->ACCTNO.trimmed();
    header.DAYS = int(a->CRLIMIT1.round<0>().units());
    if (!a->address.TAXCODE.trimmed().isEmpty()) header.address = a->address;
    if (header.SALRID.trimmed().isEmpty()) header.SALRID = a->SALRID.trimmed();
    if (isCashAccount()) {
        header.TIRMS = int(Terms::Cash);
        cBAL_ = Money();
    } else {
        header.TIRMS = int(Terms::Credit);
        cBAL_ = documents::previousBalance(s_, header.ACCTNO);
    }
    loadPrices(header.ACCTNO);
    return Outcome::pass();
}

void SalesInvoice::chooseCash()
{
    header.ACCTNO = s_.jAcctNo.trimmed();
    header.TIRMS = int(Terms::Cash);
    cBAL_ = Money();
    account_ = masters::AccountRepository(s_).find(header.ACCTNO);
    // The cash account's own price rows replace the previous customer's.
    loadPrices(header.ACCTNO);
}

SalesLine SalesInvoice::newLine() const
{
    SalesLine l;
    l.UINDEX = 1;
    l.QTYSOLD = s_.gBCUse.trimmed() == QLatin1String("T") ? Qty::fromInt(1) : Qty();
    return l;
}

int SalesInvoice::appendLine()
{
    lines.append(newLine());
    return int(lines.size()) - 1;
}

int SalesInvoice::nextLineNumber() { return ++nextLno_ + sysIdPrefix(s_); }

LineBefore SalesInvoice::lineBefore(int i) const
{
    if (i < 0 || i >= lines.size()) return {};
    return {lines[i].ITEMNO, lines[i].UINDEX};
}

Outcome SalesInvoice::postLine(int i, const SalesLine& edited, const LineBefore& before)
{
    SalesLine l = edited;
    l.ITEMNO = l.ITEMNO.trimmed();
    if (l.ITEMNO.isEmpty()) return Outcome::stop(QString(), kItemNo); // a blank line is not posted

    const std::optional<masters::Item> item = masters::ItemRepository(s_).find(l.ITEMNO);
    if (!item) return Outcome::stop(s_.msg.mNoItm, kItemNo);
    l.ITEMNO = item->ITEMNO.trimmed();

    LineRules rules = LineRules::from(s_, header.terms());
    rules.customerPrices = &prices_;
    const Outcome o = applyLineRules(l, *item, rules, before);
    if (!o.ok) return o;

    if (l.LNO == 0) l.LNO = nextLineNumber();
    if (i >= 0 && i < lines.size())
        lines[i] = l;
    else
        lines.append(l);
    recomputeTotals();
    return o;
}

void SalesInvoice::removeLine(int i)
{
    if (i < 0 || i >= lines.size()) return;
    lines.removeAt(i);
    recomputeTotals();
}

void SalesInvoice::recomputeTotals()
{
    const SalesTotals t = sumLines(lines);
    header.TOTCOST = t.TOTCOST;
    // The percentage follows the discount total held before this recomputation.
    if (t.SUBAMNT > Money() && header.DISVAL > Money()) header.DISPER = core::div<4>(header.DISVAL * 100, t.SUBAMNT);
    header.SUBAMNT = t.SUBAMNT;
    header.DISVAL = t.DISVAL;
    header.AMOUNT = t.AMOUNT;
    header.VTAX = t.VTAX;
    header.INVTOT = t.invoiceTotal();
}

Outcome SalesInvoice::checkSave()
{
    using masters::Severity;
    if (header.INVSEL == 0) return Outcome::stop(text::badInvoiceNumber(), QStringLiteral("INVSEL"));
    if (header.AMOUNT.isZero()) return Outcome::stop(text::badInvoice(), kAcctNo);
    if (!header.TRDATE.isValid() || header.TRDATE.year() != s_.CurrYr.trimmed().toInt())
        return Outcome::stop(s_.msg.mWInYr, QStringLiteral("TRDATE"));
    if (s_.gDQSld.trimmed() != QLatin1String("T") && s_.LTrDate.isValid() && header.TRDATE < s_.LTrDate)
        return Outcome::stop(s_.msg.mNoTrN, QStringLiteral("TRDATE"));

    header.TIRMS = int(isCashAccount() ? Terms::Cash : Terms::Credit);

    if (header.ACCTNO.trimmed().isEmpty()) return Outcome::stop(s_.msg.mNoAct, kAcctNo);
    if (Outcome o = selectCustomer(header.ACCTNO); !o.ok) return o;

    if (account_->suspended()) return Outcome::stop(text::accountSuspended(), kAcctNo);
    if (account_->CRLIMIT2 > Money() && !isCashAccount() && account_->CRLIMIT2 < header.AMOUNT + cBAL_)
        return Outcome::stop(text::creditLimitExceeded(), kAcctNo);

    if (header.terms() == Terms::Cash && header.CUSTNAME.trimmed().isEmpty()) {
        // Filled in for the user to see; saving again goes on.
        header.CUSTNAME = text::cashSalesName();
        return Outcome::stop(QString(), QStringLiteral("CUSTNAME"), Severity::Information);
    }

    const QString salrId = header.SALRID.trimmed();
    if (!salrId.isEmpty() && !masters::SalesmanRepository(s_).find(salrId))
        return Outcome::stop(masters::text::salesmanNotFound(), QStringLiteral("SALRID"));

    recomputeTotals();
    return Outcome::pass();
}

// --- Holding and resuming ------------------------------------------------------------------------

void SalesInvoice::park(db::Transaction& tr, int holdNumber) const
{
    tr.execute(QStringLiteral("insert into ZGT_TRNS3H (INVSEL, ACCTNO, CUSTNAME, LOCAT, TIRMS, REFNO, QUOTNO, SALORD,"
                              " DAYS, DISFLG, SALRID) values (:INVSEL, :ACCTNO, :CUSTNAME, :LOCAT, :TIRMS, :REFNO,"
                              " :QUOTNO, :SALORD, :DAYS, :DISFLG, :SALRID)"),
               {{"INVSEL", db::toValue(holdNumber)},
                {"ACCTNO", textOrNull(header.ACCTNO)},
                {"CUSTNAME", textOrNull(header.CUSTNAME)},
                {"LOCAT", textOrNull(header.LOCAT)},
                {"TIRMS", db::toValue(header.TIRMS)},
                {"REFNO", textOrNull(header.REFNO)},
                {"QUOTNO", db::toValue(header.QUOTNO)},
                {"SALORD", db::toValue(header.SALORD)},
                {"DAYS", db::toValue(header.DAYS)},
                {"DISFLG", db::toValue(header.DISFLG)},
                {"SALRID", textOrNull(header.SALRID)}});

    db::Query line(tr, QStringLiteral("insert into ZGT_TRNS3D (INVSEL, LNO, ITEMNO, MFRID, UCOST, UINDEX, QTYSOLD, QSOLD,"
                                      " UPRICE, SUBAMNT, DISVAL, DISPER, AMOUNT, VATPER, VATAMNT) values (:INVSEL, :LNO,"
                                      " :ITEMNO, :MFRID, :UCOST, :UINDEX, :QTYSOLD, :QSOLD, :UPRICE, :SUBAMNT, :DISVAL,"
                                      " :DISPER, :AMOUNT, :VATPER, :VATAMNT)"));
    line.bind(QStringLiteral("INVSEL"), holdNumber);
    int order = 0;
    for (const SalesLine& l : lines) {
        if (l.ITEMNO.trimmed().isEmpty()) continue;
        line.bind(QStringLiteral("LNO"), ++order).bind(QStringLiteral("ITEMNO"), l.ITEMNO.trimmed());
        bindLineValues(line, l);
        line.execute();
    }
}

Outcome SalesInvoice::resume(int holdNumber, const std::optional<masters::AccountAddress>& heldAddress)
{
    SalesHeader held;
    QList<SalesLine> heldLines;
    {
        // The hold tables belong to this connection: the screen's own reads see the same rows.
        db::Transaction tr(*s_.MainDB);
        db::Query h(tr, QStringLiteral("select * from ZGT_TRNS3H where INVSEL = :N"));
        h.bind(QStringLiteral("N"), holdNumber);
        h.execute();
        if (!h.next()) return Outcome::stop(QString(), QString());
        held.ACCTNO = h.text(kAcctNo).trimmed();
        held.CUSTNAME = h.text(QStringLiteral("CUSTNAME")).trimmed();
        held.LOCAT = h.text(QStringLiteral("LOCAT")).trimmed();
        held.TIRMS = int(h.integer(QStringLiteral("TIRMS")));
        held.REFNO = h.text(QStringLiteral("REFNO")).trimmed();
        held.QUOTNO = int(h.integer(QStringLiteral("QUOTNO")));
        held.SALORD = int(h.integer(QStringLiteral("SALORD")));
        held.DAYS = int(h.integer(QStringLiteral("DAYS")));
        held.DISFLG = int(h.integer(QStringLiteral("DISFLG")));
        held.SALRID = h.text(QStringLiteral("SALRID")).trimmed();
        while (h.next()) {}

        db::Query d(tr, QStringLiteral("select * from ZGT_TRNS3D where INVSEL = :N order by LNO"));
        d.bind(QStringLiteral("N"), holdNumber);
        d.execute();
        while (d.next()) {
            SalesLine l;
            l.ITEMNO = d.text(kItemNo).trimmed();
            l.MFRID = int(d.integer(QStringLiteral("MFRID")));
            l.UCOST = Money::fromDecimal(d.decimal(QStringLiteral("UCOST"), 2));
            l.UINDEX = int(d.integer(QStringLiteral("UINDEX"))) == 2 ? 2 : 1;
            l.QTYSOLD = Qty::fromDecimal(d.decimal(kQty, 4));
            l.QSOLD = Qty::fromDecimal(d.decimal(QStringLiteral("QSOLD"), 4));
            l.UPRICE = Price::fromDecimal(d.decimal(kUPrice, 4));
            l.DISVAL = Money::fromDecimal(d.decimal(QStringLiteral("DISVAL"), 2));
            l.DISPER = Percent6::fromDecimal(d.decimal(QStringLiteral("DISPER"), 6));
            l.VATPER = Money::fromDecimal(d.decimal(QStringLiteral("VATPER"), 2));
            heldLines.append(l);
        }
        tr.execute(QStringLiteral("delete from ZGT_TRNS3D where INVSEL = :N"), {{"N", db::toValue(holdNumber)}});
        tr.execute(QStringLiteral("delete from ZGT_TRNS3H where INVSEL = :N"), {{"N", db::toValue(holdNumber)}});
        tr.commit();
    }

    header.ACCTNO = held.ACCTNO;
    header.CUSTNAME = held.CUSTNAME;
    header.LOCAT = held.LOCAT;
    header.TIRMS = held.TIRMS;
    header.REFNO = held.REFNO;
    header.QUOTNO = held.QUOTNO;
    header.SALORD = held.SALORD;
    header.DAYS = held.DAYS;
    header.DISFLG = held.DISFLG;
    header.SALRID = held.SALRID;
    // A number in these fields was converted into this invoice before it was held (a refused
    // conversion clears its field), so the save marks it as the original entry would have.
    convQuot_ = held.QUOTNO;
    convQReq_ = held.SALORD;

    header.address = masters::AccountAddress{};
    Outcome result = selectCustomer(held.ACCTNO);
    if (heldAddress) header.address = *heldAddress;
    if (!result.ok) result = Outcome::notice(result.message, result.field);
    header.CUSTNAME = held.CUSTNAME;
    header.SALRID = held.SALRID;
    header.DAYS = held.DAYS;
    header.TIRMS = held.TIRMS;

    lines.clear();
    for (SalesLine& l : heldLines) {
        computeLineAmounts(l);
        l.LNO = nextLineNumber();
        lines.append(l);
    }
    appendLine();

    // The overall percentage follows the discount as a totals pass after the lines would show it.
    header.DISPER = Price();
    header.DISVAL = sumLines(lines).DISVAL;
    recomputeTotals();
    return result;
}

// --- Line prompts and the address window ---------------------------------------------------------

Outcome SalesInvoice::setLineTotal(int i, const QString& typed)
{
    if (i < 0 || i >= lines.size() || typed.trimmed().isEmpty()) return Outcome::stop(QString(), QString());
    const std::optional<core::Fixed<4>> total = parseAmount(typed);
    if (!total) return Outcome::stop(text::badAmount(), kUPrice);
    SalesLine l = lines[i];
    if (l.QTYSOLD.isZero()) return Outcome::stop(text::enterQuantity(), kQty);
    l.UPRICE = core::div<4>(*total, l.QTYSOLD);
    if (l.ITEMNO.trimmed().isEmpty()) {
        // Nothing to post yet: the line keeps its price and stays under edit.
        computeLineAmounts(l);
        lines[i] = l;
        return Outcome::stop(QString(), kItemNo);
    }
    return postLine(i, l, LineBefore{lines[i].ITEMNO, lines[i].UINDEX});
}

Outcome SalesInvoice::enterBarcode(int i, const QString& code)
{
    if (code.trimmed().isEmpty()) return Outcome::stop(QString(), QString());
    if (i < 0 || i > lines.size()) i = int(lines.size());
    const std::optional<QString> itemNo = masters::BarcodeRepository(s_).itemFor(code);
    if (!itemNo) return Outcome::stop(s_.msg.mNoItm, kItemNo);
    SalesLine l = i < lines.size() ? lines[i] : newLine();
    l.ITEMNO = *itemNo;
    return postLine(i, l, lineBefore(i));
}

void SalesInvoice::copyAddressFromAccount()
{
    const QString no = header.ACCTNO.trimmed();
    if (no.isEmpty()) return;
    const std::optional<masters::Account> a = masters::AccountRepository(s_).find(no);
    if (!a) return;
    header.LOCAT = a->LOCAT.trimmed();
    header.address = a->address;
}

// --- Conversion from a quotation or a delivery note ----------------------------------------------

Outcome SalesInvoice::convertFromQuotation(int quotNo) { return convertFrom(true, quotNo); }
Outcome SalesInvoice::convertFromDeliveryNote(int qreqNo) { return convertFrom(false, qreqNo); }

Outcome SalesInvoice::convertFrom(bool quotation, int number)
{
    const QString field = quotation ? QStringLiteral("QUOTNO") : QStringLiteral("SALORD");
    if (number == 0) return Outcome::pass();

    struct Source {
        QString itemNo;
        int uIndex = 1;
        Qty qty;
        Price price;
    };
    QString acctNo, refNo, locat;
    QList<Source> source;
    int posted = 0;
    bool found = false;
    {
        db::Transaction tr(*s_.MainDB);
        db::Query h(tr, quotation ? QStringLiteral("select * from QUOT where QUOTNO = :sQuotNo")
                                  : QStringLiteral("select * from QREQ where QREQNO = :sQReqNo"));
        h.bind(quotation ? QStringLiteral("sQuotNo") : QStringLiteral("sQReqNo"), number);
        h.execute();
        if (h.next()) {
            found = true;
            posted = int(h.integer(QStringLiteral("POSTED")));
            acctNo = h.text(kAcctNo).trimmed();
            if (!quotation) {
                refNo = h.text(QStringLiteral("REFNO")).trimmed();
                locat = h.text(QStringLiteral("LOCAT")).trimmed();
            }
            db::Query d(tr, quotation ? QStringLiteral("select * from QUOTD where QUOTNO = :N order by LNO")
                                      : QStringLiteral("select * from QREQD where QREQNO = :N order by LNO"));
            d.bind(QStringLiteral("N"), number);
            d.execute();
            while (d.next())
                source.append({d.text(kItemNo).trimmed(), int(d.integer(QStringLiteral("UINDEX"))),
                               Qty::fromDecimal(d.decimal(QStringLiteral("QTYREQ"), 4)),
                               Price::fromDecimal(d.decimal(kUPrice, 4))});
        }
        tr.commit();
    }

    if (!found) {
        (quotation ? header.QUOTNO : header.SALORD) = 0;
        return Outcome::stop(quotation ? text::quotationNotFound() : text::deliveryNoteNotFound(), field);
    }
    if (posted == 1)
        return Outcome::stop(quotation ? text::quotationConverted() : text::deliveryNoteConverted(), field);

    // The account first, so that the terms and the customer's prices apply to the copied lines.
    if (Outcome o = selectCustomer(acctNo); !o.ok) return o;
    (quotation ? header.QUOTNO : header.SALORD) = number;
    (quotation ? convQuot_ : convQReq_) = number;
    if (!quotation) {
        header.REFNO = refNo;
        header.LOCAT = locat;
    }

    lines.clear();
    Outcome first;
    for (const Source& src : source) {
        SalesLine l;
        l.ITEMNO = src.itemNo;
        l.UINDEX = src.uIndex == 2 ? 2 : 1;
        l.QTYSOLD = src.qty;
        l.UPRICE = src.price;
        // The source's item and unit count as the line's before the edit: the quoted price stays
        // unless the minimum-price rule or the customer's price list says otherwise.
        const Outcome o = postLine(int(lines.size()), l, LineBefore{l.ITEMNO, l.UINDEX});
        if (!o.message.isEmpty() && first.message.isEmpty()) first = Outcome::notice(o.message, o.field);
    }
    recomputeTotals();
    return first;
}

// --- Writer --------------------------------------------------------------------------------------

SalesInvoiceWriter::SalesInvoiceWriter(const core::Session& s, const SalesInvoice& invoice) : s_(s), inv_(invoice) {}

void SalesInvoiceWriter::write(db::Transaction& tr, int number)
{
    SalesHeader h = inv_.header;
    h.INVSEL = number;

    // The credit limit once more, inside the save: another workstation may have saved an invoice
    // for the same customer since the check. The account row is locked first, so two saves for one
    // customer take turns (the second retries and then sees the first).
    const std::optional<masters::Account>& account = inv_.account();
    if (account && account->CRLIMIT2 > Money() && !inv_.isCashAccount()) {
        db::scalar(tr, QStringLiteral("select 1 from ACCT where ACCTNO = :A with lock"), {{"A", h.ACCTNO.trimmed()}});
        if (account->CRLIMIT2 < h.AMOUNT + previousBalance(tr, h.ACCTNO))
            throw std::runtime_error(text::creditLimitExceeded().toStdString());
    }

    const QTime now = QTime::currentTime();
    h.TRTIME = QTime(now.hour(), now.minute(), now.second());

    db::Query units(tr, QStringLiteral("select QUNITS from STOCK where ITEMNO = :I"));
    const QList<SavedLine> saved = linesToSave(inv_.lines, [&](const QString& itemNo) {
        units.bind(QStringLiteral("I"), itemNo);
        units.execute();
        Qty q = Qty::fromInt(1);
        if (units.next()) q = Qty::fromDecimal(units.decimal(QStringLiteral("QUNITS"), 4));
        while (units.next()) {}
        return q;
    });

    const masters::AccountAddress& a = h.address;
    tr.execute(QStringLiteral(
                   "insert into TRANS3 (INVSEL, TRDATE, TRTIME, DELDATE, ACCTNO, CUSTNAME, LOCAT, TIRMS, REFNO,"
                   " QUOTNO, SALORD, DAYS, SUBAMNT, DISPER, DISVAL, AMOUNT, VTAX, INVTOT, TOTCOST, DISFLG, SALRID,"
                   " RVNO, VATPER, USERID, POSTED, BUILDNO, STREETNM, STREETNME, DISTRICT, DISTRICTE, CITY, CITYE,"
                   " COUNTRY, COUNTRYE, PCODE, ADDRN2, TAXCODE, OTHERID)"
                   " values (:INVSEL, :TRDATE, :TRTIME, :DELDATE, :ACCTNO, :CUSTNAME, :LOCAT, :TIRMS, :REFNO,"
                   " :QUOTNO, :SALORD, :DAYS, :SUBAMNT, :DISPER, :DISVAL, :AMOUNT, :VTAX, :INVTOT, :TOTCOST, :DISFLG,"
                   " :SALRID, :RVNO, :VATPER, :USERID, :POSTED, :BUILDNO, :STREETNM, :STREETNME, :DISTRICT,"
                   " :DISTRICTE, :CITY, :CITYE, :COUNTRY, :COUNTRYE, :PCODE, :ADDRN2, :TAXCODE, :OTHERID)"),
               {{"INVSEL", db::toValue(h.INVSEL)},
                {"TRDATE", db::toValue(h.TRDATE)},
                {"TRTIME", db::toValue(h.TRTIME)},
                {"DELDATE", db::toValue(h.DELDATE)},
                {"ACCTNO", textOrNull(h.ACCTNO)},
                {"CUSTNAME", textOrNull(h.CUSTNAME)},
                {"LOCAT", textOrNull(h.LOCAT)},
                {"TIRMS", db::toValue(h.TIRMS)},
                {"REFNO", textOrNull(h.REFNO)},
                {"QUOTNO", db::toValue(h.QUOTNO)},
                {"SALORD", db::toValue(h.SALORD)},
                {"DAYS", db::toValue(h.DAYS)},
                {"SUBAMNT", h.SUBAMNT.toDecimal()},
                {"DISPER", h.DISPER.toDecimal()},
                {"DISVAL", h.DISVAL.toDecimal()},
                {"AMOUNT", h.AMOUNT.toDecimal()},
                {"VTAX", h.VTAX.toDecimal()},
                {"INVTOT", h.INVTOT.toDecimal()},
                {"TOTCOST", h.TOTCOST.toDecimal()},
                {"DISFLG", db::toValue(h.DISFLG)},
                {"SALRID", textOrNull(h.SALRID)},
                {"RVNO", db::toValue(h.RVNO)},
                {"VATPER", db::toValue(h.VATPER)},
                {"USERID", textOrNull(h.USERID)},
                {"POSTED", db::toValue(h.POSTED)},
                {"BUILDNO", textOrNull(a.BUILDNO)},
                {"STREETNM", textOrNull(a.STREETNM)},
                {"STREETNME", textOrNull(a.STREETNME)},
                {"DISTRICT", textOrNull(a.DISTRICT)},
                {"DISTRICTE", textOrNull(a.DISTRICTE)},
                {"CITY", textOrNull(a.CITY)},
                {"CITYE", textOrNull(a.CITYE)},
                {"COUNTRY", textOrNull(a.COUNTRY)},
                {"COUNTRYE", textOrNull(a.COUNTRYE)},
                {"PCODE", textOrNull(a.PCODE)},
                {"ADDRN2", textOrNull(a.ADDRN2)},
                {"TAXCODE", textOrNull(a.TAXCODE)},
                {"OTHERID", textOrNull(a.OTHERID)}});

    db::Query line(tr, QStringLiteral(
                           "insert into TRANS3D (INVSEL, LNO, TRDATE, ITEMNO, MFRID, UINDEX, QTYSOLD, QSOLD, QTYRET,"
                           " UPRICE, UCOST, SUBAMNT, DISVAL, DISPER, AMOUNT, VATPER, VATAMNT, ACCTNO, SALRID)"
                           " values (:INVSEL, :LNO, :TRDATE, :ITEMNO, :MFRID, :UINDEX, :QTYSOLD, :QSOLD, 0,"
                           " :UPRICE, :UCOST, :SUBAMNT, :DISVAL, :DISPER, :AMOUNT, :VATPER, :VATAMNT, :ACCTNO, :SALRID)"));
    line.bind(QStringLiteral("INVSEL"), h.INVSEL)
        .bind(QStringLiteral("TRDATE"), h.TRDATE)
        .bind(QStringLiteral("ACCTNO"), textOrNull(h.ACCTNO))
        .bind(QStringLiteral("SALRID"), textOrNull(h.SALRID));
    for (const SavedLine& s : saved) {
        const SalesLine& l = s.line;
        line.bind(QStringLiteral("LNO"), s.LNO).bind(QStringLiteral("ITEMNO"), l.ITEMNO);
        bindLineValues(line, l);
        line.execute();
    }

    // Stock: each saved line's sale effect on its item ("LB" items and missing items are left alone).
    const masters::StockSettings stock = masters::StockSettings::from(s_);
    for (const SavedLine& s : saved) {
        const SalesLine& l = s.line;
        masters::StockLine sl;
        sl.itemNo = l.ITEMNO;
        sl.uIndex = l.UINDEX;
        sl.qty = l.QTYSOLD;
        sl.unitCost = l.UCOST.round<4>();
        sl.lineTotal = l.grossValue();
        sl.docDate = h.TRDATE;
        masters::applyStockEffect(tr, stock, masters::DocKind::Sale, masters::Direction::Save, sl);
    }

    // The customer's balance.
    if (s_.SalOnly == 1) masters::addToAccountTotals(tr, h.ACCTNO, h.INVTOT, Money());

    // The quotation or delivery note the invoice was made from, marked converted here only if it
    // still is not: another workstation may have converted the same one since it was typed, and a
    // second invoice from it would bill the customer twice.
    auto markConverted = [&](const char* table, const char* column, int number, const QString& taken,
                             const QString& gone) {
        if (number == 0) return;
        const QString key = QStringLiteral("%1 = :N").arg(QLatin1String(column));
        if (tr.update(QLatin1String(table), QStringLiteral("POSTED = 1"), key + QStringLiteral(" AND COALESCE(POSTED, 0) <> 1"),
                      {{"N", db::toValue(number)}}) > 0)
            return;
        const bool there = !std::holds_alternative<db::Null>(
            db::scalar(tr, QStringLiteral("select 1 from %1 where ").arg(QLatin1String(table)) + key, {{"N", db::toValue(number)}}));
        throw std::runtime_error((there ? taken : gone).toStdString());
    };
    markConverted("QUOT", "QUOTNO", inv_.convertedQuotation(), text::quotationConverted(), text::quotationNotFound());
    markConverted("QREQ", "QREQNO", inv_.convertedDeliveryNote(), text::deliveryNoteConverted(), text::deliveryNoteNotFound());

    written_ = h;
    writtenLines_ = saved;
}

} // namespace kv::documents
