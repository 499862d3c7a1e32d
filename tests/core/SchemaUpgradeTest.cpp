// The schema upgrade over a database made from the older year fixture: the item search's table
// is created, filled from the items the year already has, and kept by its trigger afterwards.
#include "support/TestDb.h"
#include "core/SchemaUpgrade.h"
#include "db/Script.h"
#include <QFile>
#include <gtest/gtest.h>

using namespace kv;

namespace {

void run(db::Connection& c, std::initializer_list<const char*> statements) {
    db::Transaction tr(c);
    for (const char* s : statements) tr.execute(QString::fromUtf8(s));
    tr.commit();
}

qint64 count(db::Connection& c, const char* sql) {
    db::Transaction tr(c);
    return std::get<std::int64_t>(db::scalar(tr, QString::fromLatin1(sql)));
}

// ITEMSRCH as "ITEMNO|DESCR" lines in number order.
QStringList searchRows(db::Connection& c) {
    db::Transaction tr(c);
    db::Query q(tr, QStringLiteral("SELECT ITEMNO, DESCR FROM ITEMSRCH ORDER BY ITEMNO"));
    q.execute();
    QStringList out;
    while (q.next()) out << q.text(QStringLiteral("ITEMNO")) + u'|' + q.text(QStringLiteral("DESCR"));
    return out;
}

} // namespace

TEST(SchemaUpgrade, GivesAnOlderYearTheItemSearchTableFilledFromItsItems) {
    QFile fixture(QStringLiteral(KV_FIXTURES_DIR "/year_old.sql"));
    ASSERT_TRUE(fixture.open(QIODevice::ReadOnly));
    auto c = test::makeDatabase(QString());
    db::runScript(*c, QString::fromUtf8(fixture.readAll()));
    ASSERT_EQ(count(*c, "SELECT COUNT(*) FROM RDB$RELATIONS WHERE RDB$RELATION_NAME = 'ITEMSRCH'"), 0);
    run(*c, {"INSERT INTO STOCK (ITEMNO, DESCR) VALUES ('1', 'Pen blue')",
             "INSERT INTO STOCK (ITEMNO, DESCR) VALUES ('2', 'قلم')"});

    core::upgradeYearDatabase(*c);
    const QStringList filled = {"1|Pen blue", "2|قلم"};
    EXPECT_EQ(searchRows(*c), filled);
    EXPECT_EQ(count(*c, "SELECT COUNT(*) FROM ITEMSRCH WHERE SRCH = CAST('PEN BLUE' AS VARCHAR(160) CHARACTER SET OCTETS)"), 1);
    EXPECT_EQ(count(*c, "SELECT COUNT(*) FROM RDB$INDICES WHERE RDB$INDEX_NAME = 'IX_ITEMSRCH_DESCR'"), 1);
    // The document numbers gain their descending indexes (one per header table), and the
    // sales invoice date its own.
    EXPECT_EQ(count(*c, "SELECT COUNT(*) FROM RDB$INDICES WHERE RDB$INDEX_NAME STARTING WITH 'IXD_'"
                        " AND RDB$INDEX_TYPE = 1"), 8);

    core::upgradeYearDatabase(*c); // a second run changes nothing
    EXPECT_EQ(searchRows(*c), filled);

    // The trigger keeps the table from now on.
    run(*c, {"INSERT INTO STOCK (ITEMNO, DESCR) VALUES ('3', 'Ink')", "DELETE FROM STOCK WHERE ITEMNO = '1'"});
    EXPECT_EQ(searchRows(*c), (QStringList{"2|قلم", "3|Ink"}));
}
