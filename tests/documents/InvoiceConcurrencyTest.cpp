// Four workstations saving sales invoices at once on the private server, over the same items and
// the same customer: every save lands, the numbers never repeat, and the items' running figures
// and the customer's debit total equal the sums of the saved documents.
#include "admin/DataFolder.h"
#include "core/Money.h"
#include "core/Session.h"
#include "core/Startup.h"
#include "db/Connection.h"
#include "support/TestDb.h"
#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QUuid>
#include <gtest/gtest.h>
#include <memory>
#include <set>
#include <vector>

using namespace kv;

namespace {

QString text(db::Transaction& tr, const QString& sql)
{
    const db::Value v = db::scalar(tr, sql);
    if (auto d = std::get_if<db::Decimal>(&v)) return d->toString();
    if (auto i = std::get_if<std::int64_t>(&v)) return QString::number(*i);
    if (auto s = std::get_if<QString>(&v)) return s->trimmed();
    return QStringLiteral("0");
}
// Compared as fixed-point values, so "10" and "10.0000" agree.
core::Fixed<4> number(db::Transaction& tr, const QString& sql) { return *core::Fixed<4>::parse(text(tr, sql)); }

} // namespace

TEST(InvoiceConcurrency, FourWorkstationsOnTheSameRows)
{
    const auto srv = test::server();
    if (!srv) GTEST_SKIP() << "no private server (KV_TEST_FB_SERVER, KV_TEST_FB_DIR)";

    admin::InitOptions o;
    o.server = srv->host;
    o.dir = srv->dir + QStringLiteral("/inv") + QUuid::createUuid().toString(QUuid::Id128).left(10);
    QDir().mkpath(o.dir); // the server runs on this machine: its folder is ours too
    o.year = QStringLiteral("2026");
    o.adminPassword = QStringLiteral("1234");
    o.demo = true;
    const admin::InitResult init = admin::createDataFolder(o);
    ASSERT_TRUE(init.ok) << init.error.toStdString();
    const QString mainDb = init.acDbLines.value(1);

    core::Session s;
    s.mServer = srv->host;
    s.mIBMain = mainDb;
    s.mIBPath = init.acDbLines.value(2);
    core::Startup st(s);
    ASSERT_FALSE(st.openDatabases().has_value());
    ASSERT_FALSE(st.finish().has_value());

    const QString customer = QStringLiteral("120004"); // a credit customer without a credit limit
    const QStringList items{QStringLiteral("10001"), QStringLiteral("11002"), QStringLiteral("12003")};
    const QString itemList = QStringLiteral("'10001', '11002', '12003'");
    {
        db::Transaction tr(*s.MainDB);
        tr.execute(QStringLiteral("update ACCT set CRLIMIT2 = 0, ISACTIVE = 0 where ACCTNO = '%1'").arg(customer));
        tr.commit();
    }
    struct Before { core::Fixed<4> onhand, qtysold, outcost; };
    std::vector<Before> before;
    core::Fixed<4> drBefore;
    int invoicesBefore = 0;
    {
        db::Transaction tr(*s.MainDB);
        for (const QString& i : items) {
            const QString w = QStringLiteral(" from STOCK where ITEMNO = '%1'").arg(i);
            before.push_back({number(tr, QStringLiteral("select ONHAND") + w), number(tr, QStringLiteral("select QTYSOLD") + w),
                              number(tr, QStringLiteral("select OUTCOST") + w)});
        }
        drBefore = number(tr, QStringLiteral("select DR from ACCT where ACCTNO = '%1'").arg(customer));
        invoicesBefore = text(tr, QStringLiteral("select count(*) from TRANS3")).toInt();
    }

    constexpr int kClients = 4, kEach = 15;
    std::vector<std::unique_ptr<QProcess>> clients;
    QElapsedTimer clock;
    clock.start();
    for (int c = 0; c < kClients; ++c) {
        auto p = std::make_unique<QProcess>();
        p->setProgram(QStringLiteral(KV_INVOICE_CLIENT_PATH));
        p->setArguments(QStringList{srv->host, mainDb, customer, QString::number(kEach)} + items);
        p->start();
        clients.push_back(std::move(p));
    }
    std::set<int> numbers;
    int saved = 0;
    for (auto& p : clients) {
        ASSERT_TRUE(p->waitForFinished(110000));
        EXPECT_EQ(p->exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(p->exitCode(), 0) << p->readAllStandardError().toStdString();
        for (const QByteArray& line : p->readAllStandardOutput().split('\n')) {
            if (line.trimmed().isEmpty()) continue;
            numbers.insert(line.trimmed().toInt());
            ++saved;
        }
    }
    const double seconds = double(clock.elapsed()) / 1000.0;
    std::printf("[ throughput ] %d invoices by %d clients in %.2f s: %.1f invoices/s\n", saved, kClients, seconds,
                seconds > 0 ? saved / seconds : 0.0);

    EXPECT_EQ(saved, kClients * kEach);
    EXPECT_EQ(int(numbers.size()), saved); // no number twice

    db::Transaction tr(*s.MainDB);
    EXPECT_EQ(text(tr, QStringLiteral("select count(*) from TRANS3")).toInt(), invoicesBefore + saved);
    const QString mine = QStringLiteral(" from TRANS3D d join TRANS3 h on h.INVSEL = d.INVSEL"
                                        " where h.USERID = 'client' and d.ITEMNO = '%1'");
    for (int k = 0; k < int(items.size()); ++k) {
        SCOPED_TRACE(items[k].toStdString());
        const QString w = QStringLiteral(" from STOCK where ITEMNO = '%1'").arg(items[k]);
        const core::Fixed<4> q = number(tr, QStringLiteral("select coalesce(sum(d.QSOLD), 0)") + mine.arg(items[k]));
        const core::Fixed<4> v = number(tr, QStringLiteral("select coalesce(sum(d.SUBAMNT), 0)") + mine.arg(items[k]));
        EXPECT_FALSE(q.isZero());
        EXPECT_EQ(number(tr, QStringLiteral("select ONHAND") + w), before[k].onhand - q);
        EXPECT_EQ(number(tr, QStringLiteral("select QTYSOLD") + w), before[k].qtysold + q);
        EXPECT_EQ(number(tr, QStringLiteral("select OUTCOST") + w), before[k].outcost + v);
    }
    const core::Fixed<4> total = number(tr, QStringLiteral("select coalesce(sum(INVTOT), 0) from TRANS3 where USERID = 'client'"
                                                             " and ACCTNO = '%1'").arg(customer));
    EXPECT_EQ(number(tr, QStringLiteral("select DR from ACCT where ACCTNO = '%1'").arg(customer)), drBefore + total);
}
