#pragma once
// Databases for tests: fresh data folders on the embedded engine, and the private server that
// test.sh starts (KV_TEST_FB_SERVER="127.0.0.1/PORT", KV_TEST_FB_DIR a folder it can write).
#include "core/Session.h"
#include "db/Connection.h"
#include <QString>
#include <memory>
#include <optional>

namespace kv::test {

// The single value of a query, as text: "" for NULL or no row, text trimmed, decimals with the
// column's scale, dates yyyy-MM-dd.
QString scalarText(db::Connection& c, const QString& sql);

// A unique empty folder under the system temp folder, removed when the test process ends.
QString freshDir(const QString& tag = QStringLiteral("t"));

struct DataFolder {
    QString dir;   // folder holding MAIN.FDB, AC.FDB, AC<year>.FDB
    QString year;
    QString mainDb() const;
    QString yearDb() const;
};
// Runs the same creation as "kvadmin init" (admin password "1234").
DataFolder makeDataFolder(const QString& year = QStringLiteral("2026"), bool demo = false);

// An empty database created from a schema script ("system.sql" or "year.sql") or none ("").
std::unique_ptr<db::Connection> makeDatabase(const QString& script, QString* pathOut = nullptr);

struct Server {
    QString host; // "127.0.0.1/PORT"
    QString dir;  // a folder the server process can create files in
};
// The private server, or nullopt when the run did not start one.
std::optional<Server> server();
// Create a database on the private server from a script; returns its path on the server.
QString makeServerDatabase(const Server& s, const QString& script);

// A session connected to a data folder on the embedded engine, as start-up leaves it
// (before the login). Fails the test on error.
std::unique_ptr<core::Session> openSession(const DataFolder& f);

} // namespace kv::test
