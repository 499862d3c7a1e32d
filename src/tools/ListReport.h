#pragma once
// Printed lists: a banded report laid out right to left into pages (Page.h), then previewed or
// printed through ReportRenderer.h / the print options of ui/tools.
//
//   kv::tools::ListReport r;
//   r.firmName = s.mFirmN; r.address = s.mAddrs; r.telephone = s.mTelNo; r.userName = s.UNM;
//   r.title = "قائمة الأصناف";
//   r.parameters = {"المجموعة: " + kv::tools::isolate("01")};
//   r.table = table;                         // Table.h: columns (first = rightmost) and rows
//   r.table.columns[3].total = true;         // summed in the group and grand totals
//   r.groupColumn = 0;                       // optional: rows sorted by column 0, a total per group
//   kv::tools::Document doc = kv::tools::layoutList(r);
//
// Bands per page: page header (firm name, address, telephone, title, parameter captions), column
// header, detail rows (group header / group total bands when grouping), the grand total after the
// last row, and the page footer ("صفحة 1 من 5", print date, user).
//
// BandWriter is the band engine underneath, for other layouts (an invoice's line table between its
// own header and footer boxes): it places bands one under the other in a frame and starts a new
// page, decorated by a callback, when a band does not fit.
#include "tools/Page.h"
#include "tools/Table.h"
#include <QDateTime>
#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

namespace kv::tools {

struct ListReport {
    PageSetup setup;           // A4 portrait, 10 mm margins unless changed
    QString firmName, address, telephone;
    QString title;
    QStringList parameters;    // caption lines under the title (periods, filters)
    Table table;
    std::vector<double> widthsMm; // per column; missing or 0 = share of the rest by displayWidth

    int groupColumn = -1;      // >= 0: rows come sorted by this column; group header and total bands
    QString groupTotalCaption = QStringLiteral("المجموع");
    bool grandTotal = true;    // printed when some column has total = true
    QString grandTotalCaption = QStringLiteral("الإجمالي");

    QString userName;          // page footer, when not empty
    QDateTime printedAt;       // page footer; invalid = now

    qreal fontSize = 9;        // detail rows; headings are sized from it
    bool gridLines = true;     // thin lines between rows and columns
};

// Lays the report out into pages. Always at least one page (a list with no rows prints its headers).
Document layoutList(const ListReport& report);

// Column positions in a frame, right to left: the first column is the rightmost.
// Fixed widths are kept, the others share what is left in proportion to their display width;
// when the fixed widths do not fit, all are scaled down to the frame.
std::vector<QRectF> columnRects(const std::vector<Column>& columns, const std::vector<double>& widthsMm,
                                double frameLeft, double frameRight, double top, double height);

class BandWriter {
public:
    // Decorates a new page (its index from 0) and returns the frame rows may use on it. The
    // page count is not known yet while writing; finish() gives it to `footer`.
    using PageStart = std::function<QRectF(Page& page, int pageIndex)>;
    using PageFooter = std::function<void(Page& page, int pageIndex, int pageCount)>;
    // Draws a band into its rectangle.
    using DrawBand = std::function<void(Page& page, const QRectF& rect)>;

    BandWriter(Document& doc, PageStart start, PageFooter footer = {});

    // Places a band of `heightMm` under the previous one, starting a new page first when it
    // does not fit (a band taller than a whole frame is drawn anyway, clipped by the page).
    // `repeat` bands (the column header) are drawn again at the top of each following page.
    void add(double heightMm, const DrawBand& draw);
    void setRepeatedHeader(double heightMm, DrawBand draw); // drawn now and on every new page
    void clearRepeatedHeader();
    // Starts a new page unless the current one can still take `heightMm` (keeps a group total
    // with its last rows, or a signature block whole).
    void keepSpace(double heightMm);
    void newPage();
    double remainingMm() const;
    Page& page();
    int pageIndex() const { return current_; }
    double y() const { return y_; }

    // Ends the document: runs the footer callback on every page with the page count.
    void finish();

private:
    Document& doc_;
    PageStart start_;
    PageFooter footer_;
    QRectF frame_;
    double y_ = 0;
    int current_ = -1;
    double repeatHeight_ = 0;
    DrawBand repeat_;
};

} // namespace kv::tools
