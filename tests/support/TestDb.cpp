#include "TestDb.h"
#include "db/Script.h"
#include <QDir>
#include <QTemporaryDir>
#include <QUuid>
#include <gtest/gtest.h>
#include <vector>

namespace kv::test {

QString scalarText(db::Connection& c, const QString& sql) {
    db::Transaction tr(c);
    const db::Value v = db::scalar(tr, sql);
    if (auto t = std::get_if<QString>(&v)) return t->trimmed();
    if (auto d = std::get_if<db::Decimal>(&v)) return d->toString();
    if (auto i = std::get_if<std::int64_t>(&v)) return QString::number(*i);
    if (auto dt = std::get_if<QDate>(&v)) return dt->toString(Qt::ISODate);
    return {};
}

QString freshDir(const QString& tag) {
    static std::vector<std::unique_ptr<QTemporaryDir>> dirs; // removed when the process ends
    auto dir = std::make_unique<QTemporaryDir>(QDir::tempPath() + QStringLiteral("/kv-") + tag + QStringLiteral("-XXXXXX"));
    const QString path = dir->path();
    dirs.push_back(std::move(dir));
    return path;
}

std::unique_ptr<db::Connection> makeDatabase(const QString& script, QString* pathOut) {
    const QString path = freshDir(QStringLiteral("db")) + QStringLiteral("/T.FDB");
    auto c = db::Connection::create({QString(), path, QString(), QString()});
    if (!script.isEmpty()) db::runScript(*c, db::schemaScript(script));
    if (pathOut) *pathOut = path;
    return c;
}

std::optional<Server> server() {
    const QString host = qEnvironmentVariable("KV_TEST_FB_SERVER");
    const QString dir = qEnvironmentVariable("KV_TEST_FB_DIR");
    if (host.isEmpty() || dir.isEmpty()) return std::nullopt;
    return Server{host, dir};
}

QString makeServerDatabase(const Server& s, const QString& script) {
    const QString path = s.dir + QStringLiteral("/T") + QUuid::createUuid().toString(QUuid::Id128).left(12) + QStringLiteral(".FDB");
    auto c = db::Connection::create({s.host, path, QString(), QString()});
    if (!script.isEmpty()) db::runScript(*c, db::schemaScript(script));
    return path;
}

} // namespace kv::test
