// Two workstations saving documents on the same item and the same account at the same moment:
// the second one fails at once as busy, nothing of its transaction remains, and after its retry
// both documents are in the totals. Run on the embedded engine (two attachments in one process)
// and, when the test run started one, on the private server.
#include "support/TestDb.h"
#include "db/Connection.h"
#include "masters/AccountTotals.h"
#include "masters/StockRules.h"
#include <gtest/gtest.h>

using namespace kv;
using core::Money;
using core::Price;
using core::Qty;

namespace {

struct Target {
    QString server, path;
};

std::vector<Target> targets()
{
    std::vector<Target> out;
    QString path;
    test::makeDatabase(QStringLiteral("year.sql"), &path);
    out.push_back({QString(), path});
    if (auto s = test::server()) out.push_back({s->host, test::makeServerDatabase(*s, QStringLiteral("year.sql"))});
    return out;
}

// One purchase invoice: its header, its line's stock effect and the supplier's credit.
void savePurchase(db::Transaction& tr, int invIn, int qty, int unitCost)
{
    tr.execute(QStringLiteral("INSERT INTO TRANS1 (INVIN, ACCTNO, INVTOT) VALUES (:N, '200001', :T)"),
               {{"N", std::int64_t(invIn)}, {"T", Money::fromInt(qty * unitCost).toDecimal()}});
    masters::StockLine line{QStringLiteral("A1"), 2, Qty::fromInt(qty), Price::fromInt(unitCost),
                            Money::fromInt(qty * unitCost), QDate(2026, 3, 1), {}};
    ASSERT_TRUE(masters::applyStockEffect(tr, masters::StockSettings{}, masters::DocKind::Purchase,
                                          masters::Direction::Save, line));
    ASSERT_TRUE(masters::addToAccountTotals(tr, QStringLiteral("200001"), Money(), Money::fromInt(qty * unitCost)));
}

QString text(db::Connection& c, const QString& sql)
{
    db::Transaction tr(c);
    const db::Value v = db::scalar(tr, sql);
    if (auto d = std::get_if<db::Decimal>(&v)) return d->toString();
    if (auto i = std::get_if<std::int64_t>(&v)) return QString::number(*i);
    return {};
}

} // namespace

TEST(ConcurrentEffects, SecondSaveFailsAsBusyAndLosesNothingAfterItsRetry)
{
    for (const Target& t : targets()) {
        SCOPED_TRACE(t.server.isEmpty() ? "embedded" : t.server.toStdString());
        auto a = db::Connection::open({t.server, t.path, {}, {}});
        auto b = db::Connection::open({t.server, t.path, {}, {}});
        a->executeImmediate(QStringLiteral("INSERT INTO STOCK (ITEMNO, DESCR, QTYIN, ONHAND, UCOST) VALUES ('A1', 'x', 20, 20, 1)"));
        a->executeImmediate(QStringLiteral("INSERT INTO ACCT (ACCTNO, ACCTTYPE, DR, CR) VALUES ('200001', '20', 0, 0)"));

        db::Transaction first(*a);
        savePurchase(first, 1, 20, 3); // not committed yet: the row is held

        {
            db::Transaction second(*b);
            try {
                savePurchase(second, 2, 10, 4);
                FAIL() << "the second save went through while the first held the item";
            } catch (const db::DbError& e) {
                EXPECT_TRUE(e.isBusy()) << e.text().toStdString();
            }
            second.rollback();
        }
        EXPECT_EQ(text(*b, QStringLiteral("SELECT COUNT(*) FROM TRANS1 WHERE INVIN = 2")), QStringLiteral("0"));

        first.commit();
        {
            db::Transaction retry(*b);
            savePurchase(retry, 2, 10, 4);
            retry.commit();
        }
        // 20 @ 1.00 + 20 @ 3.00 -> 40 @ 2.00; + 10 @ 4.00 -> 50 @ 2.40.
        EXPECT_EQ(text(*a, QStringLiteral("SELECT ONHAND FROM STOCK WHERE ITEMNO = 'A1'")), QStringLiteral("50.00"));
        EXPECT_EQ(text(*a, QStringLiteral("SELECT QTYIN FROM STOCK WHERE ITEMNO = 'A1'")), QStringLiteral("50.00"));
        EXPECT_EQ(text(*a, QStringLiteral("SELECT UCOST FROM STOCK WHERE ITEMNO = 'A1'")), QStringLiteral("2.40"));
        EXPECT_EQ(text(*a, QStringLiteral("SELECT TOTCOST FROM STOCK WHERE ITEMNO = 'A1'")), QStringLiteral("100.00"));
        EXPECT_EQ(text(*a, QStringLiteral("SELECT CR FROM ACCT WHERE ACCTNO = '200001'")), QStringLiteral("100.00"));
        EXPECT_EQ(text(*a, QStringLiteral("SELECT COUNT(*) FROM TRANS1")), QStringLiteral("2"));
    }
}
