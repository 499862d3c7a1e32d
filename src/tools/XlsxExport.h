#pragma once
// Excel workbooks of a Table (Table.h), written with libxlsxwriter.
//
//   kv::tools::XlsxOptions o;                 // sheet "AbsDb", right to left, header row bold
//   o.columns = std::vector<int>{0, 2, 3};    // the chosen columns (unset = all), in this order
//   o.rowLimit = 100;                         // -1 = all rows
//   QString err = kv::tools::writeXlsx(path, table, o);
//   if (!err.isEmpty()) showError(this, err);
//
// Cells: texts as texts, Integer as whole numbers, Money with the number format "0.00", Qty with
// "0.0000" (or the column's own "0.000"-style format), dates as real dates shown "yyyy/mm/dd".
// Header row 1 in bold; column width 50 for a display width of 51 or more, else the display width
// + 2 (autoFit: widths from the longest value instead); font Arial 10; date headers aligned right.
#include "tools/Table.h"
#include <QString>
#include <optional>
#include <vector>

namespace kv::tools {

struct XlsxOptions {
    QString sheetName = QStringLiteral("AbsDb");
    std::optional<std::vector<int>> columns; // table column indices to write, in this order; unset = all
    int rowLimit = -1;        // rows written at most; negative = all
    bool rightToLeft = true;
    bool autoFit = false;     // widths fitted to the longest value (the voucher list exports)
    bool sumRow = false;      // a row of sums under the Integer, Money and Qty columns
};

// Writes the workbook (replacing `path`); returns an error text, or an empty text on success.
QString writeXlsx(const QString& path, const Table& table, const XlsxOptions& options = {});

// How many rows the limit text of the field selection lets through: "All" (any case, trimmed)
// gives 2147483646; a whole number gives itself (a negative one 0); anything else gives nothing.
std::optional<int> parseRowLimit(const QString& text);

} // namespace kv::tools
