#pragma once
// Command-line parsing for kvadmin: one parser for every command, and the shared options of the
// commands that work on an existing data folder (--data, --server, --year).
#include "db/Connection.h"
#include <QHash>
#include <QSet>
#include <QString>
#include <QStringList>
#include <memory>
#include <stdexcept>
#include <vector>

namespace kv::cli {

// A failure to report on stderr; `status` is the exit status (2 for a usage error).
class CliError : public std::runtime_error {
public:
    explicit CliError(const QString& message, int status = 1)
        : std::runtime_error(message.toStdString()), message_(message), status_(status) {}
    const QString& message() const { return message_; }
    int status() const { return status_; }

private:
    QString message_;
    int status_;
};

inline CliError usageError(const QString& message) { return CliError(message, 2); }

struct OptionSpec {
    QString name;      // without the leading "--"
    QString valueName; // empty: a switch without a value
    QString help;
};

struct Args {
    QStringList positional;
    QHash<QString, QString> values; // options with a value
    QSet<QString> switches;         // options without one
    bool has(const QString& name) const { return values.contains(name) || switches.contains(name); }
    QString value(const QString& name) const { return values.value(name); }
};

// "--name value", "--name=value" and switches; "--" ends the options. Throws a usage error for
// an unknown option or a missing value. "--help" is always accepted as a switch.
Args parseArgs(const QStringList& args, const std::vector<OptionSpec>& specs);

// --data DIR, --server HOST, --year YEAR.
const std::vector<OptionSpec>& databaseOptions();

// The databases a command works on, as the shared options name them. Without --data the paths
// come from the AcDb.txt the program reads; --server overrides its server line.
struct Target {
    QString server;  // empty: the embedded engine
    QString mainDb;  // MAIN.FDB as the server sees it
    QString dataDir; // folder of the year databases
    QString year;    // --year, else the latest year in YEARS
    std::unique_ptr<db::Connection> main;

    QString yearDb() const;                       // AC<year>.FDB in dataDir
    std::unique_ptr<db::Connection> openYear() const;
};

// Resolves the paths and opens MAIN.FDB; checks that the year is one of YEARS.
Target openTarget(const Args& args);

// YEARS.CYEAR in key order.
QStringList listYears(db::Connection& main);

} // namespace kv::cli
