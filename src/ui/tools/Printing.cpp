#include "ui/tools/Printing.h"

#include "tools/ReportRenderer.h"
#include "ui/common/MessageBox.h"
#include "ui/tools/Preview.h"

#include <QPrinter>
#include <QPrinterInfo>

namespace kv::ui {

QString printOn(const tools::Document& doc, const QString& printerName, int copies)
{
    QPrinter printer(QPrinter::HighResolution);
    const QStringList installed = QPrinterInfo::availablePrinterNames();
    // A printer removed since the list was filled is not found: the default printer stays.
    if (!printerName.isEmpty() && installed.contains(printerName))
        printer.setPrinterName(printerName);
    // Without any print queue Qt falls back to writing a PDF file: that is no printer.
    if (installed.isEmpty() || !printer.isValid() || printer.outputFormat() != QPrinter::NativeFormat)
        return QStringLiteral("لا توجد طابعة متاحة");
    return tools::ReportRenderer::print(doc, printer, copies);
}

bool printOrPreview(QWidget* parent, const tools::Document& doc, TPrintOptF* options)
{
    TPrintOptF& opt = options ? *options : TPrintOptF::shared();
    const auto choice = opt.ask(parent);
    if (!choice)
        return false;
    if (choice->preview) {
        TPreviewF pv(doc, parent);
        pv.exec();
        return true;
    }
    const QString err = printOn(doc, choice->printerName, choice->copies);
    if (!err.isEmpty()) {
        showError(parent, err);
        return false;
    }
    return true;
}

} // namespace kv::ui
