#pragma once
// The kvadmin commands: one table of commands, one dispatcher.
#include "cli/Options.h"
#include <QStringList>
#include <QTextStream>
#include <functional>
#include <vector>

namespace kv::cli {

struct Io {
    QTextStream& out;
    QTextStream& err;
};

struct Command {
    QString name;
    QString synopsis;                  // arguments after the command name
    QString summary;                   // one line for the command list
    QString details;                   // shown by "kvadmin help NAME"
    std::vector<OptionSpec> options;   // the command's own options
    bool databaseOptions = false;      // also takes --data, --server, --year
    std::function<int(const Args&, Io&)> run;
};

const std::vector<Command>& commands();

// Runs kvadmin with its arguments (without the program name); returns the exit status.
int run(const QStringList& args, Io& io);

// The commands.
int runInit(const Args& args, Io& io);
int runYears(const Args& args, Io& io);
int runImport(const Args& args, Io& io);
int runExport(const Args& args, Io& io);
int runPrint(const Args& args, Io& io);

} // namespace kv::cli
