#pragma once
// The one painter of printouts: draws a Document (Page.h) on a printer, into a PDF file, or into
// one image per page for the preview window (Qt's own print preview mis-draws Arabic).
//
//   kv::tools::Document doc = kv::tools::layoutList(report);             // ListReport.h
//   QString err = kv::tools::ReportRenderer::writePdf(doc, "/tmp/list.pdf");
//   std::vector<QImage> pages = kv::tools::ReportRenderer::pageImages(doc, 96);
//
//   QPrinter printer(QPrinter::HighResolution);                           // or a QPdfWriter
//   printer.setPrinterName(choice.printerName);
//   kv::tools::ReportRenderer::print(doc, printer, /*copies*/ 2);
//
// Needs a QGuiApplication (fonts).
#include "tools/Page.h"
#include <QImage>
#include <QString>
#include <vector>

class QPagedPaintDevice;
class QPainter;

namespace kv::tools {

class ReportRenderer {
public:
    // Paints every page `copies` times (collated: 1..n, 1..n) on a printer or PDF writer; sets the
    // device's page size and orientation from the document, margins zero (a QPrinter is switched
    // to full-page mode so that positions are from the paper's corner). Returns an error text, or
    // an empty text on success.
    static QString print(const Document& doc, QPagedPaintDevice& device, int copies = 1);
    // A PDF file of the document (QPdfWriter at 1200 dpi). Error text or empty.
    static QString writePdf(const Document& doc, const QString& path);

    // One image of a page at `dpi` dots per inch, white paper.
    static QImage pageImage(const Document& doc, int pageIndex, double dpi = 96);
    static std::vector<QImage> pageImages(const Document& doc, double dpi = 96);

    // Paints one page on a painter whose device has the page's paper at `dpiX` x `dpiY` device
    // pixels per inch, origin at the paper's top-left corner.
    static void paintPage(QPainter& painter, const Page& page, double dpiX, double dpiY);
    // One item, for callers that draw their own surfaces (a label preview).
    static void paintItem(QPainter& painter, const PageItem& item, double dpiX, double dpiY);
};

} // namespace kv::tools
