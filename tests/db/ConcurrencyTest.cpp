// Two workstations at once: a conflicting update fails at once as busy, and numbers taken from
// the same procedure concurrently are all distinct. Run on the private server when the test run
// started one, and on the embedded engine (two attachments in one process) always.
#include "support/TestDb.h"
#include "db/Connection.h"
#include <QElapsedTimer>
#include <gtest/gtest.h>
#include <set>
#include <thread>

using namespace kv::db;

namespace {

struct Target {
    QString server, path;
};

std::vector<Target> targets(const QString& script) {
    std::vector<Target> out;
    QString path;
    kv::test::makeDatabase(script, &path); // closed again at once
    out.push_back({QString(), path});
    if (auto s = kv::test::server()) out.push_back({s->host, kv::test::makeServerDatabase(*s, script)});
    return out;
}

std::unique_ptr<Connection> connect(const Target& t) { return Connection::open({t.server, t.path, {}, {}}); }

} // namespace

TEST(Concurrency, ConflictingUpdateFailsAtOnceAsBusy) {
    if (!kv::test::server()) GTEST_SKIP() << "no private server in this run (KV_TEST_FB_SERVER)";
    for (const Target& t : targets(QStringLiteral("year.sql"))) {
        SCOPED_TRACE(t.server.toStdString());
        auto a = connect(t), b = connect(t);
        {
            Transaction tr(*a);
            tr.execute(QStringLiteral("insert into SALREP (SALRID, NAME) values ('01', 'أحمد')"));
            tr.commit();
        }
        Transaction ta(*a), tb(*b);
        ta.execute(QStringLiteral("update SALREP set NAME = 'A' where SALRID = '01'"));
        QElapsedTimer clock;
        clock.start();
        try {
            tb.execute(QStringLiteral("update SALREP set NAME = 'B' where SALRID = '01'"));
            FAIL() << "the second update did not fail";
        } catch (const DbError& e) {
            EXPECT_TRUE(e.isBusy()) << e.text().toStdString();
            EXPECT_LT(clock.elapsed(), 5000) << "the update waited for the lock";
        }
        tb.rollback();
        ta.commit();
        // Once the first is committed the same update goes through.
        Transaction tc(*b);
        EXPECT_EQ(tc.execute(QStringLiteral("update SALREP set NAME = 'B' where SALRID = '01'")), 1);
        tc.commit();
    }
}

// Firebird 3 can let an update pass over a row a concurrent transaction has just changed, with
// no error. That race cannot be staged here; the fixture below gives the same picture (the row is
// there, the UPDATE changed nothing) through an UPDATE whose own condition fails.
TEST(Concurrency, AnUpdateThatPassedOverItsRowIsBusy) {
    auto c = kv::test::makeDatabase(QStringLiteral("year.sql"));
    Transaction tr(*c);
    tr.execute(QStringLiteral("insert into SALREP (SALRID, NAME, PERC) values ('01', 'A', 0)"));
    EXPECT_EQ(tr.update(QStringLiteral("SALREP"), QStringLiteral("PERC = PERC + 1"), QStringLiteral("SALRID = :S"),
                        {{"S", QStringLiteral("01")}}), 1);
    EXPECT_EQ(tr.update(QStringLiteral("SALREP"), QStringLiteral("PERC = PERC + 1"), QStringLiteral("SALRID = :S"),
                        {{"S", QStringLiteral("02")}}), 0); // really not there
    Query q(tr, QStringLiteral("update SALREP set PERC = PERC + :P where SALRID = :S and PERC > 5"));
    q.bind(QStringLiteral("P"), 1).bind(QStringLiteral("S"), QStringLiteral("01"));
    try {
        q.executeUpdate(QStringLiteral("SALREP"), QStringLiteral("SALRID = :S"));
        FAIL() << "a row that is there and was not changed passed as done";
    } catch (const DbError& e) {
        EXPECT_TRUE(e.isBusy()) << e.text().toStdString();
    }
}

TEST(Concurrency, NumberProceduresNeverHandOutTheSameNumber) {
    for (const Target& t : targets(QStringLiteral("year.sql"))) {
        SCOPED_TRACE(t.server.toStdString());
        constexpr int perClient = 150;
        std::vector<int> got[2];
        auto work = [&](int k) {
            auto c = connect(t);
            for (int i = 0; i < perClient; ++i) {
                Transaction tr(*c);
                Query q(tr, QStringLiteral("execute procedure SPTRANS3"));
                q.execute();
                if (q.next()) got[k].push_back(int(q.integer(QStringLiteral("LINVSEL"))) + 1);
                tr.commit();
            }
        };
        std::thread t1(work, 0), t2(work, 1);
        t1.join();
        t2.join();
        std::set<int> all(got[0].begin(), got[0].end());
        all.insert(got[1].begin(), got[1].end());
        EXPECT_EQ(got[0].size() + got[1].size(), size_t(2 * perClient));
        EXPECT_EQ(all.size(), size_t(2 * perClient));
        EXPECT_EQ(*all.begin(), 1);
        EXPECT_EQ(*all.rbegin(), 2 * perClient);
    }
}

TEST(Numbering, SetGeneratorSetsWhatComesNext) {
    auto c = kv::test::makeDatabase(QStringLiteral("year.sql"));
    struct Kind { const char* proc; const char* out; const char* gen; };
    const Kind kinds[] = {
        {"SPTRANS1", "LINVIN", "INVIN_GEN"},   {"SPTRANS2", "LINVOUT", "INVOUT_GEN"},
        {"SPTRANS3", "LINVSEL", "INVSEL_GEN"}, {"SPTRANS4", "LINVRET", "INVRET_GEN"},
        {"SPQUOT", "LQUOTNO", "QUOTNO_GEN"},   {"SPQREQ", "LQREQNO", "QREQNO_GEN"},
        {"SPPORDER", "LPORDNO", "PORDNO_GEN"}, {"SPTRANS", "LTRNO", "TRNO_GEN"},
    };
    for (const auto& k : kinds) {
        SCOPED_TRACE(k.proc);
        auto last = [&] {
            Transaction tr(*c);
            Query q(tr, QStringLiteral("execute procedure ") + QString::fromLatin1(k.proc));
            q.execute();
            EXPECT_TRUE(q.next());
            const int v = int(q.integer(QString::fromLatin1(k.out)));
            tr.commit();
            return v;
        };
        EXPECT_EQ(last(), 0);   // nothing issued yet: the first document is number 1
        EXPECT_EQ(last(), 1);   // number 1 was taken by the first call
        c->executeImmediate(QStringLiteral("SET GENERATOR %1 TO 41").arg(QString::fromLatin1(k.gen)));
        EXPECT_EQ(last(), 41);  // the next document is 42
    }
}

TEST(Procedures, LedgerTotalsAndServerDate) {
    auto c = kv::test::makeDatabase(QStringLiteral("year.sql"));
    Transaction tr(*c);
    tr.execute(QStringLiteral("insert into TRANS (TRNO, LNO, ACCTNO, DR, CR) values (7, 1, '1', 100.25, 0)"));
    tr.execute(QStringLiteral("insert into TRANS (TRNO, LNO, ACCTNO, DR, CR) values (7, 2, '2', 0, 100.25)"));
    tr.execute(QStringLiteral("insert into TRANS (TRNO, LNO, ACCTNO, DR, CR) values (8, 1, '2', 5, 0)"));
    Query q(tr, QStringLiteral("execute procedure SPLEDTOT(:N)"));
    q.bind("N", 7).execute();
    ASSERT_TRUE(q.next());
    EXPECT_EQ(q.decimal("MDBTDR", 2).toString(), QStringLiteral("100.25"));
    EXPECT_EQ(q.decimal("MCRTCR", 2).toString(), QStringLiteral("100.25"));
    q.bind("N", 99).execute();
    ASSERT_TRUE(q.next());
    EXPECT_EQ(q.decimal("MDBTDR", 2).toString(), QStringLiteral("0.00"));
    Query d(tr, QStringLiteral("execute procedure SPCDATE"));
    d.execute();
    ASSERT_TRUE(d.next());
    EXPECT_EQ(d.value(0).index(), Value(QDate::currentDate()).index());
}
