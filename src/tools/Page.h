#pragma once
// The page model every printout is made of: pages of free-positioned drawing items (text boxes,
// lines, rectangles, images, barcode and QR symbols), in millimetres from the top-left corner of
// the paper. Layouts (the banded lists of ListReport.h, the label of BarcodeLabel.h, later the
// invoices and vouchers) build a Document; ReportRenderer.h paints it on a printer, a PDF or images.
//
//   kv::tools::Document doc;
//   doc.setup.paper = QPageSize(QPageSize::A4);
//   kv::tools::Page& p = doc.addPage();
//   p.text({10, 10, 190, 8}, "فاتورة ضريبية", kv::tools::printFont(14, true), Qt::AlignHCenter);
//   p.line({10, 20}, {200, 20});
//   p.symbol({160, 25, 30, 30}, kv::tools::encodeQr(payload).matrix);   // QrCode.h
//
// Text is right-to-left by default (Arabic); alignments are physical sides (AlignLeft is the
// left edge of the box whatever the direction). Fonts carry point sizes; the renderer keeps them
// true to size on every device.
#include <QColor>
#include <QFont>
#include <QImage>
#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPointF>
#include <QRectF>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <variant>
#include <vector>

namespace kv::tools {

// The print font: Noto Naskh Arabic (Latin letters and digits from Noto Serif / DejaVu),
// without hinting so that text measures the same on every device.
QFont printFont(qreal pointSize = 10, bool bold = false);
// A sans-serif print font for codes and small print (Noto Sans Arabic).
QFont printSansFont(qreal pointSize = 9, bool bold = false);
// The font of numbers and dates standing alone (amount and date cells): Noto Sans, whose point
// and digits read clearly (the Naskh point looks like a comma).
QFont printNumberFont(qreal pointSize = 10, bool bold = false);

// Text measurement in millimetres, device independent (the layouts use it to break pages).
double textWidthMm(const QFont& font, const QString& text);
double lineHeightMm(const QFont& font); // the font's line spacing
// Height of `text` broken into lines at word boundaries within `widthMm`.
double wrappedHeightMm(const QFont& font, const QString& text, double widthMm);
// `text` shortened with "…" to fit `widthMm` (right-to-left text loses its end, on the left).
QString elidedText(const QFont& font, const QString& text, double widthMm);
// `text` broken at word boundaries into lines no wider than `widthMm` (a word longer than the
// width gets a line of its own). The renderer breaks wrapped text boxes with this, so lines are
// the same on every device.
QStringList breakLines(const QFont& font, const QString& text, double widthMm);

constexpr double mmPerInch = 25.4;
inline double inchToMm(double inches) { return inches * mmPerInch; }

struct TextItem {
    QRectF rect;          // mm
    QString text;
    QFont font;
    Qt::Alignment align = Qt::AlignRight | Qt::AlignVCenter; // physical sides
    bool wrap = false;    // break at word boundaries inside rect
    bool rightToLeft = true;
    QColor color = Qt::black;
    QColor background;    // invalid = none
    double frameMm = 0;   // a frame around rect when > 0 (pen width in mm)
};

struct LineItem {
    QPointF from, to;     // mm
    double widthMm = 0.25;
    QColor color = Qt::black;
    Qt::PenStyle style = Qt::SolidLine;
};

struct RectItem {
    QRectF rect;          // mm
    double penMm = 0.25;  // 0 = no outline
    QColor pen = Qt::black;
    QColor fill;          // invalid = none
    double radiusMm = 0;
};

struct ImageItem {
    QRectF rect;          // mm; the image is stretched to it unless keepAspect
    QImage image;
    bool keepAspect = false;
};

// A matrix of dark and light modules: a QR code (square) or the bars of a linear barcode
// (height 1, one entry per module). Painted as filled rectangles, sharp at any resolution.
struct ModuleMatrix {
    int width = 0, height = 0;
    std::vector<std::uint8_t> dark; // row-major, 1 = dark
    bool isEmpty() const { return width <= 0 || height <= 0; }
    bool at(int x, int y) const { return dark[std::size_t(y) * std::size_t(width) + std::size_t(x)] != 0; }
};

struct SymbolItem {
    QRectF rect;          // mm; modules are stretched to fill it
    ModuleMatrix matrix;
    QColor fore = Qt::black;
    QColor back;          // invalid = transparent
    int rotation = 0;     // 0, 90, 180, 270 degrees clockwise
    bool dotty = false;   // dark modules as dots instead of full bars
};

using PageItem = std::variant<TextItem, LineItem, RectItem, ImageItem, SymbolItem>;

struct Page {
    std::vector<PageItem> items;

    TextItem& text(const QRectF& rect, const QString& text, const QFont& font,
                   Qt::Alignment align = Qt::AlignRight | Qt::AlignVCenter);
    LineItem& line(const QPointF& from, const QPointF& to, double widthMm = 0.25);
    RectItem& rect(const QRectF& rect, double penMm = 0.25, const QColor& fill = QColor());
    ImageItem& image(const QRectF& rect, const QImage& image, bool keepAspect = false);
    SymbolItem& symbol(const QRectF& rect, const ModuleMatrix& matrix);
};

struct PageSetup {
    QPageSize paper = QPageSize(QPageSize::A4);
    QPageLayout::Orientation orientation = QPageLayout::Portrait;
    QMarginsF marginsMm = {10, 10, 10, 10}; // the printable frame layouts keep to

    QSizeF paperSizeMm() const;             // oriented
    QRectF frameMm() const;                 // paper minus margins
    // Custom paper in millimetres, portrait as given (a label of 128.9 x 23.7 mm).
    static PageSetup custom(double widthMm, double heightMm, QMarginsF marginsMm = {});
};

struct Document {
    PageSetup setup;
    QString title;        // the PDF's title and the print job's name
    std::vector<Page> pages;

    Page& addPage() { return pages.emplace_back(); }
    int pageCount() const { return int(pages.size()); }
};

} // namespace kv::tools
