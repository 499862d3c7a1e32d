// Data folders and sessions for tests (kept apart so db-only tests need no area library).
#include "TestDb.h"
#include "admin/DataFolder.h"
#include "core/Startup.h"
#include <gtest/gtest.h>

namespace kv::test {

QString DataFolder::mainDb() const { return dir + QStringLiteral("/MAIN.FDB"); }
QString DataFolder::yearDb() const { return dir + QStringLiteral("/AC") + year + QStringLiteral(".FDB"); }

DataFolder makeDataFolder(const QString& year, bool demo) {
    DataFolder f{freshDir(QStringLiteral("data")), year};
    admin::InitOptions o;
    o.dir = f.dir;
    o.year = year;
    o.adminPassword = QStringLiteral("1234");
    o.demo = demo;
    const admin::InitResult r = admin::createDataFolder(o);
    EXPECT_TRUE(r.ok) << r.error.toStdString();
    return f;
}

std::unique_ptr<core::Session> openSession(const DataFolder& f) {
    auto s = std::make_unique<core::Session>();
    s->mIBMain = f.mainDb();
    s->mIBPath = f.dir;
    core::Startup st(*s);
    if (auto e = st.openDatabases()) ADD_FAILURE() << e->message.toStdString();
    else if (auto e2 = st.finish()) ADD_FAILURE() << e2->message.toStdString();
    return s;
}

} // namespace kv::test
