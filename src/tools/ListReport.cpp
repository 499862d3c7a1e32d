#include "tools/ListReport.h"

#include <QLocale>

#include <algorithm>
#include <numeric>

namespace kv::tools {

// ---- BandWriter -----------------------------------------------------------------------------

BandWriter::BandWriter(Document& doc, PageStart start, PageFooter footer)
    : doc_(doc), start_(std::move(start)), footer_(std::move(footer))
{
}

void BandWriter::newPage()
{
    doc_.addPage();
    current_ = doc_.pageCount() - 1;
    frame_ = start_ ? start_(doc_.pages.back(), current_) : doc_.setup.frameMm();
    y_ = frame_.top();
    if (repeat_) {
        repeat_(doc_.pages.back(), QRectF(frame_.left(), y_, frame_.width(), repeatHeight_));
        y_ += repeatHeight_;
    }
}

Page& BandWriter::page()
{
    if (current_ < 0)
        newPage();
    return doc_.pages[std::size_t(current_)];
}

double BandWriter::remainingMm() const
{
    return current_ < 0 ? 0 : frame_.bottom() - y_;
}

void BandWriter::keepSpace(double heightMm)
{
    if (current_ < 0) {
        newPage();
        return;
    }
    const bool pageHasRows = y_ > frame_.top() + repeatHeight_ + 0.001;
    if (pageHasRows && y_ + heightMm > frame_.bottom() + 0.001)
        newPage();
}

void BandWriter::add(double heightMm, const DrawBand& draw)
{
    keepSpace(heightMm);
    draw(doc_.pages[std::size_t(current_)], QRectF(frame_.left(), y_, frame_.width(), heightMm));
    y_ += heightMm;
}

void BandWriter::setRepeatedHeader(double heightMm, DrawBand draw)
{
    repeat_ = std::move(draw);
    repeatHeight_ = heightMm;
    if (current_ < 0) {
        newPage(); // draws it
        return;
    }
    keepSpace(heightMm);
    repeat_(doc_.pages[std::size_t(current_)], QRectF(frame_.left(), y_, frame_.width(), heightMm));
    y_ += heightMm;
}

void BandWriter::clearRepeatedHeader()
{
    repeat_ = {};
    repeatHeight_ = 0;
}

void BandWriter::finish()
{
    if (current_ < 0)
        newPage();
    if (!footer_)
        return;
    const int n = doc_.pageCount();
    for (int i = 0; i < n; ++i)
        footer_(doc_.pages[std::size_t(i)], i, n);
}

// ---- Columns --------------------------------------------------------------------------------

std::vector<QRectF> columnRects(const std::vector<Column>& columns, const std::vector<double>& widthsMm,
                                double frameLeft, double frameRight, double top, double height)
{
    const std::size_t n = columns.size();
    std::vector<double> w(n, 0.0);
    const double frame = frameRight - frameLeft;
    double fixed = 0, shares = 0;
    for (std::size_t i = 0; i < n; ++i) {
        const double given = i < widthsMm.size() ? widthsMm[i] : 0.0;
        if (given > 0) {
            w[i] = given;
            fixed += given;
        } else {
            shares += displayWidthOf(columns[i]);
        }
    }
    // Fixed widths wider than the frame shrink to it (to 80 % of it when other columns need room).
    const double fixedRoom = shares > 0 ? frame * 0.8 : frame;
    if (fixed > fixedRoom) {
        for (double& x : w)
            x = x * fixedRoom / fixed;
        fixed = fixedRoom;
    }
    const double rest = std::max(0.0, frame - fixed);
    for (std::size_t i = 0; i < n; ++i)
        if (w[i] == 0)
            w[i] = rest * displayWidthOf(columns[i]) / shares;
    std::vector<QRectF> out;
    out.reserve(n);
    double right = frameRight;
    for (std::size_t i = 0; i < n; ++i) {
        out.emplace_back(right - w[i], top, w[i], height);
        right -= w[i];
    }
    return out;
}

// ---- The list layout ------------------------------------------------------------------------

namespace {

constexpr double kPad = 1.0;        // mm inside a cell
constexpr double kThin = 0.12;      // mm, grid lines
constexpr double kRule = 0.35;      // mm, rules under headers and over totals

Qt::Alignment cellAlign(const Column& c)
{
    switch (c.kind) {
    case ColumnKind::Date: return Qt::AlignHCenter | Qt::AlignVCenter;
    default: return Qt::AlignRight | Qt::AlignVCenter;
    }
}

bool hasTotals(const Table& t)
{
    return std::any_of(t.columns.begin(), t.columns.end(), [](const Column& c) { return c.total; });
}

struct Totals {
    std::vector<db::Decimal> sums;
    explicit Totals(const Table& t) { reset(t); }
    void reset(const Table& t)
    {
        sums.clear();
        for (const Column& c : t.columns)
            sums.emplace_back(0, c.kind == ColumnKind::Money ? 2 : c.kind == ColumnKind::Qty ? 4 : 0);
    }
    void add(const Table& t, const Row& r)
    {
        for (std::size_t i = 0; i < t.columns.size() && i < r.size(); ++i) {
            db::Decimal d;
            if (t.columns[i].total && cellDecimal(t.columns[i], r[i], &d))
                sums[i].units += d.units;
        }
    }
};

class ListLayout {
public:
    explicit ListLayout(const ListReport& r)
        : r_(r),
          font_(printFont(r.fontSize)),
          bold_(printFont(r.fontSize, true)),
          firmFont_(printFont(r.fontSize + 7, true)),
          titleFont_(printFont(r.fontSize + 5, true)),
          paramFont_(printFont(r.fontSize + 1)),
          smallFont_(printFont(r.fontSize - 1)),
          number_(printNumberFont(r.fontSize - 0.5)),
          numberBold_(printNumberFont(r.fontSize - 0.5, true))
    {
        rowH_ = lineHeightMm(font_) + 2 * kPad * 0.6;
        headH_ = lineHeightMm(bold_) + 2 * kPad;
        footH_ = lineHeightMm(smallFont_) + 3;
        printedAt_ = r.printedAt.isValid() ? r.printedAt : QDateTime::currentDateTime();
    }

    Document run()
    {
        Document doc;
        doc.setup = r_.setup;
        doc.title = r_.title;
        BandWriter w(
            doc, [this](Page& p, int i) { return pageHeader(p, i); },
            [this](Page& p, int i, int n) { pageFooter(p, i, n); });
        const Table& t = r_.table;
        w.setRepeatedHeader(headH_, [this](Page& p, const QRectF& rc) { columnHeader(p, rc); });

        const bool totals = hasTotals(t);
        const bool grouping = r_.groupColumn >= 0 && std::size_t(r_.groupColumn) < t.columns.size();
        Totals grand(t), group(t);
        QString groupKey;
        bool inGroup = false;
        for (const Row& row : t.rows) {
            if (grouping) {
                const Column& gc = t.columns[std::size_t(r_.groupColumn)];
                const Cell& gv = std::size_t(r_.groupColumn) < row.size() ? row[std::size_t(r_.groupColumn)] : Cell{};
                const QString key = formatCell(gc, gv);
                if (!inGroup || key != groupKey) {
                    if (inGroup && totals)
                        w.add(rowH_ + 0.5, [&](Page& p, const QRectF& rc) {
                            totalBand(p, rc, r_.groupTotalCaption, group.sums, false);
                        });
                    group.reset(t);
                    groupKey = key;
                    inGroup = true;
                    // Keep the group's heading with its first row.
                    w.keepSpace(rowH_ * 2 + 0.5);
                    w.add(rowH_ + 0.5, [&](Page& p, const QRectF& rc) { groupHeader(p, rc, gc.caption, key); });
                }
            }
            const double h = rowHeight(row);
            w.add(h, [&](Page& p, const QRectF& rc) { detail(p, rc, row); });
            grand.add(t, row);
            group.add(t, row);
        }
        if (grouping && inGroup && totals)
            w.add(rowH_ + 0.5, [&](Page& p, const QRectF& rc) {
                totalBand(p, rc, r_.groupTotalCaption, group.sums, false);
            });
        if (totals && r_.grandTotal)
            w.add(rowH_ + 1.5, [&](Page& p, const QRectF& rc) {
                totalBand(p, rc, r_.grandTotalCaption, grand.sums, true);
            });
        w.finish();
        return doc;
    }

private:
    std::vector<QRectF> cols(const QRectF& band) const
    {
        return columnRects(r_.table.columns, r_.widthsMm, band.left(), band.right(), band.top(), band.height());
    }

    QRectF inner(const QRectF& rc) const { return rc.adjusted(kPad, 0, -kPad, 0); }

    double rowHeight(const Row& row) const
    {
        double h = rowH_;
        const auto& columns = r_.table.columns;
        bool anyWrap = false;
        for (const Column& c : columns)
            anyWrap = anyWrap || c.wrap;
        if (!anyWrap)
            return h;
        const QRectF f = r_.setup.frameMm();
        const auto rects = columnRects(columns, r_.widthsMm, f.left(), f.right(), 0, 0);
        for (std::size_t i = 0; i < columns.size() && i < row.size(); ++i) {
            if (!columns[i].wrap)
                continue;
            const double th = wrappedHeightMm(font_, formatCell(columns[i], row[i]), rects[i].width() - 2 * kPad);
            h = std::max(h, th + 2 * kPad * 0.6);
        }
        return h;
    }

    void verticals(Page& p, const std::vector<QRectF>& rects) const
    {
        if (!r_.gridLines || rects.empty())
            return;
        for (const QRectF& c : rects)
            p.line(c.topRight(), c.bottomRight(), kThin).color = Qt::gray;
        p.line(rects.back().topLeft(), rects.back().bottomLeft(), kThin).color = Qt::gray;
    }

    QRectF pageHeader(Page& p, int) const
    {
        const QRectF f = r_.setup.frameMm();
        double y = f.top();
        auto centred = [&](const QString& s, const QFont& font) {
            if (s.isEmpty())
                return;
            const double h = lineHeightMm(font);
            p.text(QRectF(f.left(), y, f.width(), h), elidedText(font, s, f.width()), font, Qt::AlignHCenter | Qt::AlignVCenter);
            y += h;
        };
        centred(r_.firmName, firmFont_);
        QStringList contact;
        if (!r_.address.isEmpty())
            contact << r_.address;
        if (!r_.telephone.isEmpty())
            contact << QStringLiteral("هاتف: ") + isolate(r_.telephone);
        centred(contact.join(QStringLiteral("   ")), paramFont_);
        y += 1.5;
        centred(r_.title, titleFont_);
        for (const QString& line : r_.parameters)
            centred(line, paramFont_);
        y += 1.5;
        p.line(QPointF(f.left(), y), QPointF(f.right(), y), kRule);
        y += 1.5;
        return QRectF(f.left(), y, f.width(), f.bottom() - footH_ - y);
    }

    void pageFooter(Page& p, int index, int count) const
    {
        const QRectF f = r_.setup.frameMm();
        const double top = f.bottom() - footH_ + 1.5;
        p.line(QPointF(f.left(), top), QPointF(f.right(), top), kThin);
        const QRectF band(f.left(), top + 0.5, f.width(), footH_ - 2);
        const QString pageText = QStringLiteral("صفحة ") + isolate(QString::number(index + 1)) + QStringLiteral(" من ") +
                                 isolate(QString::number(count));
        p.text(band, pageText, smallFont_, Qt::AlignHCenter | Qt::AlignVCenter);
        const QString when = QStringLiteral("تاريخ الطباعة: ") +
                             isolate(QLocale::c().toString(printedAt_, QStringLiteral("yyyy/MM/dd hh:mm")));
        p.text(band, when, smallFont_, Qt::AlignLeft | Qt::AlignVCenter);
        if (!r_.userName.isEmpty())
            p.text(band, QStringLiteral("المستخدم: ") + r_.userName, smallFont_, Qt::AlignRight | Qt::AlignVCenter);
    }

    void columnHeader(Page& p, const QRectF& rc) const
    {
        p.rect(rc, kThin, QColor(230, 230, 230));
        const auto rects = cols(rc);
        for (std::size_t i = 0; i < rects.size(); ++i) {
            const QRectF in = inner(rects[i]);
            p.text(in, elidedText(bold_, r_.table.columns[i].caption, in.width()), bold_,
                   Qt::AlignHCenter | Qt::AlignVCenter);
        }
        verticals(p, rects);
    }

    void detail(Page& p, const QRectF& rc, const Row& row) const
    {
        const auto& columns = r_.table.columns;
        const auto rects = cols(rc);
        for (std::size_t i = 0; i < columns.size(); ++i) {
            const Column& c = columns[i];
            const QString s = i < row.size() ? formatCell(c, row[i]) : QString();
            if (s.isEmpty())
                continue;
            const QRectF in = inner(rects[i]);
            const bool text = c.kind == ColumnKind::Text;
            if (c.wrap) {
                TextItem& t = p.text(in, s, font_, cellAlign(c));
                t.wrap = true;
            } else {
                const QFont& f = text ? font_ : number_;
                TextItem& t = p.text(in, elidedText(f, s, in.width()), f, cellAlign(c));
                t.rightToLeft = text;
            }
        }
        if (r_.gridLines) {
            p.line(rc.bottomLeft(), rc.bottomRight(), kThin).color = Qt::gray;
            verticals(p, rects);
        }
    }

    void groupHeader(Page& p, const QRectF& rc, const QString& caption, const QString& value) const
    {
        p.rect(rc, 0, QColor(242, 242, 242));
        p.text(inner(rc), caption + QStringLiteral(": ") + value, bold_, Qt::AlignRight | Qt::AlignVCenter);
        if (r_.gridLines)
            p.line(rc.bottomLeft(), rc.bottomRight(), kThin).color = Qt::gray;
    }

    void totalBand(Page& p, const QRectF& rc, const QString& caption, const std::vector<db::Decimal>& sums,
                   bool grand) const
    {
        const auto& columns = r_.table.columns;
        const auto rects = cols(rc);
        if (grand)
            p.line(rc.topLeft(), rc.topRight(), kRule);
        p.rect(rc, 0, grand ? QColor(225, 225, 225) : QColor(242, 242, 242));
        // The caption spans the columns before the first total, from the right.
        std::size_t firstTotal = columns.size();
        for (std::size_t i = 0; i < columns.size(); ++i)
            if (columns[i].total) {
                firstTotal = i;
                break;
            }
        if (firstTotal > 0) {
            const QRectF span(rects[firstTotal - 1].left(), rc.top(), rc.right() - rects[firstTotal - 1].left(),
                              rc.height());
            p.text(inner(span), caption, bold_, Qt::AlignRight | Qt::AlignVCenter);
        }
        for (std::size_t i = 0; i < columns.size(); ++i) {
            if (!columns[i].total)
                continue;
            const QRectF in = inner(rects[i]);
            const QString s = formatCell(columns[i], Cell(sums[i]));
            TextItem& t = p.text(in, elidedText(numberBold_, s, in.width()), numberBold_, cellAlign(columns[i]));
            t.rightToLeft = false;
        }
        p.line(rc.bottomLeft(), rc.bottomRight(), grand ? kRule : kThin);
        if (r_.gridLines)
            verticals(p, rects);
    }

    const ListReport& r_;
    QFont font_, bold_, firmFont_, titleFont_, paramFont_, smallFont_, number_, numberBold_;
    double rowH_ = 5, headH_ = 6, footH_ = 6;
    QDateTime printedAt_;
};

} // namespace

Document layoutList(const ListReport& report)
{
    return ListLayout(report).run();
}

} // namespace kv::tools
