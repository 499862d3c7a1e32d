// kvadmin: administration commands over the data folders (see kvadmin --help).
#include "cli/Commands.h"
#include <QCoreApplication>
#include <cstdio>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);
    kv::cli::Io io{out, err};
    const int status = kv::cli::run(app.arguments().mid(1), io);
    out.flush();
    err.flush();
    return status;
}
