// kvadmin as a user runs it: a separate process, its output and exit status, the files it leaves.
#include "core/Rights.h"
#include "db/Connection.h"
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <map>

namespace {

struct Outcome {
    int status = -1;
    QString out, err;
};

Outcome kvadmin(const QStringList& args, const QProcessEnvironment& env = QProcessEnvironment::systemEnvironment()) {
    QProcess p;
    p.setProcessEnvironment(env);
    p.start(QStringLiteral(KVADMIN_PATH), args);
    p.closeWriteChannel(); // stdin is a pipe, never a terminal
    EXPECT_TRUE(p.waitForFinished(60000)) << "kvadmin " << args.join(' ').toStdString();
    Outcome r;
    r.status = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    r.out = QString::fromUtf8(p.readAllStandardOutput());
    r.err = QString::fromUtf8(p.readAllStandardError());
    return r;
}

Outcome init(const QString& dir, const QString& year, QStringList extra = {}) {
    return kvadmin(QStringList{QStringLiteral("init"), dir, QStringLiteral("--year"), year,
                               QStringLiteral("--admin-password"), QStringLiteral("1234")} + extra);
}

QStringList lines(const QString& text) {
    QStringList l = text.split(QLatin1Char('\n'));
    if (!l.isEmpty() && l.last().isEmpty()) l.removeLast();
    return l;
}

const QStringList kFiles{QStringLiteral("MAIN.FDB"), QStringLiteral("AC.FDB"), QStringLiteral("AC2026.FDB")};

TEST(Kvadmin, InitCreatesTheThreeDatabasesAndPrintsAcDb) {
    QTemporaryDir tmp;
    const QString dir = tmp.path() + QStringLiteral("/firm"); // not there yet: init makes it
    const Outcome r = init(dir, QStringLiteral("2026"));
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    for (const QString& f : kFiles) EXPECT_TRUE(QFileInfo(dir + '/' + f).size() > 0) << f.toStdString();

    const QStringList acDb = lines(r.out);
    ASSERT_EQ(acDb.size(), 4) << r.out.toStdString();
    EXPECT_EQ(acDb[0], QString());                     // embedded engine: no server
    EXPECT_EQ(acDb[1], dir + QStringLiteral("/MAIN.FDB"));
    EXPECT_EQ(acDb[2], dir);
    EXPECT_FALSE(acDb[3].isEmpty());
}

TEST(Kvadmin, InitRefusesAnOccupiedFolderAndChangesNothing) {
    QTemporaryDir tmp;
    ASSERT_EQ(init(tmp.path(), QStringLiteral("2026")).status, 0);
    std::map<QString, std::pair<qint64, QDateTime>> before;
    for (const QString& f : QDir(tmp.path()).entryList(QDir::Files)) {
        const QFileInfo fi(tmp.path() + '/' + f);
        before[f] = {fi.size(), fi.lastModified()};
    }

    // The same year again, and another year whose own file is absent but MAIN.FDB is there.
    for (const QString& year : {QStringLiteral("2026"), QStringLiteral("2027")}) {
        const Outcome r = init(tmp.path(), year, {QStringLiteral("--demo")});
        EXPECT_NE(r.status, 0) << year.toStdString();
        EXPECT_TRUE(r.out.isEmpty());
        EXPECT_TRUE(r.err.contains(QStringLiteral("exists"))) << r.err.toStdString();
    }
    std::map<QString, std::pair<qint64, QDateTime>> after;
    for (const QString& f : QDir(tmp.path()).entryList(QDir::Files)) {
        const QFileInfo fi(tmp.path() + '/' + f);
        after[f] = {fi.size(), fi.lastModified()};
    }
    EXPECT_EQ(before, after);
}

TEST(Kvadmin, HelpDocumentsEveryCommand) {
    for (const QStringList& args : {QStringList{QStringLiteral("--help")}, QStringList{QStringLiteral("help")}}) {
        const Outcome r = kvadmin(args);
        EXPECT_EQ(r.status, 0);
        for (const char* word : {"init", "years", "--year", "--admin-password", "--demo", "--data", "--server", "KV_CONFIG_DIR"})
            EXPECT_TRUE(r.out.contains(QLatin1String(word))) << word;
    }
    const Outcome one = kvadmin({QStringLiteral("years"), QStringLiteral("--help")});
    EXPECT_EQ(one.status, 0);
    EXPECT_TRUE(one.out.contains(QStringLiteral("kvadmin years"))) << one.out.toStdString();
}

TEST(Kvadmin, YearsFindsTheFolderByOptionOrByAcDb) {
    QTemporaryDir tmp;
    const QString data = tmp.path() + QStringLiteral("/data");
    const Outcome created = init(data, QStringLiteral("1447"));
    ASSERT_EQ(created.status, 0) << created.err.toStdString();
    // The AcDb.txt the program reads, in the folder KV_CONFIG_DIR names.
    QFile acDb(tmp.path() + QStringLiteral("/AcDb.txt"));
    ASSERT_TRUE(acDb.open(QIODevice::WriteOnly));
    acDb.write(created.out.toUtf8());
    acDb.close();
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("KV_CONFIG_DIR"), tmp.path());

    const struct {
        QStringList args;
        QProcessEnvironment env;
    } cases[] = {
        {{QStringLiteral("years"), QStringLiteral("--data"), data}, QProcessEnvironment::systemEnvironment()},
        {{QStringLiteral("years"), QStringLiteral("--data=") + data, QStringLiteral("--year"), QStringLiteral("1447")},
         QProcessEnvironment::systemEnvironment()},
        {{QStringLiteral("years")}, env},
    };
    for (const auto& c : cases) {
        const Outcome r = kvadmin(c.args, c.env);
        EXPECT_EQ(r.status, 0) << c.args.join(' ').toStdString() << ": " << r.err.toStdString();
        EXPECT_EQ(r.out, QStringLiteral("1447\n"));
    }
}

TEST(Kvadmin, WrongUseFailsWithAMessage) {
    QTemporaryDir tmp;
    const QString empty = tmp.path() + QStringLiteral("/empty");
    QDir().mkpath(empty);
    const QStringList cases[] = {
        {QStringLiteral("frobnicate")},
        {},
        {QStringLiteral("init"), QStringLiteral("--year"), QStringLiteral("2026")},                   // no folder
        {QStringLiteral("init"), empty, QStringLiteral("--admin-password"), QStringLiteral("1")},     // no year
        {QStringLiteral("init"), empty, QStringLiteral("--year"), QStringLiteral("2026")},            // no password, no terminal
        {QStringLiteral("init"), empty, QStringLiteral("--year"), QStringLiteral("26"), QStringLiteral("--admin-password"), QStringLiteral("1")},
        {QStringLiteral("init"), empty, QStringLiteral("--year"), QStringLiteral("2026"), QStringLiteral("--admin-password"), QStringLiteral("1234567")},
        {QStringLiteral("years"), QStringLiteral("--bogus")},
        {QStringLiteral("years"), QStringLiteral("--data"), empty},                                   // no MAIN.FDB there
    };
    for (const QStringList& args : cases) {
        const Outcome r = kvadmin(args);
        EXPECT_NE(r.status, 0) << args.join(' ').toStdString();
        EXPECT_FALSE(r.err.trimmed().isEmpty()) << args.join(' ').toStdString();
        EXPECT_TRUE(r.out.isEmpty()) << args.join(' ').toStdString();
    }
    EXPECT_TRUE(QDir(empty).isEmpty());
}

std::map<QString, QString> row(kv::db::Transaction& tr, const QString& sql) {
    kv::db::Query q(tr, sql);
    q.execute();
    std::map<QString, QString> out;
    if (!q.next()) return out;
    for (int i = 0; i < q.columnCount(); ++i) out[q.columnName(i)] = q.text(q.columnName(i));
    return out;
}

QString grantedRights(kv::db::Transaction& tr, const QString& user) {
    kv::db::Query q(tr, QStringLiteral("select * from SUSERS where USERNM = :U"));
    q.bind(QStringLiteral("U"), user);
    q.execute();
    if (!q.next()) return QStringLiteral("<no user>");
    QStringList granted;
    for (int i = 0; i < kv::core::RightCount; ++i) {
        const QString col = kv::core::rightColumn(kv::core::rightAt(i));
        if (q.text(col) == QLatin1String("T")) granted << col;
    }
    return granted.size() == kv::core::RightCount ? QStringLiteral("all") : granted.join(' ');
}

TEST(Kvadmin, DemoFirmHasItsDataAndAnOperator) {
    QTemporaryDir tmp;
    const Outcome r = init(tmp.path(), QStringLiteral("2026"), {QStringLiteral("--demo")});
    ASSERT_EQ(r.status, 0) << r.err.toStdString();

    auto main = kv::db::Connection::open({QString(), tmp.path() + QStringLiteral("/MAIN.FDB"), QString(), QString()});
    kv::db::Transaction tr(*main);
    auto firm = row(tr, QStringLiteral("select FIRMNAME, TAXCODE, COSTPR, SELUNIT, ARTNUM, SELFORM, VATPER, "
                                       "ISSALR, PHEADER, NQSLD, XQSEL, BCUSE from FIRM"));
    EXPECT_FALSE(firm["FIRMNAME"].isEmpty());
    EXPECT_EQ(firm["TAXCODE"].size(), 15);
    const std::map<QString, QString> settings{{"COSTPR", "1"}, {"SELUNIT", "2"}, {"ARTNUM", "2"}, {"SELFORM", "0"},
                                              {"ISSALR", "T"}, {"PHEADER", "T"}, {"NQSLD", "F"}, {"XQSEL", "F"},
                                              {"BCUSE", "F"}};
    for (const auto& [col, v] : settings) EXPECT_EQ(firm[col], v) << col.toStdString();
    EXPECT_DOUBLE_EQ(firm["VATPER"].toDouble(), 15.0);
    EXPECT_FALSE(row(tr, QStringLiteral("select BRNAME, NOTES from BRANCH"))["BRNAME"].isEmpty());
    EXPECT_EQ(row(tr, QStringLiteral("select CYEAR from YEARS"))["CYEAR"], QStringLiteral("2026"));

    EXPECT_EQ(grantedRights(tr, QStringLiteral("<المشرف>")), QStringLiteral("all"));
    EXPECT_EQ(grantedRights(tr, QStringLiteral("سالم")), QStringLiteral("T05 T07 T16 R04 R14"));
    EXPECT_EQ(row(tr, QStringLiteral("select USERID from SUSERS where USERNM = 'سالم'"))["USERID"], QStringLiteral("1111"));
    EXPECT_EQ(row(tr, QStringLiteral("select count(*) as N from REPINFO where USERNM = '<المشرف>'"))["N"], QStringLiteral("1"));
}

// Creating the folder through the private server of the test run.
TEST(Kvadmin, InitThroughTheServer) {
    const QString host = qEnvironmentVariable("KV_TEST_FB_SERVER");
    const QString base = qEnvironmentVariable("KV_TEST_FB_DIR");
    if (host.isEmpty() || base.isEmpty()) GTEST_SKIP() << "no private server (run through test.sh)";
    QTemporaryDir tmp(base + QStringLiteral("/cli-XXXXXX"));
    ASSERT_TRUE(tmp.isValid());

    const Outcome r = init(tmp.path(), QStringLiteral("2026"), {QStringLiteral("--server"), host});
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_EQ(lines(r.out).value(0), host);
    for (const QString& f : kFiles) EXPECT_TRUE(QFileInfo::exists(tmp.path() + '/' + f)) << f.toStdString();

    const Outcome years = kvadmin({QStringLiteral("years"), QStringLiteral("--data"), tmp.path(), QStringLiteral("--server"), host});
    EXPECT_EQ(years.status, 0) << years.err.toStdString();
    EXPECT_EQ(years.out, QStringLiteral("2026\n"));
    EXPECT_NE(init(tmp.path(), QStringLiteral("2026"), {QStringLiteral("--server"), host}).status, 0);
}

} // namespace
