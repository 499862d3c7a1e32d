// The Firebird layer against real databases: exact numerics, text, parameters, errors.
#include "support/TestDb.h"
#include "db/Connection.h"
#include "db/SqlParams.h"
#include "db/Script.h"
#include <QFile>
#include <gtest/gtest.h>

using namespace kv::db;
using kv::test::makeDatabase;

namespace {

std::unique_ptr<Connection> sampleDb() {
    auto c = makeDatabase(QString());
    c->executeImmediate(QStringLiteral(
        "create table T (ID integer not null primary key, A numeric(18,4), B numeric(18,2), S varchar(40),"
        " C char(10), D date, TS timestamp, F double precision, BL blob sub_type text, BB blob sub_type binary)"));
    return c;
}

} // namespace

TEST(Query, NumericRoundTripsAreExact) {
    auto c = sampleDb();
    Transaction tr(*c);
    // Values are bound with the scale they are typed in; the server rounds to the column's scale.
    struct Case { const char* in4; int s4; const char* in2; int s2; const char* out4; const char* out2; };
    const Case cases[] = {
        {"99999999999999.9999", 4, "9999999999999999.99", 2, "99999999999999.9999", "9999999999999999.99"},
        {"-0.0001", 4, "-0.01", 2, "-0.0001", "-0.01"},
        {"-99999999999999.9999", 4, "0", 0, "-99999999999999.9999", "0.00"},
        {"12345678901234.5678", 4, "1.005", 3, "12345678901234.5678", "1.01"}, // half away from zero
        {"0.00005", 5, "-1.005", 3, "0.0001", "-1.01"},
    };
    int id = 0;
    for (const auto& k : cases) {
        const auto a = Decimal::parse(QString::fromLatin1(k.in4), k.s4);
        const auto b = Decimal::parse(QString::fromLatin1(k.in2), k.s2);
        ASSERT_TRUE(a && b) << k.in4;
        Query ins(tr, QStringLiteral("insert into T (ID, A, B) values (:ID, :A, :B)"));
        ins.bind("ID", ++id).bind("A", *a).bind("B", *b);
        ins.execute();
        Query sel(tr, QStringLiteral("select A, B from T where ID = :ID"));
        sel.bind("ID", id).execute();
        ASSERT_TRUE(sel.next());
        EXPECT_EQ(sel.decimal("A", 4).toString().toStdString(), k.out4) << k.in4;
        EXPECT_EQ(sel.decimal("B", 2).toString().toStdString(), k.out2) << k.in2;
        // The column's own scale comes back as a Decimal, never through double.
        EXPECT_EQ(std::get<Decimal>(sel.value("A")).scale, 4);
    }
}

TEST(Query, TextDatesAndBlobsRoundTrip) {
    auto c = sampleDb();
    Transaction tr(*c);
    const QString arabic = QStringLiteral("شركة النور للتجارة 'المحدودة'");
    const QString longText = QString(5000, QChar(0x0645)); // longer than one blob segment in bytes
    const QByteArray bytes("\x00\x01\xff\x10", 4);
    Query ins(tr, QStringLiteral("insert into T (ID, S, C, D, TS, F, BL, BB) values (1, :S, :C, :D, :TS, :F, :BL, :BB)"));
    ins.bind("S", arabic).bind("C", QStringLiteral("صنف"))
        .bind("D", QDate(1445, 6, 15))
        .bind("TS", QDateTime(QDate(2026, 12, 11), QTime(9, 30, 15, 250)))
        .bind("F", 15.5).bind("BL", longText).bind("BB", bytes);
    ins.execute();
    EXPECT_EQ(ins.rowsAffected(), 1);
    Query q(tr, QStringLiteral("select * from T"));
    q.execute();
    ASSERT_TRUE(q.next());
    EXPECT_EQ(q.text("S"), arabic);
    EXPECT_EQ(q.text("C"), QStringLiteral("صنف")); // CHAR padding trimmed
    EXPECT_EQ(q.date("D"), QDate(1445, 6, 15));
    EXPECT_EQ(q.timestamp("TS"), QDateTime(QDate(2026, 12, 11), QTime(9, 30, 15, 250)));
    EXPECT_DOUBLE_EQ(q.real("F"), 15.5);
    EXPECT_EQ(q.text("BL"), longText);
    EXPECT_EQ(q.blob("BB"), bytes);
    EXPECT_TRUE(q.isNull("A"));
    EXPECT_EQ(q.decimal("A", 2).toString(), QStringLiteral("0.00"));
    EXPECT_FALSE(q.next());
}

TEST(Query, NamedParameterUsedTwiceAndNulls) {
    auto c = sampleDb();
    Transaction tr(*c);
    tr.execute(QStringLiteral("insert into T (ID, S, B) values (1, 'x', 5)"));
    tr.execute(QStringLiteral("insert into T (ID, S, B) values (2, 'y', 7)"));
    tr.execute(QStringLiteral("insert into T (ID, S, B) values (3, :S, null)"), {{"S", QStringLiteral("a:b -- ':X'")}});
    Query q(tr, QStringLiteral("select count(*) as N from T where ID = :V or B = :V or S = ':V' -- :NOTAPARAM\n"));
    EXPECT_EQ(q.parameterNames(), QStringList{QStringLiteral("V")});
    q.bind("v", 5).execute(); // names are not case sensitive
    ASSERT_TRUE(q.next());
    EXPECT_EQ(q.integer("N"), 1);
    q.bind("V", 2).execute(); // re-executed with a new value
    ASSERT_TRUE(q.next());
    EXPECT_EQ(q.integer("N"), 1);
    Query n(tr, QStringLiteral("select S from T where ID = 3"));
    n.execute();
    ASSERT_TRUE(n.next());
    EXPECT_EQ(n.text("S"), QStringLiteral("a:b -- ':X'"));
    tr.execute(QStringLiteral("update T set S = :S where ID = 3"), {{"S", Null{}}});
    EXPECT_TRUE(std::holds_alternative<Null>(scalar(tr, QStringLiteral("select S from T where ID = 3"))));
    EXPECT_THROW(q.bind("NOPE", 1), DbError);
}

TEST(Query, ParameterParsingSkipsLiteralsCommentsAndPsql) {
    struct Case { const char* sql; std::vector<QString> names; const char* rewritten; };
    const Case cases[] = {
        {"select * from A where X = :X and Y = :y", {"X", "Y"}, "select * from A where X = ? and Y = ?"},
        {"select ':X', \"A:B\" from A /* :C */ where Z = :Z", {"Z"}, "select ':X', \"A:B\" from A /* :C */ where Z = ?"},
        {"select 'it''s :no' from A where B = :B", {"B"}, "select 'it''s :no' from A where B = ?"},
        {"create procedure P returns (N integer) as begin N = :N; end", {}, nullptr},
        {"execute block (X integer = :X) returns (Y integer) as begin Y = :X; suspend; end", {"X"},
         "execute block (X integer = ?) returns (Y integer) as begin Y = :X; suspend; end"},
    };
    for (const auto& k : cases) {
        const ParsedSql p = parseNamedParameters(QString::fromUtf8(k.sql));
        EXPECT_EQ(p.positions, k.names) << k.sql;
        EXPECT_EQ(p.sql.toStdString(), k.rewritten ? k.rewritten : k.sql);
    }
}

TEST(Query, ErrorsCarryCodesAndText) {
    auto c = sampleDb();
    Transaction tr(*c);
    try {
        Query q(tr, QStringLiteral("select NOSUCH from T"));
        FAIL() << "prepared a statement with an unknown column";
    } catch (const DbError& e) {
        EXPECT_TRUE(e.hasCode(gds::dsql_field_err) || e.sqlState() == QLatin1String("42S22")) << e.text().toStdString();
        EXPECT_TRUE(e.text().contains(QLatin1String("NOSUCH")));
        EXPECT_FALSE(e.isBusy());
    }
    tr.execute(QStringLiteral("insert into T (ID) values (1)"));
    try {
        tr.execute(QStringLiteral("insert into T (ID) values (1)"));
        FAIL();
    } catch (const DbError& e) {
        EXPECT_TRUE(e.hasCode(gds::unique_key)) << e.text().toStdString();
    }
    EXPECT_THROW(Connection::open({QString(), QStringLiteral("/nonexistent/dir/X.FDB"), {}, {}}), DbError);
}

TEST(Script, SplitsOnTerminatorsAndSkipsIsqlCommands) {
    const QString script = QStringLiteral(
        "-- header; with a semicolon\n"
        "create table A (X varchar(10) default ';');\n"
        "SET SQL DIALECT 3;\n"
        "/* block ; comment */\n"
        "SET TERM ^ ;\n"
        "create procedure P returns (N integer) as begin N = 1; end^\n"
        "SET TERM ; ^\n"
        "COMMIT WORK;\n"
        "set generator G to 5;\n");
    const QStringList s = splitScript(script);
    ASSERT_EQ(s.size(), 3) << s.join(QStringLiteral(" | ")).toStdString();
    EXPECT_TRUE(s[0].contains(QLatin1String("create table A (X varchar(10) default ';')")));
    EXPECT_TRUE(s[1].startsWith(QLatin1String("create procedure P")));
    EXPECT_TRUE(s[1].endsWith(QLatin1String("end")));
    EXPECT_EQ(s[2], QStringLiteral("set generator G to 5"));
}

TEST(Connection, NameRule) {
    struct Case { const char* server; const char* path; const char* name; };
    const Case cases[] = {
        {"", "/data/MAIN.FDB", "/data/MAIN.FDB"},
        {"SRV1", "D:\\Data\\MAIN.FDB", "SRV1:D:\\Data\\MAIN.FDB"},
        {"127.0.0.1/3057", "/srv/a.fdb", "127.0.0.1/3057:/srv/a.fdb"},
        {"SRV1", "", "SRV1"},
    };
    for (const auto& k : cases)
        EXPECT_EQ(connectionName(QString::fromUtf8(k.server), QString::fromUtf8(k.path)).toStdString(), k.name);
}

TEST(Connection, DropRemovesTheFile) {
    QString path;
    auto c = makeDatabase(QString(), &path);
    ASSERT_TRUE(QFile::exists(path));
    c->drop();
    EXPECT_FALSE(c->isOpen());
    EXPECT_FALSE(QFile::exists(path));
}
