#pragma once
// A table of values handed to the printed lists, the Excel export and the export dialog:
// typed columns (caption, kind, format) and rows of cells. It knows nothing about items or
// accounts; a screen fills it from its own rows.
//
//   kv::tools::Table t;
//   t.columns = {{"رقم الصنف", ColumnKind::Text, 14},
//                {"الوصف", ColumnKind::Text, 40},
//                {"الكمية", ColumnKind::Qty, 12},
//                {"التكلفة", ColumnKind::Money, 12},
//                {"التاريخ", ColumnKind::Date, 10}};
//   t.rows.push_back({QString("A-100"), QString("قلم أزرق"), qty.toDecimal(), cost.toDecimal(), date});
//   QString shown = kv::tools::formatCell(t.columns[3], t.rows[0][3]);   // "12.50"
//
// Amounts stay exact: money and quantities are db::Decimal cells (units + scale), never doubles.
#include "db/Decimal.h"
#include <QDate>
#include <QString>
#include <cstdint>
#include <utility>
#include <variant>
#include <vector>

class QAbstractItemModel;

namespace kv::tools {

enum class ColumnKind {
    Text,
    Integer, // whole numbers, shown as they are
    Money,   // NUMERIC(18,2), shown "0.00"
    Qty,     // NUMERIC(18,4) quantities, prices and percentages, shown "0.0000"
    Date,    // shown "yyyy/mm/dd"
};

struct Column {
    Column() = default;
    // {caption, kind, width} and shorter lists, without -Wmissing-field-initializers noise.
    Column(QString caption_, ColumnKind kind_ = ColumnKind::Text, int displayWidth_ = 0, QString format_ = {},
           bool total_ = false, bool wrap_ = false)
        : caption(std::move(caption_)), kind(kind_), displayWidth(displayWidth_), format(std::move(format_)),
          total(total_), wrap(wrap_)
    {
    }

    QString caption;
    ColumnKind kind = ColumnKind::Text;
    int displayWidth = 0;  // in characters; 0 = a default for the kind (see displayWidthOf)
    QString format;        // empty = the kind's format; else "0.00", "0.000", "0.0000", "yyyy/mm/dd", "dd/mm/yyyy"
    bool total = false;    // printed lists: summed in group and grand totals (numeric kinds)
    bool wrap = false;     // printed lists: a long text breaks into more lines instead of being cut
};

// Empty, text, whole number, exact decimal or date.
using Cell = std::variant<std::monostate, QString, std::int64_t, db::Decimal, QDate>;
using Row = std::vector<Cell>;

struct Table {
    std::vector<Column> columns;
    std::vector<Row> rows; // a row shorter than the column list has empty trailing cells
};

// The column's format, resolved from its kind when empty: "0.00" for Money, "0.0000" for Qty,
// "yyyy/mm/dd" for Date, "" otherwise.
QString effectiveFormat(const Column& c);
// Decimals of a "0.00"-style format (the zeros after the point); -1 when it is not one.
int formatDecimals(const QString& format);
int displayWidthOf(const Column& c);

// The cell as printed and shown: numbers with the format's decimals in Latin digits and no
// thousands separators (rounded half away from zero), dates by the format, texts as they are.
// A text cell in a numeric column is shown as it is.
QString formatCell(const Column& c, const Cell& v);
// formatCell wrapped in left-to-right isolates (U+2066 ... U+2069) for numbers and dates, ready to be
// mixed into Arabic text; texts are returned as they are.
QString formatCellIsolated(const Column& c, const Cell& v);
// Wraps a number, date or code in a left-to-right isolate: "صفحة " + isolate("3").
QString isolate(const QString& s);

// A cell's exact value as a decimal at the column's scale (Money 2, Qty 4, Integer 0); nothing for
// texts, dates and empty cells. Totals are sums of these.
bool cellDecimal(const Column& c, const Cell& v, db::Decimal* out);

// Rows of an item model (display role, or Qt::EditRole when it holds a number), for screens that
// show their rows in a QAbstractItemModel. Columns take the horizontal header captions; `kinds`
// gives each column's kind (missing entries are Text). Integer, Money and Qty cells are read
// from the model's text so that they stay exact.
Table tableFromModel(const QAbstractItemModel& model, const std::vector<ColumnKind>& kinds = {});

} // namespace kv::tools
