// kvadmin print sales-invoice: a saved invoice to a PDF file, without a display.
#include "cli/Commands.h"
#include "core/Session.h"
#include "core/Startup.h"
#include "documents/InvoicePrint.h"
#include "tools/ReportRenderer.h"
#include <QFileInfo>
#include <QGuiApplication>
#include <memory>

namespace kv::cli {

namespace {

// Fonts and painting need a QGuiApplication; without a display it runs on the offscreen platform.
void ensureGuiApplication() {
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance())) return;
    if (QCoreApplication::instance())
        throw CliError(QStringLiteral("printing needs a graphical application object"));
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "kvadmin";
    static char* argv[] = {name, nullptr};
    static QGuiApplication* app = new QGuiApplication(argc, argv); // lives until the process ends
    (void)app;
}

} // namespace

int runPrint(const Args& args, Io& io) {
    if (args.positional.size() != 2 || args.positional[0] != QLatin1String("sales-invoice"))
        throw usageError(QStringLiteral("usage: kvadmin print sales-invoice NUMBER --pdf FILE"));
    bool okNumber = false;
    const int number = args.positional[1].toInt(&okNumber);
    if (!okNumber || number <= 0) throw usageError(QStringLiteral("not an invoice number: \"%1\"").arg(args.positional[1]));
    const QString pdf = args.value(QStringLiteral("pdf"));
    if (pdf.isEmpty()) throw usageError(QStringLiteral("print sales-invoice needs --pdf FILE"));

    Target t = openTarget(args);
    core::Session s;
    s.CurrYr = t.year;
    s.MainDB = t.openYear();
    s.FirmDB = std::move(t.main);
    core::Startup(s).loadFirmSettings();

    const auto inv = documents::loadSavedInvoice(s, number);
    if (!inv) throw CliError(QStringLiteral("no sales invoice %1 in AC%2.FDB").arg(number).arg(t.year));
    ensureGuiApplication();
    const auto doc = documents::layoutInvoice(s, *inv);
    if (!doc) throw CliError(QStringLiteral("the firm's invoice layout (SELFORM %1) prints nothing").arg(s.vSelForm));
    const QString error = tools::ReportRenderer::writePdf(*doc, pdf);
    if (!error.isEmpty()) throw CliError(QStringLiteral("cannot write %1: %2").arg(pdf, error));
    io.out << "printed sales invoice " << number << " to " << QFileInfo(pdf).filePath() << '\n';
    return 0;
}

} // namespace kv::cli
