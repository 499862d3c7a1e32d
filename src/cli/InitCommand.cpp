// kvadmin init: a new data folder.
#include "admin/DataFolder.h"
#include "cli/Commands.h"
#include "cli/Terminal.h"
#include "core/Rights.h"

namespace kv::cli {

namespace {

QString askAdminPassword() {
    if (!stdinIsTerminal())
        throw usageError(QStringLiteral("--admin-password is required when stdin is not a terminal"));
    const auto first = readHidden(QStringLiteral("Password of %1: ").arg(core::adminName()));
    if (!first) throw CliError(QStringLiteral("no password given"));
    const auto again = readHidden(QStringLiteral("Password again: "));
    if (!again || *again != *first) throw CliError(QStringLiteral("the two passwords differ"));
    return *first;
}

} // namespace

int runInit(const Args& args, Io& io) {
    if (args.positional.size() != 1) throw usageError(QStringLiteral("init takes one folder (kvadmin help init)"));
    if (!args.values.contains(QStringLiteral("year"))) throw usageError(QStringLiteral("init needs --year YEAR"));

    admin::InitOptions o;
    o.dir = args.positional.first();
    o.year = args.value(QStringLiteral("year"));
    o.demo = args.switches.contains(QStringLiteral("demo"));
    o.server = args.value(QStringLiteral("server"));
    o.adminPassword = args.values.contains(QStringLiteral("admin-password")) ? args.value(QStringLiteral("admin-password"))
                                                                            : askAdminPassword();

    const admin::InitResult r = admin::createDataFolder(o);
    if (!r.ok) throw CliError(r.error);
    for (const QString& line : r.acDbLines) io.out << line << '\n';
    return 0;
}

} // namespace kv::cli
