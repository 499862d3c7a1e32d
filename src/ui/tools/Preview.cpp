#include "ui/tools/Preview.h"

#include "tools/ReportRenderer.h"
#include "tools/Table.h"
#include "ui/common/MessageBox.h"
#include "ui/tools/Printing.h"

#include <QComboBox>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QShortcut>
#include <QStandardPaths>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace kv::ui {

namespace {

QToolButton* toolButton(QWidget* parent, const char* name, const QString& text, const QString& tip)
{
    auto* b = new QToolButton(parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setText(text);
    b->setToolTip(tip);
    b->setToolButtonStyle(Qt::ToolButtonTextOnly);
    b->setAutoRaise(true);
    return b;
}

constexpr double kZooms[] = {0.25, 0.5, 0.75, 1.0, 1.25, 1.5, 2.0, 3.0, 4.0};

} // namespace

TPreviewF::TPreviewF(const tools::Document& doc, QWidget* parent)
    : QDialog(parent), doc_(doc)
{
    setObjectName(QStringLiteral("TPreviewF"));
    setWindowTitle(doc_.title.isEmpty() ? QStringLiteral("معاينة الطباعة") : QStringLiteral("معاينة الطباعة - ") + doc_.title);
    setLayoutDirection(Qt::RightToLeft);
    setWindowFlag(Qt::WindowMaximizeButtonHint, true);
    if (QScreen* sc = screen())
        screenDpi_ = sc->logicalDotsPerInch();
    cache_.resize(std::size_t(doc_.pageCount()));

    auto* top = new QVBoxLayout(this);
    auto* bar = new QHBoxLayout;
    auto* SBPrint = toolButton(this, "SBPrint", QStringLiteral("طباعة"), QStringLiteral("طباعة  Print"));
    auto* SBPdf = toolButton(this, "SBPdf", QStringLiteral("حفظ PDF"), QStringLiteral("Save as PDF"));
    // Right to left: "first" is the rightmost of the page buttons.
    SBFirst = toolButton(this, "SBFirst", QStringLiteral("الأولى"), QStringLiteral("الصفحة الأولى"));
    SBPrior = toolButton(this, "SBPrior", QStringLiteral("السابقة"), QStringLiteral("الصفحة السابقة"));
    SBNext = toolButton(this, "SBNext", QStringLiteral("التالية"), QStringLiteral("الصفحة التالية"));
    SBLast = toolButton(this, "SBLast", QStringLiteral("الأخيرة"), QStringLiteral("الصفحة الأخيرة"));
    LblPage = new QLabel(this);
    LblPage->setObjectName(QStringLiteral("LblPage"));
    auto* SBZoomOut = toolButton(this, "SBZoomOut", QStringLiteral("−"), QStringLiteral("تصغير"));
    auto* SBZoomIn = toolButton(this, "SBZoomIn", QStringLiteral("+"), QStringLiteral("تكبير"));
    CBZoom = new QComboBox(this);
    CBZoom->setObjectName(QStringLiteral("CBZoom"));
    CBZoom->addItem(QStringLiteral("عرض الصفحة"), -1.0);
    CBZoom->addItem(QStringLiteral("الصفحة كاملة"), -2.0);
    for (double z : kZooms)
        CBZoom->addItem(QStringLiteral("%1%").arg(int(z * 100)), z);
    auto* SBClose = toolButton(this, "SBClose", QStringLiteral("خروج"), QStringLiteral("خروج  Exit"));

    bar->addWidget(SBPrint);
    bar->addWidget(SBPdf);
    bar->addSpacing(12);
    bar->addWidget(SBFirst);
    bar->addWidget(SBPrior);
    bar->addWidget(LblPage);
    bar->addWidget(SBNext);
    bar->addWidget(SBLast);
    bar->addSpacing(12);
    bar->addWidget(SBZoomOut);
    bar->addWidget(CBZoom);
    bar->addWidget(SBZoomIn);
    bar->addStretch();
    bar->addWidget(SBClose);
    top->addLayout(bar);

    area = new QScrollArea(this);
    area->setObjectName(QStringLiteral("area"));
    area->setAlignment(Qt::AlignCenter);
    area->setBackgroundRole(QPalette::Dark);
    image = new QLabel;
    image->setObjectName(QStringLiteral("image"));
    image->setAlignment(Qt::AlignCenter);
    area->setWidget(image);
    area->setWidgetResizable(false);
    top->addWidget(area, 1);

    connect(SBPrint, &QToolButton::clicked, this, &TPreviewF::printDocument);
    connect(SBPdf, &QToolButton::clicked, this, [this] { saveAsPdf(); });
    connect(SBFirst, &QToolButton::clicked, this, &TPreviewF::firstPage);
    connect(SBPrior, &QToolButton::clicked, this, &TPreviewF::priorPage);
    connect(SBNext, &QToolButton::clicked, this, &TPreviewF::nextPage);
    connect(SBLast, &QToolButton::clicked, this, &TPreviewF::lastPage);
    connect(SBZoomIn, &QToolButton::clicked, this, &TPreviewF::zoomIn);
    connect(SBZoomOut, &QToolButton::clicked, this, &TPreviewF::zoomOut);
    connect(SBClose, &QToolButton::clicked, this, &QDialog::accept);
    connect(CBZoom, &QComboBox::activated, this, [this](int i) {
        const double z = CBZoom->itemData(i).toDouble();
        if (z == -1.0)
            fitWidth();
        else if (z == -2.0)
            fitPage();
        else
            setZoom(z);
    });
    new QShortcut(QKeySequence(Qt::Key_PageDown), this, [this] { nextPage(); });
    new QShortcut(QKeySequence(Qt::Key_PageUp), this, [this] { priorPage(); });
    new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_Home), this, [this] { firstPage(); });
    new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_End), this, [this] { lastPage(); });
    new QShortcut(QKeySequence::ZoomIn, this, [this] { zoomIn(); });
    new QShortcut(QKeySequence::ZoomOut, this, [this] { zoomOut(); });
    new QShortcut(QKeySequence::Print, this, [this] { printDocument(); });

    resize(900, 760);
    CBZoom->setCurrentIndex(CBZoom->findData(1.0));
    render();
}

int TPreviewF::pageCount() const
{
    return doc_.pageCount();
}

void TPreviewF::showPage(int index)
{
    if (pageCount() == 0)
        return;
    page_ = std::clamp(index, 0, pageCount() - 1);
    render();
}

void TPreviewF::setZoom(double z)
{
    z = std::clamp(z, 0.25, 4.0);
    if (std::abs(z - zoom_) < 1e-6)
        return;
    zoom_ = z;
    std::fill(cache_.begin(), cache_.end(), QImage());
    const int i = CBZoom->findData(z);
    if (i >= 0)
        CBZoom->setCurrentIndex(i);
    else
        CBZoom->setEditText(QStringLiteral("%1%").arg(int(std::lround(z * 100))));
    render();
}

void TPreviewF::zoomIn()
{
    for (double z : kZooms)
        if (z > zoom_ + 1e-6) {
            setZoom(z);
            return;
        }
}

void TPreviewF::zoomOut()
{
    for (auto it = std::rbegin(kZooms); it != std::rend(kZooms); ++it)
        if (*it < zoom_ - 1e-6) {
            setZoom(*it);
            return;
        }
}

void TPreviewF::fitWidth()
{
    const QSizeF mm = doc_.setup.paperSizeMm();
    const double paperPx = mm.width() / tools::mmPerInch * screenDpi_;
    const double room = area->viewport()->width() - 24;
    if (paperPx > 0 && room > 0)
        setZoom(room / paperPx);
}

void TPreviewF::fitPage()
{
    const QSizeF mm = doc_.setup.paperSizeMm();
    const double w = mm.width() / tools::mmPerInch * screenDpi_, h = mm.height() / tools::mmPerInch * screenDpi_;
    const QSize room = area->viewport()->size() - QSize(24, 24);
    if (w > 0 && h > 0 && room.isValid())
        setZoom(std::min(room.width() / w, room.height() / h));
}

void TPreviewF::render()
{
    if (pageCount() == 0) {
        image->clear();
        updateNavigation();
        return;
    }
    QImage& img = cache_[std::size_t(page_)];
    if (img.isNull())
        img = tools::ReportRenderer::pageImage(doc_, page_, screenDpi_ * zoom_ * devicePixelRatioF());
    QPixmap pm = QPixmap::fromImage(img);
    pm.setDevicePixelRatio(devicePixelRatioF());
    image->setPixmap(pm);
    image->resize(pm.deviceIndependentSize().toSize());
    updateNavigation();
}

void TPreviewF::updateNavigation()
{
    const int n = pageCount();
    LblPage->setText(QStringLiteral("صفحة ") + tools::isolate(QString::number(n ? page_ + 1 : 0)) +
                     QStringLiteral(" من ") + tools::isolate(QString::number(n)));
    SBFirst->setEnabled(page_ > 0);
    SBPrior->setEnabled(page_ > 0);
    SBNext->setEnabled(page_ + 1 < n);
    SBLast->setEnabled(page_ + 1 < n);
}

QImage TPreviewF::shownImage() const
{
    return pageCount() ? cache_[std::size_t(page_)] : QImage();
}

void TPreviewF::printDocument()
{
    auto choice = TPrintOptF::shared().ask(this, 1, true, false);
    if (!choice)
        return;
    const QString err = printOn(doc_, choice->printerName, choice->copies);
    if (!err.isEmpty())
        showError(this, err);
}

bool TPreviewF::saveAsPdf(const QString& path)
{
    QString file = path;
    if (file.isEmpty()) {
        const QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
        const QString name = (doc_.title.isEmpty() ? QStringLiteral("report") : doc_.title) + QStringLiteral(".pdf");
        file = QFileDialog::getSaveFileName(this, QStringLiteral("Save as PDF"), folder + QLatin1Char('/') + name,
                                            QStringLiteral("PDF (*.pdf)"));
        if (file.isEmpty())
            return false;
        if (!file.endsWith(QLatin1String(".pdf"), Qt::CaseInsensitive))
            file += QStringLiteral(".pdf");
    }
    const QString err = tools::ReportRenderer::writePdf(doc_, file);
    if (!err.isEmpty()) {
        showError(this, err);
        return false;
    }
    return true;
}

} // namespace kv::ui
