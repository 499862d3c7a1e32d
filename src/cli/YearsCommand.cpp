// kvadmin years: the firm's fiscal years.
#include "cli/Commands.h"

namespace kv::cli {

int runYears(const Args& args, Io& io) {
    if (!args.positional.isEmpty()) throw usageError(QStringLiteral("years takes no arguments"));
    Target t = openTarget(args);
    for (const QString& y : listYears(*t.main)) io.out << y << '\n';
    return 0;
}

} // namespace kv::cli
