// Start-up work before the login dialog on the embedded engine: both connections, the firm's
// settings, the latest year, the schema check and the latest document date, and the user list.
#include "admin/DataFolder.h"
#include "core/Startup.h"
#include "core/Users.h"
#include <QDir>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

QString demoFolder() {
    static QTemporaryDir dir(QDir::tempPath() + QStringLiteral("/kv-bench-XXXXXX"));
    static bool made = false;
    if (!made) {
        kv::admin::InitOptions o;
        o.dir = dir.path();
        o.year = QStringLiteral("2026");
        o.adminPassword = QStringLiteral("1234");
        o.demo = true;
        made = kv::admin::createDataFolder(o).ok;
    }
    return dir.path();
}

void BM_StartupToLogin(benchmark::State& state) {
    const QString dir = demoFolder();
    for (auto _ : state) {
        kv::core::Session s;
        s.mIBMain = dir + QStringLiteral("/MAIN.FDB");
        s.mIBPath = dir;
        kv::core::Startup st(s);
        if (st.openDatabases() || st.finish()) {
            state.SkipWithError("start-up failed");
            break;
        }
        benchmark::DoNotOptimize(kv::core::UserStore(s).names());
    }
}
BENCHMARK(BM_StartupToLogin)->Unit(benchmark::kMillisecond)->MinTime(2.0);

} // namespace

BENCHMARK_MAIN();
