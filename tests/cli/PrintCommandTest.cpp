// kvadmin print sales-invoice as a separate process over a demo data folder.
#include "documents/SalesInvoice.h"
#include "support/TestDb.h"
#include "core/Session.h"
#include "db/Connection.h"
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace kv;

namespace {

struct Result {
    int status = -1;
    QString out, err;
};

Result kvadmin(const QStringList& args)
{
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("QT_QPA_PLATFORM")); // the command must manage without a display itself
    p.setProcessEnvironment(env);
    p.start(QStringLiteral(KVADMIN_PATH), args);
    p.closeWriteChannel();
    EXPECT_TRUE(p.waitForFinished(60000));
    Result r;
    r.status = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    r.out = QString::fromUtf8(p.readAllStandardOutput());
    r.err = QString::fromUtf8(p.readAllStandardError());
    return r;
}

int saveInvoice(core::Session& s)
{
    s.msg.load(0);
    s.vAdmin = QStringLiteral("SV");
    s.UNM = QStringLiteral("tester");
    s.LTrDate = QDate(2026, 1, 1);
    s.gXQSel = QStringLiteral("F");
    s.gBCUse = QStringLiteral("F");
    {
        db::Transaction tr(*s.MainDB);
        tr.execute(QStringLiteral("update STOCK set UPRICE = 100, UPRICEC = 110 where ITEMNO = '10003'"));
        tr.execute(QStringLiteral("update ACCT set CRLIMIT2 = 100000, ISACTIVE = 0 where ACCTNO = '120005'"));
        tr.commit();
    }
    documents::SalesInvoice inv(s);
    inv.header.TRDATE = QDate(2026, 3, 15);
    EXPECT_TRUE(inv.selectCustomer(QStringLiteral("120005")).ok);
    documents::SalesLine l;
    l.ITEMNO = QStringLiteral("10003");
    l.QTYSOLD = core::Qty::fromInt(2);
    EXPECT_TRUE(inv.postLine(0, l, {}).ok);
    EXPECT_TRUE(inv.checkSave().ok);
    db::Transaction tr(*s.MainDB);
    db::Query q(tr, QStringLiteral("execute procedure SPTRANS3"));
    q.execute();
    const int number = (q.next() ? int(q.integer(QStringLiteral("LINVSEL"))) : 0) + 1;
    documents::SalesInvoiceWriter w(s, inv);
    w.write(tr, number);
    tr.commit();
    return number;
}

TEST(PrintCommand, WritesThePdfAndRefusesWhatItCannotPrint)
{
    const test::DataFolder f = test::makeDataFolder(QStringLiteral("2026"), true);
    int number = 0;
    {
        auto s = test::openSession(f);
        number = saveInvoice(*s);
    }
    QTemporaryDir tmp;
    const QString pdf = tmp.filePath(QStringLiteral("inv.pdf"));
    const QStringList db{QStringLiteral("--data"), f.dir, QStringLiteral("--year"), f.year};

    const Result ok = kvadmin(QStringList{QStringLiteral("print"), QStringLiteral("sales-invoice"), QString::number(number),
                                       QStringLiteral("--pdf"), pdf} + db);
    ASSERT_EQ(ok.status, 0) << ok.err.toStdString();
    QFile file(pdf);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.read(5) == "%PDF-");

    struct Case {
        const char* what;
        QString number, pdf;
        const char* message;
    };
    const Case failures[] = {
        {"no such invoice", QString::number(number + 100), tmp.filePath(QStringLiteral("none.pdf")), "no sales invoice"},
        {"unwritable file", QString::number(number), tmp.filePath(QStringLiteral("missing/dir/inv.pdf")), "cannot write"},
    };
    for (const Case& c : failures) {
        SCOPED_TRACE(c.what);
        const Result r = kvadmin(QStringList{QStringLiteral("print"), QStringLiteral("sales-invoice"), c.number,
                                          QStringLiteral("--pdf"), c.pdf} + db);
        EXPECT_NE(r.status, 0);
        EXPECT_TRUE(r.err.contains(QLatin1String(c.message))) << r.err.toStdString();
        EXPECT_FALSE(QFileInfo::exists(c.pdf));
    }
}

} // namespace
