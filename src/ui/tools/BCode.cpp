#include "ui/tools/BCode.h"

#include "tools/ReportRenderer.h"
#include "ui/common/MessageBox.h"
#include "ui/tools/Preview.h"
#include "ui/tools/Printing.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QSpinBox>
#include <QVBoxLayout>

namespace kv::ui {

namespace {

QPushButton* button(QWidget* parent, const char* name, const QString& text)
{
    auto* b = new QPushButton(text, parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setAutoDefault(false);
    return b;
}

QLineEdit* field(QWidget* parent, const char* name, int maxLength)
{
    auto* e = new QLineEdit(parent);
    e->setObjectName(QString::fromLatin1(name));
    if (maxLength > 0)
        e->setMaxLength(maxLength);
    e->setMaximumWidth(80);
    return e;
}

QCheckBox* check(QWidget* parent, const char* name, const QString& text)
{
    auto* c = new QCheckBox(text, parent);
    c->setObjectName(QString::fromLatin1(name));
    return c;
}

void paintSwatch(QPushButton* b, const QColor& c)
{
    QPixmap pm(28, 14);
    pm.fill(c);
    b->setIcon(QIcon(pm));
}

QString notInteger(const QString& s)
{
    return QStringLiteral("'%1' is not a valid integer value").arg(s);
}

} // namespace

TBCodeF::TBCodeF(QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("TBCodeF"));
    setWindowTitle(QStringLiteral("Kordavan Barcode Printing"));
    // The label window's texts are English: it reads left to right.
    setLayoutDirection(Qt::LeftToRight);
    buildControls();

    // The controls start from the style's values; the handlers act only afterwards.
    CBShowText->setChecked(style_.showText);
    CBSmall->setChecked(style_.smallText);
    CBBold->setChecked(style_.boldText);
    CBBars->setChecked(style_.bars);
    CBBox->setChecked(style_.box);
    CBDotty->setChecked(style_.dotty);
    SEBorder->setValue(style_.border);
    SEWhite->setValue(style_.whiteSpace);
    SEHeight->setValue(style_.height);
    SEDot->setValue(style_.moduleWidth);
    SEScale->setValue(1.0);
    CBRotation->setCurrentIndex(style_.rotation / 90);
    paintSwatch(BBFore, style_.fore);
    paintSwatch(BBBack, style_.back);
    CBSymbology->setCurrentText(tools::symbologyTitle(style_.symbology));
    CBSmall->setEnabled(style_.showText);
    CBBold->setEnabled(style_.showText);
    putSettings(tools::LabelSettings());
    EdtItmNo->setText(QStringLiteral("123456"));
    draw();
    ready_ = true;
}

void TBCodeF::buildControls()
{
    auto* top = new QVBoxLayout(this);

    auto* head = new QGridLayout;
    EdtItmNo = field(this, "EdtItmNo", 0);
    EdtItmNo->setReadOnly(true);
    EdtItmNo->setMaximumWidth(200);
    EdtCopies = field(this, "EdtCopies", 4);
    EdtCopies->setText(QStringLiteral("1"));
    head->addWidget(new QLabel(QStringLiteral("Item No."), this), 0, 0);
    head->addWidget(EdtItmNo, 0, 1);
    head->addWidget(new QLabel(QStringLiteral("Number of copies"), this), 1, 0);
    head->addWidget(EdtCopies, 1, 1);
    auto* buttons = new QHBoxLayout;
    BBPrint = button(this, "BBPrint", QStringLiteral("Print"));
    BBBmp = button(this, "BBBmp", QStringLiteral("BMP"));
    BBReset = button(this, "BBReset", QStringLiteral("Reset"));
    BBEdit = button(this, "BBEdit", QStringLiteral("Edit"));
    BBExit = button(this, "BBExit", QStringLiteral("Exit"));
    for (QPushButton* b : {BBPrint, BBBmp, BBReset, BBEdit, BBExit})
        buttons->addWidget(b);
    head->addLayout(buttons, 0, 2, 2, 1);
    head->setColumnStretch(3, 1);
    top->addLayout(head);

    LblSymbol = new QLabel(this);
    LblSymbol->setObjectName(QStringLiteral("LblSymbol"));
    LblSymbol->setAlignment(Qt::AlignCenter);
    LblSymbol->setMinimumSize(360, 130);
    LblSymbol->setFrameShape(QFrame::StyledPanel);
    LblSymbol->setAutoFillBackground(true);
    LblSymbol->setBackgroundRole(QPalette::Base);
    top->addWidget(LblSymbol, 1);

    GBSettings = new QGroupBox(QStringLiteral("Settings"), this);
    GBSettings->setObjectName(QStringLiteral("GBSettings"));
    auto* panel = new QHBoxLayout(GBSettings);

    auto* place = new QFormLayout;
    EdtLeft = field(GBSettings, "EdtLeft", tools::labelLeftMax);
    EdtTop = field(GBSettings, "EdtTop", tools::labelTopMax);
    EdtModule = field(GBSettings, "EdtModule", 0);
    EdtWidth = field(GBSettings, "EdtWidth", tools::labelWidthMax);
    EdtHeight = field(GBSettings, "EdtHeight", tools::labelHeightMax);
    EdtAngle = field(GBSettings, "EdtAngle", tools::labelAngleMax);
    EdtSLeft = field(GBSettings, "EdtSLeft", tools::labelSLeftMax);
    place->addRow(QStringLiteral("Left"), EdtLeft);
    place->addRow(QStringLiteral("Top"), EdtTop);
    place->addRow(QStringLiteral("Width"), EdtWidth);
    place->addRow(QStringLiteral("Height"), EdtHeight);
    // Module, Angle and S.Left are kept in the file only.
    for (QLineEdit* hidden : {EdtModule, EdtAngle, EdtSLeft})
        hidden->setVisible(false);
    panel->addLayout(place);

    auto* options = new QFormLayout;
    CBSymbology = new QComboBox(GBSettings);
    CBSymbology->setObjectName(QStringLiteral("CBSymbology"));
    CBSymbology->addItems(tools::drawableSymbologyTitles()); // sorted by name
    BBFore = button(GBSettings, "BBFore", QString());
    BBBack = button(GBSettings, "BBBack", QString());
    SEBorder = new QSpinBox(GBSettings);
    SEBorder->setObjectName(QStringLiteral("SEBorder"));
    SEBorder->setRange(0, 50);
    SEWhite = new QSpinBox(GBSettings);
    SEWhite->setObjectName(QStringLiteral("SEWhite"));
    SEWhite->setRange(0, 50);
    SEHeight = new QSpinBox(GBSettings);
    SEHeight->setObjectName(QStringLiteral("SEHeight"));
    SEHeight->setRange(5, 500);
    SEDot = new QDoubleSpinBox(GBSettings);
    SEDot->setObjectName(QStringLiteral("SEDot"));
    SEDot->setRange(0.1, 10);
    SEDot->setSingleStep(0.1);
    SEDot->setDecimals(1);
    SEScale = new QDoubleSpinBox(GBSettings);
    SEScale->setObjectName(QStringLiteral("SEScale"));
    SEScale->setRange(0.1, 10);
    SEScale->setSingleStep(0.1);
    SEScale->setDecimals(1);
    CBRotation = new QComboBox(GBSettings);
    CBRotation->setObjectName(QStringLiteral("CBRotation"));
    CBRotation->addItems({QStringLiteral("0"), QStringLiteral("90"), QStringLiteral("180"), QStringLiteral("270")});
    auto addRow = [&](const QString& caption, QWidget* w) {
        auto* l = new QLabel(caption, GBSettings);
        l->setBuddy(w);
        options->addRow(l, w);
    };
    addRow(QStringLiteral("&Symbology:"), CBSymbology);
    addRow(QStringLiteral("&Fore color:"), BBFore);
    addRow(QStringLiteral("&Back color:"), BBBack);
    addRow(QStringLiteral("B&order:"), SEBorder);
    addRow(QStringLiteral("&White space:"), SEWhite);
    addRow(QStringLiteral("&Height:"), SEHeight);
    addRow(QStringLiteral("Dot si&ze:"), SEDot);
    addRow(QStringLiteral("S&cale:"), SEScale);
    addRow(QStringLiteral("&Rotation:"), CBRotation);
    panel->addLayout(options);

    auto* flags = new QVBoxLayout;
    CBShowText = check(GBSettings, "CBShowText", QStringLiteral("Show &text"));
    CBSmall = check(GBSettings, "CBSmall", QStringLiteral("S&mall text"));
    CBBold = check(GBSettings, "CBBold", QStringLiteral("B&old text"));
    CBBars = check(GBSettings, "CBBars", QStringLiteral("B&ars"));
    CBBox = check(GBSettings, "CBBox", QStringLiteral("Bo&x"));
    CBDotty = check(GBSettings, "CBDotty", QStringLiteral("&Dotty"));
    for (QCheckBox* c : {CBShowText, CBSmall, CBBold, CBBars, CBBox, CBDotty})
        flags->addWidget(c);
    flags->addStretch();
    panel->addLayout(flags);
    top->addWidget(GBSettings);
    GBSettings->setEnabled(false);

    LblStatus = new QLabel(this);
    LblStatus->setObjectName(QStringLiteral("LblStatus"));
    LblStatus->setFrameShape(QFrame::StyledPanel);
    LblStatus->setMinimumHeight(22);
    top->addWidget(LblStatus);

    connect(BBPrint, &QPushButton::clicked, this, &TBCodeF::print);
    connect(BBBmp, &QPushButton::clicked, this, [this] { saveBmp(); });
    connect(BBReset, &QPushButton::clicked, this, &TBCodeF::reset);
    connect(BBEdit, &QPushButton::clicked, this, &TBCodeF::edit);
    connect(BBExit, &QPushButton::clicked, this, &QDialog::accept);
    connect(BBFore, &QPushButton::clicked, this, [this] { chooseColor(true); });
    connect(BBBack, &QPushButton::clicked, this, [this] { chooseColor(false); });
    connect(CBSymbology, &QComboBox::currentTextChanged, this, [this] { takeOptions(); });
    connect(CBRotation, &QComboBox::currentIndexChanged, this, [this] { takeOptions(); });
    for (QSpinBox* s : {SEBorder, SEWhite, SEHeight})
        connect(s, &QSpinBox::valueChanged, this, [this] { takeOptions(); });
    for (QDoubleSpinBox* s : {SEDot, SEScale})
        connect(s, &QDoubleSpinBox::valueChanged, this, [this] { takeOptions(); });
    for (QCheckBox* c : {CBShowText, CBSmall, CBBold, CBBars, CBBox, CBDotty})
        connect(c, &QCheckBox::toggled, this, [this] { takeOptions(); });
}

void TBCodeF::setSymbology(tools::Symbology s)
{
    if (!tools::isDrawable(s))
        return;
    CBSymbology->setCurrentText(tools::symbologyTitle(s));
    style_.symbology = s;
    draw();
}

void TBCodeF::takeOptions()
{
    if (!ready_)
        return;
    if (auto s = tools::symbologyFromTitle(CBSymbology->currentText()))
        style_.symbology = *s;
    style_.border = SEBorder->value();
    style_.whiteSpace = SEWhite->value();
    style_.height = SEHeight->value();
    style_.moduleWidth = SEDot->value() * SEScale->value();
    style_.rotation = CBRotation->currentIndex() * 90;
    style_.showText = CBShowText->isChecked();
    style_.smallText = CBSmall->isChecked();
    style_.boldText = CBBold->isChecked();
    style_.bars = CBBars->isChecked();
    style_.box = CBBox->isChecked();
    style_.dotty = CBDotty->isChecked();
    CBSmall->setEnabled(style_.showText);
    CBBold->setEnabled(style_.showText);
    draw();
}

void TBCodeF::chooseColor(bool fore)
{
    const QColor c = QColorDialog::getColor(fore ? style_.fore : style_.back, this,
                                            fore ? QStringLiteral("Fore color") : QStringLiteral("Back color"));
    if (!c.isValid())
        return;
    (fore ? style_.fore : style_.back) = c;
    paintSwatch(fore ? BBFore : BBBack, c);
    draw();
}

void TBCodeF::draw()
{
    LblStatus->clear();
    const tools::BarcodeImage b = tools::drawBarcode(EdtItmNo->text(), style_);
    if (!b.ok()) {
        LblStatus->setText(b.error);
        symbol_ = QImage();
        LblSymbol->clear();
        return;
    }
    symbol_ = b.image;
    LblSymbol->setPixmap(QPixmap::fromImage(symbol_));
}

void TBCodeF::putSettings(const tools::LabelSettings& s)
{
    EdtLeft->setText(s.left);
    EdtTop->setText(s.top);
    EdtModule->setText(s.module);
    EdtWidth->setText(s.width);
    EdtHeight->setText(s.height);
    EdtAngle->setText(s.angle);
    EdtSLeft->setText(s.sLeft);
}

tools::LabelSettings TBCodeF::settings() const
{
    tools::LabelSettings s;
    s.left = EdtLeft->text();
    s.top = EdtTop->text();
    s.module = EdtModule->text();
    s.width = EdtWidth->text();
    s.height = EdtHeight->text();
    s.angle = EdtAngle->text();
    s.sLeft = EdtSLeft->text();
    return s;
}

void TBCodeF::showEvent(QShowEvent* e)
{
    QDialog::showEvent(e);
    if (e->spontaneous())
        return;
    putSettings(tools::readLabelSettings(settingsFile_.isEmpty() ? tools::labelSettingsFile() : settingsFile_));
    EdtItmNo->setText(vItmNo);
    draw();
}

void TBCodeF::edit()
{
    GBSettings->setEnabled(true);
    EdtLeft->setFocus();
}

void TBCodeF::reset()
{
    if (!GBSettings->isEnabled())
        return;
    tools::LabelSettings s = settings();
    s.resetPlacement();
    putSettings(s);
}

void TBCodeF::print()
{
    GBSettings->setEnabled(false);
    const tools::LabelSettings s = settings();
    const QString file = settingsFile_.isEmpty() ? tools::labelSettingsFile() : settingsFile_;
    if (!tools::writeLabelSettings(file, s))
        LblStatus->setText(QStringLiteral("Cannot write ") + file);
    const auto place = s.placement();
    if (!place) {
        for (const QString& v : {s.left, s.top, s.width, s.height}) {
            bool ok = false;
            v.trimmed().toInt(&ok);
            if (!ok) {
                showError(this, notInteger(v));
                return;
            }
        }
        return;
    }
    bool ok = false;
    const int copies = EdtCopies->text().trimmed().toInt(&ok);
    if (!ok || copies < 1) {
        showInformation(this, QStringLiteral("Invalid number of copies."));
        return;
    }

    // The printed symbol is drawn four times finer than the preview, in the same proportions.
    QImage printed;
    if (!symbol_.isNull()) {
        tools::BarcodeStyle fine = style_;
        fine.moduleWidth = std::max(1.0, std::round(style_.moduleWidth)) * 4;
        fine.height = style_.height * 4;
        fine.border = style_.border * 4;
        const tools::BarcodeImage b = tools::drawBarcode(EdtItmNo->text(), fine);
        printed = b.ok() ? b.image : symbol_;
    }
    last_ = LastPrint{};
    last_.doc = tools::labelDocument(vDescr, printed, *place);

    TPrintOptF& opt = options_ ? *options_ : TPrintOptF::shared();
    const auto choice = opt.ask(this, copies, false);
    if (!choice)
        return;
    if (choice->preview) {
        last_.previewed = true;
        if (showPreview_) {
            TPreviewF pv(last_.doc, this);
            pv.exec();
        }
        return;
    }
    last_.printed = copies;
    if (printForReal_) {
        const QString err = printOn(last_.doc, choice->printerName, copies);
        if (!err.isEmpty())
            showError(this, err);
    }
}

bool TBCodeF::saveBmp(const QString& path)
{
    if (symbol_.isNull())
        return false;
    QString file = path;
    if (file.isEmpty()) {
        QFileDialog dlg(this, QStringLiteral("Save Barcode"));
        dlg.setAcceptMode(QFileDialog::AcceptSave);
        dlg.setNameFilter(QStringLiteral("Bitmap (*.bmp)"));
        dlg.setDefaultSuffix(QStringLiteral("bmp"));
        if (dlg.exec() != QDialog::Accepted || dlg.selectedFiles().isEmpty())
            return false;
        file = dlg.selectedFiles().constFirst();
    }
    return symbol_.save(file, "BMP");
}

} // namespace kv::ui
