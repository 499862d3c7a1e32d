#include "tools/Table.h"

#include <QAbstractItemModel>
#include <QLocale>

namespace kv::tools {

namespace {

int scaleOf(ColumnKind k)
{
    switch (k) {
    case ColumnKind::Money: return 2;
    case ColumnKind::Qty: return 4;
    default: return 0;
    }
}

bool isNumeric(ColumnKind k)
{
    return k == ColumnKind::Integer || k == ColumnKind::Money || k == ColumnKind::Qty;
}

// "yyyy/mm/dd" (months as "mm", the way the formats are written) as a Qt date pattern.
QString qtDatePattern(const QString& format)
{
    QString p = format;
    p.replace(QLatin1Char('m'), QLatin1Char('M'));
    return p;
}

// Digits of a non-negative number grouped by thousands with ','.
QString grouped(const QString& digits)
{
    QString out;
    const int n = int(digits.size());
    for (int i = 0; i < n; ++i) {
        if (i > 0 && (n - i) % 3 == 0)
            out += QLatin1Char(',');
        out += digits[i];
    }
    return out;
}

QString formatDecimal(const db::Decimal& d, int decimals, bool thousands)
{
    db::Decimal r = decimals >= 0 ? d.rescaled(decimals) : d;
    QString s = r.toString();
    if (!thousands)
        return s;
    const bool negative = s.startsWith(QLatin1Char('-'));
    if (negative)
        s.remove(0, 1);
    const qsizetype dot = s.indexOf(QLatin1Char('.'));
    QString whole = dot < 0 ? s : s.left(dot);
    QString rest = dot < 0 ? QString() : s.mid(dot);
    return (negative ? QStringLiteral("-") : QString()) + grouped(whole) + rest;
}

} // namespace

QString effectiveFormat(const Column& c)
{
    if (!c.format.isEmpty())
        return c.format;
    switch (c.kind) {
    case ColumnKind::Money: return QStringLiteral("0.00");
    case ColumnKind::Qty: return QStringLiteral("0.0000");
    case ColumnKind::Date: return QStringLiteral("yyyy/mm/dd");
    default: return {};
    }
}

int formatDecimals(const QString& format)
{
    if (format.isEmpty())
        return -1;
    for (QChar ch : format)
        if (ch != QLatin1Char('0') && ch != QLatin1Char('#') && ch != QLatin1Char(',') && ch != QLatin1Char('.'))
            return -1;
    const qsizetype dot = format.indexOf(QLatin1Char('.'));
    if (dot < 0)
        return 0;
    return int(format.size() - dot - 1);
}

int displayWidthOf(const Column& c)
{
    if (c.displayWidth > 0)
        return c.displayWidth;
    switch (c.kind) {
    case ColumnKind::Text: return 20;
    case ColumnKind::Integer: return 8;
    case ColumnKind::Money: return 12;
    case ColumnKind::Qty: return 12;
    case ColumnKind::Date: return 10;
    }
    return 10;
}

QString formatCell(const Column& c, const Cell& v)
{
    const QString fmt = effectiveFormat(c);
    if (const auto* s = std::get_if<QString>(&v))
        return *s;
    if (const auto* d = std::get_if<QDate>(&v)) {
        if (!d->isValid())
            return {};
        return QLocale::c().toString(*d, qtDatePattern(fmt.isEmpty() ? QStringLiteral("yyyy/mm/dd") : fmt));
    }
    const int decimals = formatDecimals(fmt);
    const bool thousands = fmt.contains(QLatin1Char(','));
    if (const auto* i = std::get_if<std::int64_t>(&v)) {
        if (decimals > 0)
            return formatDecimal(db::Decimal(*i, 0), decimals, thousands);
        return thousands ? formatDecimal(db::Decimal(*i, 0), 0, true) : QString::number(*i);
    }
    if (const auto* d = std::get_if<db::Decimal>(&v)) {
        int shown = decimals;
        if (shown < 0)
            shown = c.kind == ColumnKind::Integer ? 0 : isNumeric(c.kind) ? scaleOf(c.kind) : d->scale;
        return formatDecimal(*d, shown, thousands);
    }
    return {};
}

QString isolate(const QString& s)
{
    if (s.isEmpty())
        return s;
    return QChar(0x2066) + s + QChar(0x2069);
}

QString formatCellIsolated(const Column& c, const Cell& v)
{
    const QString s = formatCell(c, v);
    if (std::holds_alternative<QString>(v) || std::holds_alternative<std::monostate>(v))
        return s;
    return isolate(s);
}

bool cellDecimal(const Column& c, const Cell& v, db::Decimal* out)
{
    if (!isNumeric(c.kind))
        return false;
    const int scale = scaleOf(c.kind);
    if (const auto* i = std::get_if<std::int64_t>(&v)) {
        *out = db::Decimal(*i, 0).rescaled(scale);
        return true;
    }
    if (const auto* d = std::get_if<db::Decimal>(&v)) {
        *out = d->rescaled(scale);
        return true;
    }
    return false;
}

Table tableFromModel(const QAbstractItemModel& model, const std::vector<ColumnKind>& kinds)
{
    Table t;
    const int cols = model.columnCount();
    const int rows = model.rowCount();
    for (int c = 0; c < cols; ++c) {
        Column col;
        col.caption = model.headerData(c, Qt::Horizontal, Qt::DisplayRole).toString();
        col.kind = std::size_t(c) < kinds.size() ? kinds[std::size_t(c)] : ColumnKind::Text;
        t.columns.push_back(col);
    }
    t.rows.reserve(std::size_t(rows));
    for (int r = 0; r < rows; ++r) {
        Row row;
        row.reserve(std::size_t(cols));
        for (int c = 0; c < cols; ++c) {
            const QModelIndex ix = model.index(r, c);
            const QVariant shown = model.data(ix, Qt::DisplayRole);
            const QString text = shown.toString().trimmed();
            const ColumnKind k = t.columns[std::size_t(c)].kind;
            if (!shown.isValid() || (text.isEmpty() && k != ColumnKind::Text)) {
                row.emplace_back(std::monostate{});
                continue;
            }
            switch (k) {
            case ColumnKind::Text:
                row.emplace_back(shown.toString());
                break;
            case ColumnKind::Integer: {
                bool ok = false;
                const qlonglong n = text.toLongLong(&ok);
                row.emplace_back(ok ? Cell(std::int64_t(n)) : Cell(text));
                break;
            }
            case ColumnKind::Money:
            case ColumnKind::Qty: {
                QString plain = text;
                plain.remove(QLatin1Char(','));
                if (auto d = db::Decimal::parse(plain, scaleOf(k)))
                    row.emplace_back(*d);
                else
                    row.emplace_back(text);
                break;
            }
            case ColumnKind::Date: {
                QDate d = shown.typeId() == QMetaType::QDate ? shown.toDate() : QDate();
                if (!d.isValid())
                    d = QLocale::c().toDate(text, QStringLiteral("yyyy/MM/dd"));
                row.emplace_back(d.isValid() ? Cell(d) : Cell(text));
                break;
            }
            }
        }
        t.rows.push_back(std::move(row));
    }
    return t;
}

} // namespace kv::tools
