// The item search's table ITEMSRCH: the trigger on STOCK keeps it equal to the items (new,
// re-described, renumbered, deleted items; quantity updates leave it alone), the search finds
// items by what they are called now, and the schema upgrade gives an older year database the
// same table, index and trigger as the template, filled from STOCK.
#include "MastersFixture.h"
#include "core/SchemaUpgrade.h"
#include "db/Script.h"
#include "masters/Search.h"
#include <functional>

using namespace kv;

namespace {

// ITEMSRCH as "ITEMNO|DESCR|SRCH" lines in number order (SRCH read as the bytes it holds).
QStringList shadowOf(db::Connection& c)
{
    db::Transaction tr(c);
    db::Query q(tr, QStringLiteral("SELECT ITEMNO, DESCR, SRCH FROM ITEMSRCH ORDER BY ITEMNO"));
    q.execute();
    QStringList out;
    while (q.next()) {
        const db::Value srch = q.value(QStringLiteral("SRCH"));
        const auto* bytes = std::get_if<QByteArray>(&srch);
        out << q.text(QStringLiteral("ITEMNO")) + u'|' + q.text(QStringLiteral("DESCR")) + u'|'
                   + (bytes ? QString::fromUtf8(*bytes) : QString());
    }
    return out;
}

void run(db::Connection& c, std::initializer_list<QString> statements)
{
    db::Transaction tr(c);
    for (const QString& s : statements) tr.execute(s);
    tr.commit();
}

QString triggerSource(db::Connection& c)
{
    db::Transaction tr(c);
    const db::Value v = db::scalar(
        tr, QStringLiteral("SELECT RDB$TRIGGER_SOURCE FROM RDB$TRIGGERS WHERE RDB$TRIGGER_NAME = 'STOCK_ITEMSRCH'"));
    if (auto b = std::get_if<QByteArray>(&v)) return QString::fromUtf8(*b);
    if (auto s = std::get_if<QString>(&v)) return *s;
    return {};
}

class ItemSearchTable : public test::MastersTest {
protected:
    QStringList found(const char* typed)
    {
        auto q = masters::makeItemSearch(*session);
        q->setText(QString::fromUtf8(typed));
        QStringList keys;
        for (const auto& r : q->fetch(0, 50)) keys << r.key();
        return keys;
    }
};

} // namespace

TEST_F(ItemSearchTable, FollowsTheItems)
{
    struct Step {
        const char* sql;
        QStringList shadow;
    } steps[] = {
        {"INSERT INTO STOCK (ITEMNO, DESCR) VALUES ('1', 'Pen blue')", {"1|Pen blue|PEN BLUE"}},
        {"INSERT INTO STOCK (ITEMNO, DESCR) VALUES ('2', 'قلم Éco')", {"1|Pen blue|PEN BLUE", "2|قلم Éco|قلم ÉCO"}},
        {"INSERT INTO STOCK (ITEMNO) VALUES ('3')", {"1|Pen blue|PEN BLUE", "2|قلم Éco|قلم ÉCO", "3||"}},
        // Latin case only, then a new text.
        {"UPDATE STOCK SET DESCR = 'pen BLUE' WHERE ITEMNO = '1'", {"1|pen BLUE|PEN BLUE", "2|قلم Éco|قلم ÉCO", "3||"}},
        {"UPDATE STOCK SET DESCR = 'Glue stick' WHERE ITEMNO = '3'", {"1|pen BLUE|PEN BLUE", "2|قلم Éco|قلم ÉCO", "3|Glue stick|GLUE STICK"}},
        // Documents change quantities and prices only.
        {"UPDATE STOCK SET ONHAND = ONHAND + 5, UPRICE = 2", {"1|pen BLUE|PEN BLUE", "2|قلم Éco|قلم ÉCO", "3|Glue stick|GLUE STICK"}},
        {"UPDATE STOCK SET ITEMNO = '4' WHERE ITEMNO = '3'", {"1|pen BLUE|PEN BLUE", "2|قلم Éco|قلم ÉCO", "4|Glue stick|GLUE STICK"}},
        {"DELETE FROM STOCK WHERE ITEMNO = '2'", {"1|pen BLUE|PEN BLUE", "4|Glue stick|GLUE STICK"}},
    };
    for (const Step& s : steps) {
        exec(QString::fromUtf8(s.sql));
        EXPECT_EQ(shadowOf(*session->MainDB), s.shadow) << s.sql;
    }
    // A statement that fails leaves the table as the items are.
    db::Transaction tr(*session->MainDB);
    tr.execute(QStringLiteral("UPDATE STOCK SET DESCR = 'Red ink' WHERE ITEMNO = '1'"));
    tr.rollback();
    EXPECT_EQ(shadowOf(*session->MainDB), QStringList({"1|pen BLUE|PEN BLUE", "4|Glue stick|GLUE STICK"}));
}

TEST_F(ItemSearchTable, SearchFindsTheCurrentDescriptionInAnyLatinCase)
{
    exec({"INSERT INTO STOCK (ITEMNO, DESCR) VALUES ('1', 'Pen blue')",
          "INSERT INTO STOCK (ITEMNO, DESCR) VALUES ('2', 'قلم école')",
          "INSERT INTO STOCK (ITEMNO, DESCR) VALUES ('3', 'Blue ink')"});
    exec("UPDATE STOCK SET DESCR = 'Red pen' WHERE ITEMNO = '1'");
    exec("DELETE FROM STOCK WHERE ITEMNO = '3'");
    struct Row {
        const char* typed;
        QStringList expected;
    } rows[] = {
        {"blue", {}}, {"RED", {"1"}}, {"d P", {"1"}}, {"ÉCOLE", {"2"}}, {"قلم", {"2"}}, {"e", {"1", "2"}},
    };
    for (const Row& r : rows) EXPECT_EQ(found(r.typed), r.expected) << r.typed;
}

// A page is looked for among the first items in description order before all items are
// sorted; either way it must be the same slice of one order (description, then number).
TEST_F(ItemSearchTable, PagesOfAnySizeAreSlicesOfOneOrder)
{
    // Forty items, numbered out of description order; "ink" is in the first thirty and in a
    // few later ones, "pen" only in the last ten, so a short walk fills some pages, not others.
    db::Transaction tr(*session->MainDB);
    for (int i = 0; i < 40; ++i) {
        const QString descr = i < 30 ? QStringLiteral("A%1 ink").arg(i, 2, 10, QLatin1Char('0'))
                              : i % 3 ? QStringLiteral("B%1 pen").arg(i, 2, 10, QLatin1Char('0'))
                                      : QStringLiteral("C%1 ink pen").arg(i, 2, 10, QLatin1Char('0'));
        tr.execute(QStringLiteral("INSERT INTO STOCK (ITEMNO, DESCR) VALUES (:N, :D)"),
                   {{"N", QStringLiteral("X%1").arg((i * 17) % 40)}, {"D", descr}});
    }
    tr.execute(QStringLiteral("INSERT INTO STOCK (ITEMNO, DESCR) VALUES ('Y1', 'A05 ink')")); // ties: by number
    tr.execute(QStringLiteral("INSERT INTO STOCK (ITEMNO, DESCR) VALUES ('Y0', 'A05 ink')"));
    tr.commit();
    for (const char* typed : {"ink", "pen", "c", "N"}) {
        auto q = masters::makeItemSearch(*session);
        q->setText(QString::fromUtf8(typed));
        const QList<masters::SearchRow> all = q->fetch(0, 1000);
        ASSERT_EQ(all.size(), q->count()) << typed;
        for (int i = 1; i < all.size(); ++i) // description, then number
            EXPECT_LT(std::make_pair(all[i - 1].value(1), all[i - 1].key()), std::make_pair(all[i].value(1), all[i].key()))
                << typed;
        for (int size = 1; size <= 7; ++size) {
            QList<masters::SearchRow> paged;
            for (int offset = 0; offset < all.size(); offset += size) paged += q->fetch(offset, size);
            QStringList a, b;
            for (const auto& r : all) a << r.key();
            for (const auto& r : paged) b << r.key();
            EXPECT_EQ(b, a) << typed << " pages of " << size;
        }
    }
}

TEST_F(ItemSearchTable, UpgradeGivesAnOlderDatabaseTheTableFilledFromStock)
{
    // The template's trigger, to compare the upgraded one with.
    const QString templateTrigger = triggerSource(*session->MainDB);
    ASSERT_FALSE(templateTrigger.isEmpty());
    db::Connection& c = *session->MainDB;
    const QStringList items = {"1|Pen blue|PEN BLUE", "2|قلم|قلم", "3||"};
    const auto addItems = [&] {
        run(c, {"INSERT INTO STOCK (ITEMNO, DESCR) VALUES ('1', 'Pen blue')", "INSERT INTO STOCK (ITEMNO, DESCR) VALUES ('2', 'قلم')",
                "INSERT INTO STOCK (ITEMNO) VALUES ('3')"});
    };
    struct Case {
        const char* what;
        std::function<void()> makeOld;
    } cases[] = {
        {"no search table", [&] {
             c.executeImmediate(QStringLiteral("DROP TRIGGER STOCK_ITEMSRCH"));
             c.executeImmediate(QStringLiteral("DROP TABLE ITEMSRCH"));
             addItems();
         }},
        {"an upgrade that stopped before the index", [&] {
             c.executeImmediate(QStringLiteral("DROP INDEX IX_ITEMSRCH_DESCR"));
             c.executeImmediate(QStringLiteral("DROP TRIGGER STOCK_ITEMSRCH"));
             run(c, {"INSERT INTO ITEMSRCH (ITEMNO, DESCR, SRCH) VALUES ('1', 'old', 'OLD')",
                     "INSERT INTO ITEMSRCH (ITEMNO, DESCR, SRCH) VALUES ('9', 'gone', 'GONE')"});
             addItems();
         }},
    };
    for (const Case& k : cases) {
        run(c, {"DELETE FROM STOCK", "DELETE FROM ITEMSRCH"});
        k.makeOld();
        core::upgradeYearDatabase(c);
        EXPECT_EQ(shadowOf(c), items) << k.what;
        EXPECT_EQ(triggerSource(c), templateTrigger) << k.what;
        EXPECT_EQ(found("pen"), QStringList({"1"})) << k.what;
        core::upgradeYearDatabase(c); // a second run changes nothing
        EXPECT_EQ(shadowOf(c), items) << k.what;
        run(c, {"UPDATE STOCK SET DESCR = 'Blue pen' WHERE ITEMNO = '1'"}); // and the trigger works
        EXPECT_EQ(shadowOf(c).value(0), "1|Blue pen|BLUE PEN") << k.what;
        db::Transaction tr(c);
        EXPECT_EQ(std::get<std::int64_t>(db::scalar(
                      tr, QStringLiteral("SELECT COUNT(*) FROM RDB$INDICES WHERE RDB$INDEX_NAME = 'IX_ITEMSRCH_DESCR'"))),
                  1)
            << k.what;
    }
}
