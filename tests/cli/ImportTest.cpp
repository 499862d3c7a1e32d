// kvadmin import / export of the item and account files.
#include "db/Connection.h"
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

struct Outcome {
    int status = -1;
    QString out, err;
};

Outcome kvadmin(const QStringList& args) {
    QProcess p;
    p.start(QStringLiteral(KVADMIN_PATH), args);
    p.closeWriteChannel();
    EXPECT_TRUE(p.waitForFinished(120000));
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1, QString::fromUtf8(p.readAllStandardOutput()),
            QString::fromUtf8(p.readAllStandardError())};
}

void write(const QString& path, const QByteArray& text) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(text);
}

qint64 count(const QString& db, const QString& sql) {
    auto c = kv::db::Connection::open({QString(), db, {}, {}});
    kv::db::Transaction tr(*c);
    return std::get<std::int64_t>(kv::db::scalar(tr, sql));
}

struct Firm {
    QTemporaryDir tmp;
    QString dir, year;
    Firm() : dir(tmp.path() + QStringLiteral("/f")), year(QStringLiteral("2026")) {
        const Outcome r = kvadmin({"init", dir, "--year", year, "--admin-password", "1"});
        EXPECT_EQ(r.status, 0) << r.err.toStdString();
        auto c = kv::db::Connection::open({QString(), yearDb(), {}, {}});
        kv::db::Transaction tr(*c);
        tr.execute(QStringLiteral("insert into MSTOCK (ARTNO, ARTNM) values ('10', 'مواد غذائية')"));
        tr.execute(QStringLiteral("insert into MACT (MACTNO, MACTNM, ACCTTYPE) values ('12', 'العملاء', '12')"));
        tr.execute(QStringLiteral("insert into ACCT (ACCTNO, ACCTNAME, ACCTTYPE, MACTNO) values ('120001', 'قديم', '12', '12')"));
        tr.execute(QStringLiteral("insert into STOCK (ITEMNO, DESCR) values ('900', 'موجود')"));
        tr.commit();
    }
    QString yearDb() const { return dir + QStringLiteral("/AC2026.FDB"); }
    QStringList data() const { return {"--data", dir}; }
};

} // namespace

TEST(Import, ABadFileReportsEveryBadRowByLineAndImportsNothing) {
    Firm f;
    const QString csv = f.tmp.path() + QStringLiteral("/items.csv");
    write(csv, "\xEF\xBB\xBFITEMNO,DESCR,UNIT,SUBUNIT,QUNITS,UPRICE,ARTNO\r\n"
               "100,\"سكر، كيس 'أبيض'\",كرتون,كيس,12,45.50,10\r\n"   // line 2: good (comma and quotes inside)
               "101,أرز,كرتون,كيس,abc,10,10\r\n"                      // line 3: QUNITS not a number
               "102,\"زيت\n5 لتر\",كرتون,علبة,6,1.005,10\r\n"          // line 4-5: three decimals
               "103,عدس,كرتون,كيس,1,10,99\r\n"                        // line 6: unknown group
               "100,مكرر,كرتون,كيس,1,10,10\r\n"                       // line 7: duplicate in the file
               "900,موجود,كرتون,كيس,1,10,10\r\n"                      // line 8: already in the table
               "104,,كرتون,كيس,1,10,10\r\n"                           // line 9: no description
               "105,فول,كرتون,كيس,1,10\r\n");                         // line 10: a field missing
    const Outcome r = kvadmin(QStringList{"import", "items", csv} + f.data());
    EXPECT_EQ(r.status, 1);
    QStringList lines;
    for (const QString& l : r.err.split('\n'))
        if (l.startsWith(csv)) lines << l.mid(csv.size() + 1).section(':', 0, 0);
    EXPECT_EQ(lines, (QStringList{"3", "4", "6", "7", "8", "9", "10"})) << r.err.toStdString();
    EXPECT_TRUE(r.err.contains(QStringLiteral("already on line 2")));
    EXPECT_EQ(count(f.yearDb(), "select count(*) from STOCK"), 1); // nothing imported
}

TEST(Import, ItemsAndAccountsRoundTripThroughExport) {
    Firm f;
    const QString items = f.tmp.path() + QStringLiteral("/items.csv");
    write(items, "ITEMNO,DESCR,UNIT,SUBUNIT,QUNITS,UPRICE,UPRICE2,ARTNO,EDATE\n"
                 "100,\"سكر، كيس\",كرتون,كيس,12,45.50,4.25,10,2027-01-31\n"
                 "102,\"زيت \"\"ممتاز\"\", 5,0 لتر\",كرتون,علبة,6,30,5,10,\n"
                 "101,أرز,كرتون,كيس,10,99999999999999.99,1,10,31/12/2026\n");
    Outcome r = kvadmin(QStringList{"import", "items", items} + f.data());
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    const QString accounts = f.tmp.path() + QStringLiteral("/accounts.csv");
    write(accounts, "ACCTNAME,MACTNO,TEL,CRLIMIT2\nمؤسسة الأمل,12,0501234567,5000\nشركة النور,12,,\n");
    r = kvadmin(QStringList{"import", "accounts", accounts} + f.data());
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_EQ(count(f.yearDb(), "select count(*) from ACCT where ACCTNO in ('120002', '120003') and ACCTTYPE = '12'"), 2);

    const QString out = f.tmp.path() + QStringLiteral("/out.csv");
    r = kvadmin(QStringList{"export", "items", out} + f.data());
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    QFile e(out);
    ASSERT_TRUE(e.open(QIODevice::ReadOnly));
    const QStringList got = QString::fromUtf8(e.readAll()).split(QStringLiteral("\r\n"));
    ASSERT_GE(got.size(), 5);
    EXPECT_TRUE(got[0].startsWith(QLatin1String("ITEMNO,DESCR,")));
    EXPECT_TRUE(got[1].startsWith(QStringLiteral("100,سكر، كيس,,,كرتون,,كيس,,12.00,10,45.50,4.25,"))) << got[1].toStdString();
    EXPECT_TRUE(got[1].contains(QLatin1String("2027-01-31")));
    EXPECT_TRUE(got[2].contains(QLatin1String("99999999999999.99")));
    EXPECT_TRUE(got[3].startsWith(QStringLiteral("102,\"زيت \"\"ممتاز\"\", 5,0 لتر\",,,كرتون"))) << got[3].toStdString();
    // The exported file loads into another year as it is.
    Firm g;
    r = kvadmin(QStringList{"import", "items", out} + g.data());
    EXPECT_EQ(r.status, 1); // item 900 exists there too
    EXPECT_TRUE(r.err.contains(QLatin1String(":5: ITEMNO 900 is already in the STOCK table"))) << r.err.toStdString();
}
