// The effect of one document line on its item, over a real year database: one table of cases,
// each naming the item before, the line, and the columns that change. Every column not named
// as changed must stay as it was.
#include "MastersFixture.h"
#include "masters/StockRules.h"
#include <QMap>

using namespace kv;
using masters::CostMethod;
using masters::Direction;
using masters::DocKind;
using core::Money;
using core::Price;
using core::Qty;

namespace {

const QStringList kColumns = {"QTYIN",  "QTYOUT", "QTYSOLD", "QTYRET", "ONHAND",   "UCOST",  "TOTCOST",
                              "OUTCOST", "QUNITS", "LQTYIN",  "LQTYSOLD", "EDATE", "SLDATE"};
const QStringList kDateColumns = {"LQTYIN", "LQTYSOLD", "EDATE", "SLDATE"};

// "ONHAND=20 UCOST=1 EDATE=2026-06-01 SLDATE=null" -> column -> normalised text.
QMap<QString, QString> parseState(const QString& state)
{
    QMap<QString, QString> m;
    for (const QString& tok : state.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        const QString col = tok.section(QLatin1Char('='), 0, 0);
        QString v = tok.section(QLatin1Char('='), 1);
        if (v != QLatin1String("null") && !kDateColumns.contains(col) && col != QLatin1String("ARTNO")) v = db::Decimal::parse(v, 2)->toString();
        m[col] = v;
    }
    return m;
}

Qty qty(const char* t) { return *Qty::parse(QString::fromLatin1(t)); }
Price price(const char* t) { return *Price::parse(QString::fromLatin1(t)); }
Money money(const char* t) { return *Money::parse(QString::fromLatin1(t)); }

struct Case {
    const char* name;
    CostMethod cost;
    const char* before;      // item columns; QUNITS defaults to 1, ARTNO to "01"
    DocKind kind;
    Direction dir;
    int uIndex;
    const char* lineQty;
    const char* unitCost;
    const char* lineTotal;
    const char* expiry;      // "" none
    bool applies;            // false: nothing changes
    const char* after;       // the columns that change, with their new values
};

constexpr auto Avg = CostMethod::Average;
constexpr auto Last = CostMethod::Last;
constexpr auto Save = Direction::Save;
constexpr auto Del = Direction::Delete;
const char* const kDate = "2026-03-15";

const Case kCases[] = {
    // Purchase save: the incoming rule.
    {"purchase, average, on hand above 0", Avg, "QTYIN=20 ONHAND=20 UCOST=1", DocKind::Purchase, Save, 2, "20", "3", "60", "",
     true, "QTYIN=40 ONHAND=40 UCOST=2 TOTCOST=60 LQTYIN=2026-03-15"},
    {"purchase, average, nothing on hand", Avg, "UCOST=1", DocKind::Purchase, Save, 2, "20", "3", "60", "",
     true, "QTYIN=20 ONHAND=20 UCOST=3 TOTCOST=60 LQTYIN=2026-03-15"},
    {"purchase, average, on hand below 0", Avg, "QTYSOLD=5 ONHAND=-5 UCOST=1", DocKind::Purchase, Save, 2, "20", "3", "60", "",
     true, "QTYIN=20 ONHAND=15 UCOST=3 TOTCOST=60 LQTYIN=2026-03-15"},
    {"purchase, last cost", Last, "QTYIN=20 ONHAND=20 UCOST=1", DocKind::Purchase, Save, 2, "20", "3", "60", "",
     true, "QTYIN=40 ONHAND=40 UCOST=3 TOTCOST=60 LQTYIN=2026-03-15"},
    {"purchase without cost keeps UCOST", Avg, "QTYIN=20 ONHAND=20 UCOST=1", DocKind::Purchase, Save, 2, "5", "0", "0", "",
     true, "QTYIN=25 ONHAND=25 LQTYIN=2026-03-15"},
    {"purchase in the large unit", Avg, "QUNITS=12", DocKind::Purchase, Save, 1, "2", "36", "72", "",
     true, "QTYIN=24 ONHAND=24 UCOST=3 TOTCOST=72 LQTYIN=2026-03-15"},
    {"purchase, average rounded half away from zero", Avg, "QTYIN=1 ONHAND=1 UCOST=1", DocKind::Purchase, Save, 2, "1", "0.01", "0.01", "",
     true, "QTYIN=2 ONHAND=2 UCOST=0.51 TOTCOST=0.01 LQTYIN=2026-03-15"},
    {"purchase, last cost of a small unit rounded", Last, "QUNITS=8", DocKind::Purchase, Save, 1, "1", "0.2", "0.2", "",
     true, "QTYIN=8 ONHAND=8 UCOST=0.03 TOTCOST=0.2 LQTYIN=2026-03-15"},
    {"purchase with an earlier expiry", Avg, "EDATE=2026-06-01", DocKind::Purchase, Save, 2, "1", "2", "2", "2026-04-01",
     true, "QTYIN=1 ONHAND=1 UCOST=2 TOTCOST=2 LQTYIN=2026-03-15 EDATE=2026-04-01"},
    {"purchase with a later expiry", Avg, "EDATE=2026-06-01", DocKind::Purchase, Save, 2, "1", "2", "2", "2026-09-01",
     true, "QTYIN=1 ONHAND=1 UCOST=2 TOTCOST=2 LQTYIN=2026-03-15"},
    {"purchase with expiry, item without", Avg, "", DocKind::Purchase, Save, 2, "1", "2", "2", "2026-04-01",
     true, "QTYIN=1 ONHAND=1 UCOST=2 TOTCOST=2 LQTYIN=2026-03-15"},
    // Purchase delete: the reversal rule.
    {"purchase deleted, average", Avg, "QTYIN=40 ONHAND=40 UCOST=2 TOTCOST=60", DocKind::Purchase, Del, 2, "20", "3", "60", "",
     true, "QTYIN=20 ONHAND=20 UCOST=1 TOTCOST=0"},
    {"purchase deleted down to 0 on hand", Avg, "QTYIN=20 ONHAND=20 UCOST=3 TOTCOST=60", DocKind::Purchase, Del, 2, "20", "3", "60", "",
     true, "QTYIN=0 ONHAND=0 UCOST=0 TOTCOST=0"},
    {"purchase deleted below 0 on hand", Avg, "QTYIN=20 QTYSOLD=15 ONHAND=5 UCOST=3 TOTCOST=60", DocKind::Purchase, Del, 2, "20", "3", "60", "",
     true, "QTYIN=0 ONHAND=-15 UCOST=0 TOTCOST=0"},
    {"purchase deleted, last cost", Last, "QTYIN=40 ONHAND=40 UCOST=2 TOTCOST=60", DocKind::Purchase, Del, 2, "20", "3", "60", "",
     true, "QTYIN=20 ONHAND=20 TOTCOST=0"},
    // Issue vouchers.
    {"issue", Avg, "QTYIN=10 ONHAND=10 UCOST=2", DocKind::Issue, Save, 2, "3", "2", "6", "",
     true, "QTYOUT=3 ONHAND=7 OUTCOST=6"},
    {"issue in the large unit", Avg, "QUNITS=6 QTYIN=10 ONHAND=10 UCOST=2", DocKind::Issue, Save, 1, "1", "12", "12", "",
     true, "QTYOUT=6 ONHAND=4 OUTCOST=12"},
    {"issue deleted, average", Avg, "QTYIN=15 QTYOUT=5 ONHAND=10 UCOST=2 OUTCOST=20", DocKind::Issue, Del, 2, "5", "4", "20", "",
     true, "QTYOUT=0 ONHAND=15 OUTCOST=0 UCOST=2.67"},
    {"issue deleted, nothing on hand", Avg, "QTYIN=5 QTYOUT=5 UCOST=2 OUTCOST=20", DocKind::Issue, Del, 2, "5", "4", "20", "",
     true, "QTYOUT=0 ONHAND=5 OUTCOST=0 UCOST=4"},
    // Sales invoices.
    {"sale", Avg, "QTYIN=10 ONHAND=10 UCOST=2", DocKind::Sale, Save, 2, "3", "2", "45", "",
     true, "QTYSOLD=3 ONHAND=7 OUTCOST=45 LQTYSOLD=2026-03-15"},
    {"sale of an LB item", Avg, "ARTNO=LB QTYIN=10 ONHAND=10 UCOST=2", DocKind::Sale, Save, 2, "3", "2", "45", "",
     false, ""},
    {"sale deleted, average with value c x Q", Avg, "QTYIN=15 QTYSOLD=5 ONHAND=10 UCOST=2 OUTCOST=50", DocKind::Sale, Del, 2, "5", "2.6", "50", "",
     true, "QTYSOLD=0 ONHAND=15 OUTCOST=0 UCOST=2.2"},
    {"sale deleted, last cost", Last, "QTYIN=15 QTYSOLD=5 ONHAND=10 UCOST=2 OUTCOST=50", DocKind::Sale, Del, 2, "5", "2.6", "50", "",
     true, "QTYSOLD=0 ONHAND=15 OUTCOST=0 UCOST=2.6"},
    {"sale of an LB item deleted", Avg, "ARTNO=LB QTYIN=15 QTYSOLD=5 ONHAND=10 UCOST=2", DocKind::Sale, Del, 2, "5", "2.6", "50", "",
     false, ""},
    // Return vouchers.
    {"return, QUNITS 0 counts as 1 and becomes 1", Avg, "QUNITS=0", DocKind::Return, Save, 1, "2", "5", "14", "",
     true, "QTYRET=2 ONHAND=2 OUTCOST=-14 UCOST=5 QUNITS=1"},
    {"return below the re-order level stamps SLDATE", Avg, "QUNITS=2 QTYIN=4 ONHAND=4 UCOST=1 MINSTOCK=5", DocKind::Return, Save, 1, "1", "4", "6", "",
     true, "QTYRET=2 ONHAND=6 OUTCOST=-6 UCOST=1.33 SLDATE=2026-03-15"},
    {"return above the re-order level clears SLDATE", Avg, "QTYIN=4 ONHAND=4 UCOST=1 MINSTOCK=2 SLDATE=2026-01-01", DocKind::Return, Save, 2, "1", "0", "3", "",
     true, "QTYRET=1 ONHAND=5 OUTCOST=-3 SLDATE=null"},
    // Opening balances.
    {"opening balance posted", Avg, "QUNITS=0", DocKind::OpeningBalance, Save, 1, "10", "2.5", "25", "",
     true, "QTYIN=10 ONHAND=10 TOTCOST=25 UCOST=2.5 QUNITS=1"},
    {"opening balance un-posted", Avg, "QUNITS=4 QTYIN=40 ONHAND=40 TOTCOST=100 UCOST=2.5", DocKind::OpeningBalance, Del, 1, "10", "10", "100", "",
     true, "QTYIN=0 ONHAND=0 TOTCOST=0"},
};

class StockRules : public test::MastersTest {};

void insertItem(db::Transaction& tr, const QString& itemNo, const QMap<QString, QString>& before)
{
    QStringList cols{"ITEMNO", "DESCR", "ARTNO", "QUNITS"};
    QStringList vals{"'" + itemNo + "'", "'x'", "'" + before.value("ARTNO", "01") + "'", before.value("QUNITS", "1")};
    for (auto it = before.begin(); it != before.end(); ++it) {
        if (it.key() == "ARTNO" || it.key() == "QUNITS") continue;
        cols << it.key();
        vals << (kDateColumns.contains(it.key()) ? "'" + it.value() + "'" : it.value());
    }
    tr.execute("INSERT INTO STOCK (" + cols.join(", ") + ") VALUES (" + vals.join(", ") + ")");
}

QMap<QString, QString> readState(db::Transaction& tr, const QString& itemNo)
{
    db::Query q(tr, "SELECT " + kColumns.join(", ") + " FROM STOCK WHERE ITEMNO = :I");
    q.bind("I", itemNo);
    q.execute();
    EXPECT_TRUE(q.next());
    QMap<QString, QString> m;
    for (const QString& c : kColumns) {
        if (q.isNull(c)) m[c] = "null";
        else if (kDateColumns.contains(c)) m[c] = q.date(c).toString(Qt::ISODate);
        else m[c] = q.decimal(c, 2).toString();
    }
    return m;
}

} // namespace

TEST_F(StockRules, EffectOfEachDocumentLine)
{
    db::Transaction tr(*session->MainDB);
    int n = 0;
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.name);
        const QString itemNo = QStringLiteral("C%1").arg(++n);
        const QMap<QString, QString> given = parseState(c.before);
        insertItem(tr, itemNo, given);
        const QMap<QString, QString> before = readState(tr, itemNo);

        masters::StockLine line;
        line.itemNo = itemNo;
        line.uIndex = c.uIndex;
        line.qty = qty(c.lineQty);
        line.unitCost = price(c.unitCost);
        line.lineTotal = money(c.lineTotal);
        line.docDate = QDate::fromString(kDate, Qt::ISODate);
        line.expiry = QDate::fromString(c.expiry, Qt::ISODate);
        const bool applied = masters::applyStockEffect(tr, masters::StockSettings{c.cost}, c.kind, c.dir, line);
        EXPECT_EQ(applied, c.applies);

        QMap<QString, QString> expected = before;
        const QMap<QString, QString> changes = parseState(c.after);
        for (auto it = changes.begin(); it != changes.end(); ++it) expected[it.key()] = it.value();
        const QMap<QString, QString> after = readState(tr, itemNo);
        for (const QString& col : kColumns)
            EXPECT_EQ(after[col].toStdString(), expected[col].toStdString()) << col.toStdString();
        // The running quantities keep their invariant.
        auto d = [&](const char* col) { return *Money::parse(after[col]); };
        EXPECT_EQ(d("ONHAND"), d("QTYIN") - d("QTYOUT") - d("QTYSOLD") + d("QTYRET"));
    }
    tr.rollback();
}

TEST_F(StockRules, MissingItemChangesNothingAndReturnsAreNeverDeleted)
{
    db::Transaction tr(*session->MainDB);
    masters::StockLine line{"NOPE", 2, qty("1"), price("1"), money("1"), QDate(2026, 1, 1), {}};
    EXPECT_FALSE(masters::applyStockEffect(tr, masters::StockSettings{}, DocKind::Purchase, Save, line));
    EXPECT_THROW(masters::applyStockEffect(tr, masters::StockSettings{}, DocKind::Return, Del, line), std::logic_error);
}

TEST(StockHelpers, UnitsAndCostsOfALine)
{
    struct Row {
        int uIndex;
        const char *q, *units, *base, *cost, *small;
    } rows[] = {
        {1, "2", "12", "24", "36", "3"},
        {2, "5", "12", "5", "3", "3"},
        {1, "2", "0", "2", "36", "36"},     // QUNITS 0 counts as 1
        {1, "1", "3", "3", "1", "0.3333"},
    };
    for (const Row& r : rows) {
        EXPECT_EQ(masters::baseQuantity(qty(r.q), r.uIndex, qty(r.units)), qty(r.base));
        EXPECT_EQ(masters::costPerSmallUnit(price(r.cost), r.uIndex, qty(r.units)), price(r.small));
    }
    using masters::StockQty;
    const StockQty twenty = StockQty::fromInt(20), forty = StockQty::fromInt(40);
    EXPECT_EQ(masters::incomingCost(Avg, money("1"), twenty, qty("20"), money("60"), price("3")), money("2"));
    EXPECT_EQ(masters::incomingCost(Avg, money("1"), StockQty(), qty("20"), money("60"), price("3")), money("3"));
    EXPECT_EQ(masters::incomingCost(Last, money("1"), twenty, qty("20"), money("60"), price("3")), money("3"));
    EXPECT_EQ(masters::reversalCost(Avg, money("2"), forty, qty("20"), money("60")), money("1"));
    EXPECT_EQ(masters::reversalCost(Avg, money("3"), twenty, qty("20"), money("60")), money("0"));
    EXPECT_EQ(masters::reversalCost(Last, money("2"), forty, qty("20"), money("60")), money("2"));
}
