#pragma once
// A demo firm created for a benchmark (admin::createDataFolder with --demo data) and a session
// opened on it as start-up leaves it, logged in as a supervisor.
#include "admin/DataFolder.h"
#include "core/Session.h"
#include "core/Startup.h"
#include <cstdio>
#include <memory>

namespace kv::bench {

inline std::unique_ptr<core::Session> openDemoFirm(const QString& dir, const QString& server = {})
{
    admin::InitOptions o;
    o.year = QStringLiteral("2026");
    o.adminPassword = QStringLiteral("1234");
    o.demo = true;
    o.dir = dir;
    o.server = server;
    const admin::InitResult r = admin::createDataFolder(o);
    if (!r.ok) {
        std::fprintf(stderr, "%s\n", qPrintable(r.error));
        return nullptr;
    }
    auto s = std::make_unique<core::Session>();
    s->mServer = r.acDbLines.value(0);
    s->mIBMain = r.acDbLines.value(1);
    s->mIBPath = r.acDbLines.value(2);
    core::Startup st(*s);
    if (st.openDatabases() || st.finish()) return nullptr;
    s->msg.load(0);
    s->vAdmin = QStringLiteral("SV");
    s->UNM = QStringLiteral("bench");
    return s;
}

} // namespace kv::bench
