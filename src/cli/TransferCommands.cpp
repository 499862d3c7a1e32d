// kvadmin import / export: the item file and the account file as CSV.
#include "admin/MasterFiles.h"
#include "cli/Commands.h"
#include <QFile>

namespace kv::cli {

namespace {

admin::MasterFile fileKind(const Args& args, const char* command) {
    if (args.positional.size() != 2)
        throw usageError(QStringLiteral("usage: kvadmin %1 items|accounts FILE").arg(QLatin1String(command)));
    const QString what = args.positional[0];
    if (what == QLatin1String("items")) return admin::MasterFile::Items;
    if (what == QLatin1String("accounts")) return admin::MasterFile::Accounts;
    throw usageError(QStringLiteral("%1 what? items or accounts, not \"%2\"").arg(QLatin1String(command), what));
}

bool largeUnitOnly(db::Connection& main) {
    db::Transaction tr(main);
    db::Query q(tr, QStringLiteral("select SELUNIT from FIRM"));
    q.execute();
    return q.next() && q.integer(QStringLiteral("SELUNIT")) == 1;
}

} // namespace

int runImport(const Args& args, Io& io) {
    const admin::MasterFile kind = fileKind(args, "import");
    QFile f(args.positional[1]);
    if (!f.open(QIODevice::ReadOnly)) throw CliError(QStringLiteral("cannot read %1: %2").arg(f.fileName(), f.errorString()));
    const QString text = QString::fromUtf8(f.readAll());
    Target t = openTarget(args);
    admin::ImportSettings settings;
    settings.largeUnitOnly = largeUnitOnly(*t.main);
    auto year = t.openYear();
    const admin::ImportResult r = admin::importCsv(*year, kind, text, settings);
    for (const admin::RowProblem& p : r.problems)
        io.err << f.fileName() << ':' << p.line << ": " << p.reason << '\n';
    if (!r.error.isEmpty()) io.err << "kvadmin: " << r.error << '\n';
    if (!r.ok) {
        io.err << "kvadmin: nothing was imported\n";
        return 1;
    }
    io.out << "imported " << r.imported << (kind == admin::MasterFile::Items ? " items" : " accounts") << " into AC" << t.year << ".FDB\n";
    return 0;
}

int runExport(const Args& args, Io& io) {
    const admin::MasterFile kind = fileKind(args, "export");
    Target t = openTarget(args);
    auto year = t.openYear();
    int rows = 0;
    const QString error = admin::exportCsv(*year, kind, args.positional[1], &rows);
    if (!error.isEmpty()) throw CliError(error);
    io.out << "exported " << rows << (kind == admin::MasterFile::Items ? " items" : " accounts") << " to " << args.positional[1] << '\n';
    return 0;
}

} // namespace kv::cli
