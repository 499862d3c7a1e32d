#include "tools/XlsxExport.h"

#include <QFile>
#include <QFileInfo>
#include <xlsxwriter.h>

#include <algorithm>
#include <limits>

namespace kv::tools {

namespace {

constexpr double kMaxColumnWidth = 50;
constexpr int kExcelMaxRows = 1048576;

QString sheetNameFrom(const QString& wanted)
{
    // Excel refuses []:*?/\ in sheet names and anything over 31 characters.
    QString s = wanted.trimmed();
    for (QChar bad : QStringLiteral("[]:*?/\\"))
        s.replace(bad, QLatin1Char(' '));
    s = s.simplified();
    if (s.startsWith(QLatin1Char('\'')))
        s.remove(0, 1);
    s.truncate(31);
    return s.isEmpty() ? QStringLiteral("AbsDb") : s;
}

double widthOf(const Column& c)
{
    const int w = displayWidthOf(c);
    return w >= 51 ? kMaxColumnWidth : double(w + 2);
}

QString numberFormat(const Column& c)
{
    const QString f = effectiveFormat(c);
    switch (c.kind) {
    case ColumnKind::Money:
    case ColumnKind::Qty:
        return formatDecimals(f) >= 0 ? f : (c.kind == ColumnKind::Money ? QStringLiteral("0.00") : QStringLiteral("0.0000"));
    case ColumnKind::Integer: return formatDecimals(f) >= 0 ? f : QStringLiteral("0");
    case ColumnKind::Date: return f.isEmpty() ? QStringLiteral("yyyy/mm/dd") : f;
    case ColumnKind::Text: return {};
    }
    return {};
}

// "A", "B", ..., "Z", "AA", ... for a column from 0.
QString columnLetters(int col)
{
    QString s;
    for (int n = col + 1; n > 0; n = (n - 1) / 26)
        s.prepend(QChar(u'A' + (n - 1) % 26));
    return s;
}

QString errorText(lxw_error e)
{
    return QString::fromUtf8(lxw_strerror(e));
}

} // namespace

std::optional<int> parseRowLimit(const QString& text)
{
    const QString t = text.trimmed();
    if (t.toUpper() == QLatin1String("ALL"))
        return 2147483646;
    bool ok = false;
    const qlonglong n = t.toLongLong(&ok);
    if (!ok || n > std::numeric_limits<int>::max())
        return std::nullopt;
    return int(std::max<qlonglong>(0, n));
}

QString writeXlsx(const QString& path, const Table& table, const XlsxOptions& o)
{
    std::vector<int> cols = o.columns.value_or(std::vector<int>{});
    if (!o.columns)
        for (int i = 0; i < int(table.columns.size()); ++i)
            cols.push_back(i);
    for (int c : cols)
        if (c < 0 || c >= int(table.columns.size()))
            return QStringLiteral("عمود غير موجود في التصدير: %1").arg(c);

    if (QFileInfo::exists(path) && !QFile::remove(path))
        return QStringLiteral("تعذر استبدال الملف: ") + path;
    const QByteArray file = QFile::encodeName(path);
    lxw_workbook* wb = workbook_new(file.constData());
    if (!wb)
        return QStringLiteral("تعذر إنشاء الملف: ") + path;
    const QByteArray sheet = sheetNameFrom(o.sheetName).toUtf8();
    lxw_worksheet* ws = workbook_add_worksheet(wb, sheet.constData());
    if (!ws) {
        workbook_close(wb);
        return QStringLiteral("تعذر إنشاء ورقة العمل");
    }
    if (o.rightToLeft)
        worksheet_right_to_left(ws);

    auto baseFormat = [&] {
        lxw_format* f = workbook_add_format(wb);
        format_set_font_name(f, "Arial");
        format_set_font_size(f, 10);
        return f;
    };
    lxw_format* header = baseFormat();
    format_set_bold(header);
    lxw_format* headerRight = baseFormat();
    format_set_bold(headerRight);
    format_set_align(headerRight, LXW_ALIGN_RIGHT);
    lxw_format* text = baseFormat();

    const std::size_t rowsWanted = o.rowLimit < 0 ? table.rows.size()
                                                  : std::min(table.rows.size(), std::size_t(o.rowLimit));
    const std::size_t rows = std::min(rowsWanted, std::size_t(kExcelMaxRows - 2));

    std::vector<lxw_format*> formats;
    std::vector<QByteArray> numFormats; // kept alive until the workbook is closed
    std::vector<lxw_format*> sumFormats;
    for (std::size_t k = 0; k < cols.size(); ++k) {
        const Column& c = table.columns[std::size_t(cols[k])];
        const QString nf = numberFormat(c);
        lxw_format* f = baseFormat();
        lxw_format* sf = baseFormat();
        format_set_bold(sf);
        if (!nf.isEmpty()) {
            numFormats.push_back(nf.toUtf8());
            format_set_num_format(f, numFormats.back().constData());
            format_set_num_format(sf, numFormats.back().constData());
        }
        formats.push_back(f);
        sumFormats.push_back(sf);

        double width = widthOf(c);
        if (o.autoFit) {
            qsizetype longest = c.caption.size();
            for (std::size_t r = 0; r < rows; ++r) {
                const Row& row = table.rows[r];
                const std::size_t ci = std::size_t(cols[k]);
                if (ci < row.size())
                    longest = std::max(longest, formatCell(c, row[ci]).size());
            }
            width = std::min(kMaxColumnWidth, double(longest) + 2);
        }
        worksheet_set_column(ws, lxw_col_t(k), lxw_col_t(k), width, f);
        const QByteArray cap = c.caption.toUtf8();
        worksheet_write_string(ws, 0, lxw_col_t(k), cap.constData(), c.kind == ColumnKind::Date ? headerRight : header);
    }

    std::vector<db::Decimal> sums(cols.size());
    for (std::size_t k = 0; k < cols.size(); ++k) {
        const ColumnKind kind = table.columns[std::size_t(cols[k])].kind;
        sums[k] = db::Decimal(0, kind == ColumnKind::Money ? 2 : kind == ColumnKind::Qty ? 4 : 0);
    }

    lxw_error err = LXW_NO_ERROR;
    for (std::size_t r = 0; r < rows && err == LXW_NO_ERROR; ++r) {
        const Row& row = table.rows[r];
        const lxw_row_t xr = lxw_row_t(r + 1);
        for (std::size_t k = 0; k < cols.size() && err == LXW_NO_ERROR; ++k) {
            const std::size_t ci = std::size_t(cols[k]);
            const Column& c = table.columns[ci];
            if (ci >= row.size())
                continue;
            const Cell& v = row[ci];
            const lxw_col_t xc = lxw_col_t(k);
            db::Decimal exact;
            if (const auto* s = std::get_if<QString>(&v)) {
                if (!s->isEmpty()) {
                    const QByteArray u = s->toUtf8();
                    err = worksheet_write_string(ws, xr, xc, u.constData(), text);
                }
            } else if (const auto* d = std::get_if<QDate>(&v)) {
                if (d->isValid()) {
                    lxw_datetime dt{d->year(), d->month(), d->day(), 0, 0, 0};
                    err = worksheet_write_datetime(ws, xr, xc, &dt, formats[k]);
                }
            } else if (cellDecimal(c, v, &exact)) {
                sums[k].units += exact.units;
                err = worksheet_write_number(ws, xr, xc, exact.toDouble(), formats[k]);
            } else if (const auto* i = std::get_if<std::int64_t>(&v)) {
                err = worksheet_write_number(ws, xr, xc, double(*i), formats[k]);
            } else if (const auto* dd = std::get_if<db::Decimal>(&v)) {
                err = worksheet_write_number(ws, xr, xc, dd->toDouble(), formats[k]);
            }
        }
    }
    if (err == LXW_NO_ERROR && o.sumRow && rows > 0) {
        const lxw_row_t xr = lxw_row_t(rows + 1);
        for (std::size_t k = 0; k < cols.size() && err == LXW_NO_ERROR; ++k) {
            const ColumnKind kind = table.columns[std::size_t(cols[k])].kind;
            if (kind != ColumnKind::Integer && kind != ColumnKind::Money && kind != ColumnKind::Qty)
                continue;
            // The sum as a formula, with our exact total as its cached value.
            const QString letter = columnLetters(int(k));
            const QByteArray formula =
                QStringLiteral("=SUM(%1%2:%1%3)").arg(letter).arg(2).arg(rows + 1).toLatin1();
            err = worksheet_write_formula_num(ws, xr, lxw_col_t(k), formula.constData(), sumFormats[k],
                                              sums[k].toDouble());
        }
    }
    if (err != LXW_NO_ERROR) {
        workbook_close(wb);
        QFile::remove(path);
        return QStringLiteral("تعذر كتابة ملف Excel: ") + errorText(err);
    }
    const lxw_error closed = workbook_close(wb);
    if (closed != LXW_NO_ERROR)
        return QStringLiteral("تعذر كتابة ملف Excel: ") + errorText(closed);
    return {};
}

} // namespace kv::tools
