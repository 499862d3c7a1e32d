#include "tools/ReportRenderer.h"

#include <QPageLayout>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPainterPath>
#include <QPdfWriter>
#include <QFileInfo>
#include <QPrinter>
#include <QTextOption>

#include <algorithm>
#include <cmath>

namespace kv::tools {

namespace {

struct Scale {
    double sx, sy; // device pixels per millimetre
    QPointF pt(const QPointF& mm) const { return {mm.x() * sx, mm.y() * sy}; }
    QRectF rect(const QRectF& mm) const { return {mm.x() * sx, mm.y() * sy, mm.width() * sx, mm.height() * sy}; }
    double len(double mm) const { return mm * (sx + sy) / 2; }
};

QTextOption textOption(const TextItem& t)
{
    QTextOption o;
    // Physical sides: AlignLeft means the left edge whatever the direction.
    o.setAlignment(t.align | Qt::AlignAbsolute);
    o.setTextDirection(t.rightToLeft ? Qt::RightToLeft : Qt::LeftToRight);
    o.setWrapMode(QTextOption::NoWrap);
    return o;
}

void paintText(QPainter& p, const TextItem& t, const Scale& s)
{
    const QRectF r = s.rect(t.rect);
    if (t.background.isValid())
        p.fillRect(r, t.background);
    if (t.frameMm > 0) {
        QPen pen(Qt::black);
        pen.setWidthF(s.len(t.frameMm));
        p.setPen(pen);
        p.setBrush(Qt::NoBrush);
        p.drawRect(r);
    }
    if (t.text.isEmpty())
        return;
    p.setFont(t.font);
    p.setPen(t.color);
    const QTextOption opt = textOption(t);
    if (!t.wrap) {
        p.drawText(r, t.text, opt);
        return;
    }
    // Lines are broken in millimetres (the same on every device), then each is drawn alone.
    const QStringList lines = breakLines(t.font, t.text, t.rect.width());
    const double lh = lineHeightMm(t.font);
    const double blockH = lh * double(lines.size());
    double top = t.rect.top();
    if (t.align & Qt::AlignVCenter)
        top += (t.rect.height() - blockH) / 2;
    else if (t.align & Qt::AlignBottom)
        top += t.rect.height() - blockH;
    QTextOption lineOpt = opt;
    lineOpt.setAlignment((t.align & Qt::AlignHorizontal_Mask) | Qt::AlignVCenter | Qt::AlignAbsolute);
    for (const QString& line : lines) {
        p.drawText(s.rect(QRectF(t.rect.left(), top, t.rect.width(), lh)), line, lineOpt);
        top += lh;
    }
}

void paintSymbol(QPainter& p, const SymbolItem& it, const Scale& s)
{
    const ModuleMatrix& m = it.matrix;
    if (m.isEmpty())
        return;
    const QRectF target = s.rect(it.rect);
    p.save();
    p.translate(target.center());
    p.rotate(it.rotation);
    const bool sideways = it.rotation == 90 || it.rotation == 270;
    const double w = sideways ? target.height() : target.width();
    const double h = sideways ? target.width() : target.height();
    const QRectF box(-w / 2, -h / 2, w, h);
    if (it.back.isValid())
        p.fillRect(box, it.back);
    p.setPen(Qt::NoPen);
    p.setBrush(it.fore);
    const double mw = w / m.width, mh = h / m.height;
    for (int y = 0; y < m.height; ++y) {
        int x = 0;
        while (x < m.width) {
            if (!m.at(x, y)) {
                ++x;
                continue;
            }
            int end = x;
            while (end < m.width && m.at(end, y))
                ++end;
            const QRectF run(box.left() + x * mw, box.top() + y * mh, (end - x) * mw, mh);
            if (!it.dotty) {
                p.drawRect(run);
            } else {
                // Each module as a column of dots one module wide.
                for (int k = x; k < end; ++k) {
                    const double d = mw;
                    for (double cy = run.top(); cy + d <= run.bottom() + 0.01; cy += d * 1.5)
                        p.drawEllipse(QRectF(box.left() + k * mw, cy, d, d));
                }
            }
            x = end;
        }
    }
    p.restore();
}

void paintItemScaled(QPainter& p, const PageItem& item, const Scale& s)
{
    if (const auto* t = std::get_if<TextItem>(&item)) {
        paintText(p, *t, s);
    } else if (const auto* l = std::get_if<LineItem>(&item)) {
        QPen pen(l->color);
        pen.setWidthF(std::max(1.0, s.len(l->widthMm)));
        pen.setStyle(l->style);
        pen.setCapStyle(Qt::FlatCap);
        p.setPen(pen);
        p.drawLine(s.pt(l->from), s.pt(l->to));
    } else if (const auto* r = std::get_if<RectItem>(&item)) {
        if (r->penMm > 0) {
            QPen pen(r->pen);
            pen.setWidthF(std::max(1.0, s.len(r->penMm)));
            p.setPen(pen);
        } else {
            p.setPen(Qt::NoPen);
        }
        p.setBrush(r->fill.isValid() ? QBrush(r->fill) : QBrush(Qt::NoBrush));
        if (r->radiusMm > 0)
            p.drawRoundedRect(s.rect(r->rect), s.len(r->radiusMm), s.len(r->radiusMm));
        else
            p.drawRect(s.rect(r->rect));
    } else if (const auto* im = std::get_if<ImageItem>(&item)) {
        if (im->image.isNull())
            return;
        QRectF target = s.rect(im->rect);
        if (im->keepAspect) {
            QSizeF sz = QSizeF(im->image.size()).scaled(target.size(), Qt::KeepAspectRatio);
            target = QRectF(target.center().x() - sz.width() / 2, target.center().y() - sz.height() / 2, sz.width(),
                            sz.height());
        }
        p.drawImage(target, im->image);
    } else if (const auto* sym = std::get_if<SymbolItem>(&item)) {
        paintSymbol(p, *sym, s);
    }
}

QPageLayout layoutOf(const PageSetup& setup)
{
    return QPageLayout(setup.paper, setup.orientation, QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
}

} // namespace

void ReportRenderer::paintItem(QPainter& painter, const PageItem& item, double dpiX, double dpiY)
{
    paintItemScaled(painter, item, Scale{dpiX / mmPerInch, dpiY / mmPerInch});
}

void ReportRenderer::paintPage(QPainter& painter, const Page& page, double dpiX, double dpiY)
{
    const Scale s{dpiX / mmPerInch, dpiY / mmPerInch};
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
    painter.setLayoutDirection(Qt::RightToLeft);
    for (const PageItem& item : page.items)
        paintItemScaled(painter, item, s);
    painter.restore();
}

QString ReportRenderer::print(const Document& doc, QPagedPaintDevice& device, int copies)
{
    if (doc.pages.empty())
        return QStringLiteral("لا توجد صفحات للطباعة");
    copies = std::max(1, copies);
    if (auto* printer = dynamic_cast<QPrinter*>(&device)) {
        if (!doc.title.isEmpty())
            printer->setDocName(doc.title);
        // A real printer refuses a whole layout with margins below its own unprintable edges,
        // and would then keep its default paper and orientation: set them one by one, and
        // draw from the paper's corner (the pages carry their own margins).
        printer->setPageOrientation(doc.setup.orientation);
        if (!printer->setPageSize(doc.setup.paper))
            return QStringLiteral("مقاس الورق غير مدعوم في هذه الطابعة");
        printer->setFullPage(true);
    } else {
        if (auto* pdf = dynamic_cast<QPdfWriter*>(&device)) {
            if (!doc.title.isEmpty())
                pdf->setTitle(doc.title);
        }
        device.setPageLayout(layoutOf(doc.setup));
    }

    QPainter painter;
    if (!painter.begin(&device))
        return QStringLiteral("تعذر بدء الطباعة");
    const double dpiX = device.logicalDpiX(), dpiY = device.logicalDpiY();
    bool first = true;
    for (int c = 0; c < copies; ++c) {
        for (const Page& page : doc.pages) {
            if (!first && !device.newPage()) {
                painter.end();
                return QStringLiteral("تعذر بدء صفحة جديدة");
            }
            first = false;
            paintPage(painter, page, dpiX, dpiY);
        }
    }
    if (!painter.end())
        return QStringLiteral("تعذر إتمام الطباعة");
    return {};
}

QString ReportRenderer::writePdf(const Document& doc, const QString& path)
{
    QPdfWriter writer(path);
    writer.setResolution(1200);
    writer.setCreator(QStringLiteral("Kordavan Stock Control"));
    QString err = print(doc, writer, 1);
    if (err.isEmpty() && !QFileInfo::exists(path))
        err = QStringLiteral("تعذر كتابة الملف: ") + path;
    return err;
}

QImage ReportRenderer::pageImage(const Document& doc, int pageIndex, double dpi)
{
    if (pageIndex < 0 || pageIndex >= doc.pageCount())
        return {};
    const QSizeF mm = doc.setup.paperSizeMm();
    const QSize px(int(std::lround(mm.width() * dpi / mmPerInch)), int(std::lround(mm.height() * dpi / mmPerInch)));
    QImage img(px, QImage::Format_ARGB32_Premultiplied);
    const int dpm = int(std::lround(dpi / 0.0254));
    img.setDotsPerMeterX(dpm);
    img.setDotsPerMeterY(dpm);
    img.fill(Qt::white);
    QPainter painter(&img);
    // Convert with the resolution the image reports, which is what its fonts are sized by.
    paintPage(painter, doc.pages[std::size_t(pageIndex)], img.logicalDpiX(), img.logicalDpiY());
    painter.end();
    return img;
}

std::vector<QImage> ReportRenderer::pageImages(const Document& doc, double dpi)
{
    std::vector<QImage> out;
    out.reserve(doc.pages.size());
    for (int i = 0; i < doc.pageCount(); ++i)
        out.push_back(pageImage(doc, i, dpi));
    return out;
}

} // namespace kv::tools
