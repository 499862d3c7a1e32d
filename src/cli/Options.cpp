#include "cli/Options.h"
#include "core/Paths.h"
#include "core/TextFiles.h"
#include <QFileInfo>

namespace kv::cli {

namespace {
const OptionSpec* findSpec(const std::vector<OptionSpec>& specs, const QString& name) {
    for (const OptionSpec& s : specs)
        if (s.name == name) return &s;
    return nullptr;
}
} // namespace

Args parseArgs(const QStringList& args, const std::vector<OptionSpec>& specs) {
    Args out;
    bool optionsEnded = false;
    for (int i = 0; i < args.size(); ++i) {
        const QString& a = args[i];
        if (!optionsEnded && a == QLatin1String("-h")) {
            out.switches.insert(QStringLiteral("help"));
            continue;
        }
        if (optionsEnded || !a.startsWith(QLatin1String("--"))) {
            if (!optionsEnded && a.startsWith(QLatin1Char('-')) && a.size() > 1)
                throw usageError(QStringLiteral("unknown option %1").arg(a));
            out.positional << a;
            continue;
        }
        if (a == QLatin1String("--")) {
            optionsEnded = true;
            continue;
        }
        QString name = a.mid(2);
        QString value;
        bool inlineValue = false;
        if (const auto eq = name.indexOf(QLatin1Char('=')); eq >= 0) {
            value = name.mid(eq + 1);
            name = name.left(eq);
            inlineValue = true;
        }
        if (name == QLatin1String("help") && !inlineValue) {
            out.switches.insert(name);
            continue;
        }
        const OptionSpec* option = findSpec(specs, name);
        if (!option) throw usageError(QStringLiteral("unknown option --%1").arg(name));
        if (option->valueName.isEmpty()) {
            if (inlineValue) throw usageError(QStringLiteral("--%1 takes no value").arg(name));
            out.switches.insert(name);
            continue;
        }
        if (!inlineValue) {
            if (i + 1 >= args.size()) throw usageError(QStringLiteral("--%1 needs a value (%2)").arg(name, option->valueName));
            value = args[++i];
        }
        out.values.insert(name, value);
    }
    return out;
}

const std::vector<OptionSpec>& databaseOptions() {
    static const std::vector<OptionSpec> specs{
        {QStringLiteral("data"), QStringLiteral("DIR"),
         QStringLiteral("data folder holding MAIN.FDB (as the server sees it); default: the folders named in AcDb.txt")},
        {QStringLiteral("server"), QStringLiteral("HOST"),
         QStringLiteral("database server, host or host/port; default: the server of AcDb.txt, or the embedded engine with --data")},
        {QStringLiteral("year"), QStringLiteral("YEAR"),
         QStringLiteral("fiscal year to work on; default: the latest year in YEARS")},
    };
    return specs;
}

QString Target::yearDb() const { return core::joinServerPath(dataDir, QStringLiteral("AC%1.FDB").arg(year)); }

std::unique_ptr<db::Connection> Target::openYear() const {
    return db::Connection::open({server, yearDb(), QString(), QString()});
}

QStringList listYears(db::Connection& main) {
    db::Transaction tr(main);
    db::Query q(tr, QStringLiteral("select CYEAR from YEARS order by CYEAR"));
    q.execute();
    QStringList years;
    while (q.next()) years << QString::number(q.integer(QStringLiteral("CYEAR")));
    return years;
}

Target openTarget(const Args& args) {
    Target t;
    if (args.values.contains(QStringLiteral("data"))) {
        QString dir = args.value(QStringLiteral("data"));
        if (dir.isEmpty()) throw usageError(QStringLiteral("--data needs a folder"));
        t.server = args.value(QStringLiteral("server"));
        // A local folder may be given relative to the current one.
        if (t.server.isEmpty()) dir = QFileInfo(dir).absoluteFilePath();
        t.dataDir = dir;
        t.mainDb = core::joinServerPath(dir, QStringLiteral("MAIN.FDB"));
    } else {
        const QString file = core::programFile(QStringLiteral("AcDb.txt"));
        const auto lines = core::readAcDb(file);
        if (!lines)
            throw CliError(QStringLiteral("no --data given and %1 cannot be read").arg(file));
        t.server = args.values.contains(QStringLiteral("server")) ? args.value(QStringLiteral("server")) : lines->mServer;
        t.mainDb = lines->mIBMain;
        t.dataDir = lines->mIBPath;
        if (t.mainDb.isEmpty()) throw CliError(QStringLiteral("%1 names no system database").arg(file));
    }
    try {
        t.main = db::Connection::open({t.server, t.mainDb, QString(), QString()});
    } catch (const db::DbError& e) {
        throw CliError(QStringLiteral("cannot open %1: %2").arg(db::connectionName(t.server, t.mainDb), e.text()));
    }
    const QStringList years = listYears(*t.main);
    if (args.values.contains(QStringLiteral("year"))) {
        t.year = args.value(QStringLiteral("year")).trimmed();
        if (!years.contains(t.year)) throw CliError(QStringLiteral("the year %1 is not one of the firm's years").arg(t.year));
    } else if (!years.isEmpty()) {
        t.year = years.last();
    }
    return t;
}

} // namespace kv::cli
