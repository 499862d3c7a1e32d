// kvadmin: administration commands over the data folders (see kvadmin --help).
#include "cli/Commands.h"
#include <QCoreApplication>
#include <QGuiApplication>
#include <cstdio>
#include <cstring>
#include <memory>

int main(int argc, char** argv) {
    // Printing paints with fonts, which needs a QGuiApplication (offscreen: no display needed).
    const bool printing = argc > 1 && std::strcmp(argv[1], "print") == 0;
    if (printing && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    std::unique_ptr<QCoreApplication> app =
        printing ? std::make_unique<QGuiApplication>(argc, argv) : std::make_unique<QCoreApplication>(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);
    kv::cli::Io io{out, err};
    const int status = kv::cli::run(app->arguments().mid(1), io);
    out.flush();
    err.flush();
    return status;
}
