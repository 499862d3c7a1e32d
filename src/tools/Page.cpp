#include "tools/Page.h"

#include <QFontMetricsF>
#include <QTextLayout>

#include <cmath>

namespace kv::tools {

namespace {

// Text is measured on a 1200 dpi image: fine enough that rounding never shows, and the same
// numbers whatever device the page is painted on later.
constexpr double kMeasureDpi = 1200;

const QImage& measureDevice()
{
    static const QImage img = [] {
        QImage i(4, 4, QImage::Format_ARGB32_Premultiplied);
        const int dpm = int(std::lround(kMeasureDpi / 0.0254));
        i.setDotsPerMeterX(dpm);
        i.setDotsPerMeterY(dpm);
        return i;
    }();
    return img;
}

double measureDpi()
{
    return measureDevice().logicalDpiX();
}

double toMm(double px) { return px * mmPerInch / measureDpi(); }
double toPx(double mm) { return mm * measureDpi() / mmPerInch; }

QFont noHinting(QFont f)
{
    f.setHintingPreference(QFont::PreferNoHinting);
    f.setKerning(true);
    return f;
}

} // namespace

QFont printFont(qreal pointSize, bool bold)
{
    QFont f(QStringLiteral("Noto Naskh Arabic"));
    f.setFamilies({QStringLiteral("Noto Naskh Arabic"), QStringLiteral("Noto Serif"), QStringLiteral("DejaVu Serif")});
    f.setStyleHint(QFont::Serif);
    f.setPointSizeF(pointSize);
    f.setBold(bold);
    return noHinting(f);
}

QFont printSansFont(qreal pointSize, bool bold)
{
    QFont f(QStringLiteral("Noto Sans Arabic"));
    f.setFamilies({QStringLiteral("Noto Sans Arabic"), QStringLiteral("Noto Sans"), QStringLiteral("DejaVu Sans")});
    f.setStyleHint(QFont::SansSerif);
    f.setPointSizeF(pointSize);
    f.setBold(bold);
    return noHinting(f);
}

QFont printNumberFont(qreal pointSize, bool bold)
{
    QFont f(QStringLiteral("Noto Sans"));
    f.setFamilies({QStringLiteral("Noto Sans"), QStringLiteral("DejaVu Sans"), QStringLiteral("Noto Naskh Arabic")});
    f.setStyleHint(QFont::SansSerif);
    f.setPointSizeF(pointSize);
    f.setBold(bold);
    return noHinting(f);
}

double textWidthMm(const QFont& font, const QString& text)
{
    const QFontMetricsF fm(font, &measureDevice());
    return toMm(fm.horizontalAdvance(text));
}

double lineHeightMm(const QFont& font)
{
    const QFontMetricsF fm(font, &measureDevice());
    return toMm(fm.lineSpacing());
}

QString elidedText(const QFont& font, const QString& text, double widthMm)
{
    const QFontMetricsF fm(font, &measureDevice());
    return fm.elidedText(text, Qt::ElideRight, toPx(widthMm));
}

QStringList breakLines(const QFont& font, const QString& text, double widthMm)
{
    QStringList out;
    const QStringList paragraphs = text.split(QLatin1Char('\n'));
    for (const QString& para : paragraphs) {
        if (para.isEmpty()) {
            out << QString();
            continue;
        }
        QTextLayout layout(para, font, const_cast<QImage*>(&measureDevice()));
        QTextOption opt;
        opt.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
        layout.setTextOption(opt);
        layout.beginLayout();
        for (;;) {
            QTextLine line = layout.createLine();
            if (!line.isValid())
                break;
            line.setLineWidth(toPx(widthMm));
        }
        layout.endLayout();
        for (int i = 0; i < layout.lineCount(); ++i) {
            const QTextLine l = layout.lineAt(i);
            out << para.mid(l.textStart(), l.textLength()).trimmed();
        }
    }
    return out;
}

double wrappedHeightMm(const QFont& font, const QString& text, double widthMm)
{
    return double(breakLines(font, text, widthMm).size()) * lineHeightMm(font);
}

TextItem& Page::text(const QRectF& rect, const QString& text, const QFont& font, Qt::Alignment align)
{
    TextItem t;
    t.rect = rect;
    t.text = text;
    t.font = font;
    t.align = align;
    return std::get<TextItem>(items.emplace_back(std::move(t)));
}

LineItem& Page::line(const QPointF& from, const QPointF& to, double widthMm)
{
    LineItem l;
    l.from = from;
    l.to = to;
    l.widthMm = widthMm;
    return std::get<LineItem>(items.emplace_back(l));
}

RectItem& Page::rect(const QRectF& r, double penMm, const QColor& fill)
{
    RectItem it;
    it.rect = r;
    it.penMm = penMm;
    it.fill = fill;
    return std::get<RectItem>(items.emplace_back(it));
}

ImageItem& Page::image(const QRectF& r, const QImage& img, bool keepAspect)
{
    ImageItem it;
    it.rect = r;
    it.image = img;
    it.keepAspect = keepAspect;
    return std::get<ImageItem>(items.emplace_back(std::move(it)));
}

SymbolItem& Page::symbol(const QRectF& r, const ModuleMatrix& m)
{
    SymbolItem it;
    it.rect = r;
    it.matrix = m;
    return std::get<SymbolItem>(items.emplace_back(std::move(it)));
}

QSizeF PageSetup::paperSizeMm() const
{
    QSizeF s = paper.size(QPageSize::Millimeter);
    if (orientation == QPageLayout::Landscape)
        s.transpose();
    return s;
}

QRectF PageSetup::frameMm() const
{
    const QSizeF s = paperSizeMm();
    return QRectF(marginsMm.left(), marginsMm.top(), s.width() - marginsMm.left() - marginsMm.right(),
                  s.height() - marginsMm.top() - marginsMm.bottom());
}

PageSetup PageSetup::custom(double widthMm, double heightMm, QMarginsF marginsMm)
{
    PageSetup p;
    p.paper = QPageSize(QSizeF(widthMm, heightMm), QPageSize::Millimeter, QString(), QPageSize::ExactMatch);
    p.orientation = QPageLayout::Portrait;
    p.marginsMm = marginsMm;
    return p;
}

} // namespace kv::tools
