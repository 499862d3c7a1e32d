// Start-up, login and year services over real data folders on the embedded engine.
#include "support/TestDb.h"
#include "core/Dates.h"
#include "core/SchemaUpgrade.h"
#include "core/Services.h"
#include "core/Startup.h"
#include "core/Users.h"
#include "db/Script.h"
#include <QFile>
#include <gtest/gtest.h>

using namespace kv;
using namespace kv::core;

namespace {

void exec(db::Connection& c, const QString& sql) {
    db::Transaction tr(c);
    tr.execute(sql);
    tr.commit();
}

} // namespace

TEST(Startup, OpensTheLatestYearAndLoadsTheFirm) {
    auto f = test::makeDataFolder(QStringLiteral("2025"));
    // A second, later year entered before an older one: the highest CYEAR is the latest.
    {
        auto main = db::Connection::open({QString(), f.mainDb(), {}, {}});
        exec(*main, QStringLiteral("insert into YEARS (CYEAR) values (2026)"));
        exec(*main, QStringLiteral("insert into YEARS (CYEAR) values (2024)"));
        exec(*main, QStringLiteral("update FIRM set FIRMNAME = 'مؤسسة الاختبار', TAXCODE = '300000000000003', COSTPR = 2, SYSBAK = 'XBACKUP1'"));
        auto y = db::Connection::create({QString(), f.dir + QStringLiteral("/AC2026.FDB"), {}, {}});
        db::runScript(*y, db::schemaScript(QStringLiteral("year.sql")));
        exec(*y, QStringLiteral("insert into TRANS (TRNO, LNO, ACCTNO, DR, CR) values (12, 1, '1', 1, 0)"));
    }
    Session s;
    s.mIBMain = f.mainDb();
    s.mIBPath = f.dir;
    Startup st(s);
    ASSERT_FALSE(st.openDatabases().has_value());
    EXPECT_EQ(s.CurrYr, QStringLiteral("2026"));
    EXPECT_EQ(s.LastYr, QStringLiteral("2026"));
    EXPECT_EQ(s.mTrNo, 12);
    EXPECT_EQ(s.mFirmN, QStringLiteral("مؤسسة الاختبار"));
    EXPECT_EQ(s.mTaxCd, QStringLiteral("الرقم الضريبي للمنشأة: 300000000000003"));
    EXPECT_EQ(s.gCostPr, QStringLiteral("2"));
    EXPECT_EQ(s.mvSysBak, QStringLiteral("BACKUP1"));
    EXPECT_FALSE(st.needsHijriConfirmation());
    ASSERT_FALSE(st.finish().has_value());
    EXPECT_EQ(st.years(), (QStringList{"2024", "2025", "2026"}));
    st.openYear(QStringLiteral("2025"));
    EXPECT_EQ(s.CurrYr, QStringLiteral("2025"));
    EXPECT_EQ(s.LastYr, QStringLiteral("2026"));
}

TEST(Startup, FailuresEndWithAMessageAndNoConnection) {
    auto f = test::makeDataFolder();
    struct Case { const char* what; QString server, main, path; const char* expect; bool information; };
    const Case cases[] = {
        {"localhost", QStringLiteral("LocalHost"), f.mainDb(), f.dir, "Invalid Server name", true},
        {"missing main file", QString(), f.dir + QStringLiteral("/NONE.FDB"), f.dir, nullptr, false},
        {"missing year file", QString(), f.mainDb(), f.dir + QStringLiteral("/elsewhere"), nullptr, false},
        {"server down", QStringLiteral("127.0.0.1/1"), f.mainDb(), f.dir, nullptr, false},
    };
    for (const auto& k : cases) {
        SCOPED_TRACE(k.what);
        Session s;
        s.mServer = k.server;
        s.mIBMain = k.main;
        s.mIBPath = k.path;
        const auto e = Startup(s).openDatabases();
        ASSERT_TRUE(e.has_value());
        EXPECT_FALSE(e->message.isEmpty());
        if (k.expect) {
            EXPECT_EQ(e->message.toStdString(), k.expect);
        }
        EXPECT_EQ(e->information, k.information);
        EXPECT_FALSE(s.FirmDB && s.MainDB) << "start-up went on without its connections";
    }
    // An empty YEARS table.
    {
        auto main = db::Connection::open({QString(), f.mainDb(), {}, {}});
        exec(*main, QStringLiteral("delete from YEARS"));
    }
    Session s;
    s.mIBMain = f.mainDb();
    s.mIBPath = f.dir;
    EXPECT_TRUE(Startup(s).openDatabases().has_value());
    EXPECT_FALSE(s.MainDB);
}

TEST(Startup, LatestDocumentDateOverTheSixTables) {
    auto f = test::makeDataFolder();
    auto s = test::openSession(f);
    Startup st(*s);
    EXPECT_FALSE(s->LTrDate.isValid()); // no documents: the empty date
    exec(*s->MainDB, QStringLiteral("insert into TRANS3 (INVSEL, TRDATE) values (1, '2026-03-01')"));
    exec(*s->MainDB, QStringLiteral("insert into TRANS1 (INVIN, TRDATE) values (1, '2026-02-01')"));
    st.computeLTrDate();
    EXPECT_EQ(s->LTrDate, QDate(2026, 3, 1));
    exec(*s->MainDB, QStringLiteral("insert into RECPT (RVNO, TRDATE) values (1, '2026-04-05')"));
    st.computeLTrDate();
    EXPECT_EQ(s->LTrDate, QDate(2026, 4, 5)); // a later receipt wins
}

TEST(Startup, HijriYearAsksForTheDateAndAdvancesIt) {
    auto f = test::makeDataFolder(QStringLiteral("1447"));
    Session s;
    s.mIBMain = f.mainDb();
    s.mIBPath = f.dir;
    s.msg.load(0);
    Startup st(s);
    ASSERT_FALSE(st.openDatabases().has_value());
    EXPECT_TRUE(st.needsHijriConfirmation());
    EXPECT_TRUE(s.MainDB->name().endsWith(QLatin1String("AC1447.FDB")));
    // First run: nothing confirmed yet.
    HijriProposal p = beginHijriConfirmation(s, QDate(2026, 3, 1));
    EXPECT_EQ(p.gdate, QDate(2026, 3, 1));
    EXPECT_FALSE(p.hdate.isValid());
    QString err;
    ASSERT_TRUE(confirmHijriDate(s, p.gdate, QDate(1447, 9, 12), &err)) << err.toStdString();
    EXPECT_EQ(s.mcHDate, QDate(1447, 9, 12));
    // Three days later the proposal is three Hijri days on.
    p = beginHijriConfirmation(s, QDate(2026, 3, 4));
    EXPECT_EQ(p.hdate, QDate(1447, 9, 15));
    // A Hijri day with no Gregorian twin cannot be stored.
    EXPECT_FALSE(confirmHijriDate(s, p.gdate, QDate(), &err));
    EXPECT_EQ(err, QStringLiteral("التاريخ غير صحيح"));
    ASSERT_FALSE(st.finish().has_value());
}

TEST(SchemaUpgrade, AddsWhatAnOlderYearLacksAndIsIdempotent) {
    QFile fixture(QStringLiteral(KV_FIXTURES_DIR "/year_old.sql"));
    ASSERT_TRUE(fixture.open(QIODevice::ReadOnly));
    auto c = test::makeDatabase(QString());
    db::runScript(*c, QString::fromUtf8(fixture.readAll()));
    auto columns = [&](const char* table) {
        db::Transaction tr(*c);
        db::Query q(tr, QStringLiteral("select trim(RDB$FIELD_NAME) as N from RDB$RELATION_FIELDS where RDB$RELATION_NAME = :T order by RDB$FIELD_POSITION"));
        q.bind("T", QString::fromLatin1(table)).execute();
        QStringList out;
        while (q.next()) out << q.text(QStringLiteral("N"));
        return out;
    };
    ASSERT_FALSE(columns("CCENT").contains(QLatin1String("CENTGNO")));
    ASSERT_TRUE(columns("CCENTG").isEmpty());
    upgradeYearDatabase(*c);
    EXPECT_TRUE(columns("CCENT").contains(QLatin1String("CENTGNO")));
    EXPECT_EQ(columns("ACCT").indexOf(QLatin1String("TEL2")), 5);
    EXPECT_TRUE(columns("ACCT").contains(QLatin1String("ISSMS")));
    EXPECT_EQ(columns("TRANS").indexOf(QLatin1String("CENTGNO")), 12);
    EXPECT_TRUE(columns("ZGT_TRANS").contains(QLatin1String("CENTGNO")));
    EXPECT_EQ(columns("CCENTG"), (QStringList{"CENTGNO", "CENTGNM"}));
    const QStringList acct = columns("ACCT");
    upgradeYearDatabase(*c); // a second run changes nothing
    EXPECT_EQ(columns("ACCT"), acct);
}

TEST(Login, ChecksAndRights) {
    auto f = test::makeDataFolder(QStringLiteral("2026"), true);
    auto s = test::openSession(f);
    UserStore users(*s);
    const auto admin = users.find(adminName());
    ASSERT_TRUE(admin.has_value());
    struct Case { std::optional<User> user; const char* password; bool ok; const char* message; bool focusPassword; };
    const Case cases[] = {
        {std::nullopt, "1234", false, "تسجيل الدخول غير صحيح", false},
        {admin, "", false, "", true},
        {admin, "12345", false, "الرقم السري غير صحيح", true},
        {admin, "1234", true, "", false},
    };
    for (const auto& k : cases) {
        const LoginCheck r = checkLogin(k.user, QString::fromUtf8(k.password));
        EXPECT_EQ(r.ok, k.ok) << k.password;
        EXPECT_EQ(r.message.toStdString(), k.message);
        EXPECT_EQ(r.focusPassword, k.focusPassword);
    }
    // An operator with every flag set is still an operator; the administrator passes everything.
    User op;
    op.USERNM = QStringLiteral("كل الصلاحيات");
    op.USERID = QStringLiteral("9");
    for (auto& fl : op.rights.flag) fl = QStringLiteral("T");
    op.rights[Right::R06] = QStringLiteral("F");
    ASSERT_EQ(users.save(op, op.USERID, true), QString());
    applyLogin(*s, *users.find(op.USERNM));
    EXPECT_EQ(s->vAdmin, QStringLiteral("OP"));
    EXPECT_TRUE(s->allowed(Right::R05));
    EXPECT_FALSE(s->allowed(Right::R06));
    EXPECT_EQ(s->msg.mInUse, QStringLiteral("الملف مشغول الآن. حاول مرة أخرى"));
    applyLogin(*s, *admin);
    EXPECT_EQ(s->vAdmin, QStringLiteral("SV"));
    EXPECT_TRUE(s->allowed(Right::R06));
    // Each login leaves exactly one REPINFO row per user.
    applyLogin(*s, *admin);
    db::Transaction tr(*s->FirmDB);
    EXPECT_EQ(std::get<std::int64_t>(db::scalar(tr, QStringLiteral("select count(*) from REPINFO where USERNM = :N"),
                                                {{"N", adminName()}})), 1);
}

TEST(Users, MaintenanceRules) {
    auto f = test::makeDataFolder();
    auto s = test::openSession(f);
    s->msg.load(0);
    UserStore users(*s);
    User u;
    u.USERNM = QStringLiteral("خالد");
    u.USERID = QStringLiteral("1111");
    struct Case { const char* name; const char* pw; const char* confirm; bool isNew; const char* message; };
    const Case cases[] = {
        {"  ", "1", "1", true, "أدخل اسم المستخدم"},
        {"المشرف", "1", "1", true, "اسم المستخدم موجود مسبقا"},
        {"Admin", "1", "1", true, "اسم المستخدم موجود مسبقا"},
        {"خالد", "1111", "1112", true, "كلمتي السر غير متوافقتين"},
        {"خالد", "1111", "1111", true, ""},
        {"خالد", "1111", "1111", true, "اسم المستخدم موجود مسبقا"}, // the name is taken now
    };
    for (const auto& k : cases) {
        User x;
        x.USERNM = QString::fromUtf8(k.name);
        x.USERID = QString::fromUtf8(k.pw);
        EXPECT_EQ(users.save(x, QString::fromUtf8(k.confirm), k.isNew).toStdString(), k.message) << k.name;
    }
    // The administrator keeps every flag when edited.
    User a = *users.find(adminName());
    for (auto& fl : a.rights.flag) fl = QStringLiteral("F");
    a.USERID = QStringLiteral("4321");
    EXPECT_EQ(users.save(a, a.USERID, false), QString());
    EXPECT_EQ(users.find(adminName())->rights[Right::T09], QStringLiteral("T"));
    EXPECT_EQ(users.find(adminName())->USERID, QStringLiteral("4321"));
    EXPECT_EQ(users.remove(adminName()), QStringLiteral("لا يمكن إلغاء اسم المشرف"));
    EXPECT_EQ(users.remove(QStringLiteral("خالد")), QString());
    EXPECT_FALSE(users.find(QStringLiteral("خالد")));
    // Changing one's own password.
    u.rights = {};
    ASSERT_EQ(users.save(u, u.USERID, true), QString());
    applyLogin(*s, *users.find(u.USERNM));
    int field = -1;
    EXPECT_EQ(users.changePassword(QStringLiteral("0000"), QStringLiteral("2"), QStringLiteral("2"), &field), QStringLiteral("الرقم السري غير صحيح"));
    EXPECT_EQ(field, 0);
    EXPECT_EQ(users.changePassword(QStringLiteral("1111"), QStringLiteral("  "), QStringLiteral("  "), &field), QStringLiteral("فضلا أدخل الرقم السري"));
    EXPECT_EQ(field, 1);
    EXPECT_EQ(users.changePassword(QStringLiteral("1111"), QStringLiteral("22"), QStringLiteral("23"), &field), QStringLiteral("كلمتي السر غير متوافقتين"));
    EXPECT_EQ(field, 2);
    EXPECT_EQ(users.changePassword(QStringLiteral("1111"), QStringLiteral("22"), QStringLiteral("22"), &field), QString());
    EXPECT_EQ(users.find(u.USERNM)->USERID, QStringLiteral("22"));
}

TEST(Services, DefaultDatesLastJournalNumberAndDocumentDate) {
    auto f = test::makeDataFolder();
    auto s = test::openSession(f);
    const DefaultDates d = SetDefDates(*s, QDate(2026, 5, 7));
    EXPECT_EQ(d.date1, QDate(2026, 1, 1));
    EXPECT_EQ(d.date2, QDate(2026, 5, 7));
    SetDefDates(*s, QDate(2026, 5, 8)); // the one row is updated, not duplicated
    {
        db::Transaction tr(*s->FirmDB);
        db::Query q(tr, QStringLiteral("select count(*) as N, max(DATE2) as D from ZGT_PARAM"));
        q.execute();
        ASSERT_TRUE(q.next());
        EXPECT_EQ(q.integer(QStringLiteral("N")), 1);
        EXPECT_EQ(q.date(QStringLiteral("D")), QDate(2026, 5, 8));
    }
    EXPECT_EQ(GetLastTrNo(*s), 0);
    exec(*s->MainDB, QStringLiteral("insert into TRANS (TRNO, LNO) values (5, 1)"));
    EXPECT_EQ(GetLastTrNo(*s), 5);
    EXPECT_EQ(GetLastTrNo(*s), 5); // reading does not use a number up
    EXPECT_EQ(defaultDocumentDate(*s), QDate::currentDate());
    s->CurrYr = QStringLiteral("1447");
    s->mcHDate = QDate(1447, 6, 20);
    EXPECT_EQ(defaultDocumentDate(*s), QDate(1447, 6, 20));
}
