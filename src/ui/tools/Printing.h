#pragma once
// The round trip of a print command: the print options dialog, then the preview window or the
// printer.
//
//   kv::tools::Document doc = kv::tools::layoutList(report);
//   kv::ui::printOrPreview(this, doc);            // uses TPrintOptF::shared()
//
// Printing errors are shown in an error box.
#include "tools/Page.h"
#include "ui/tools/PrintOpt.h"

class QWidget;

namespace kv::ui {

// Shows the print options; previews or prints `doc` (copies from the dialog). False when
// cancelled or when printing failed.
bool printOrPreview(QWidget* parent, const tools::Document& doc, TPrintOptF* options = nullptr);

// Prints `doc` on the printer named (the system's default printer when the name is not found
// among the installed printers), `copies` times. Error text or empty.
QString printOn(const tools::Document& doc, const QString& printerName, int copies = 1);

} // namespace kv::ui
