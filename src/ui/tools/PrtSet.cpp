#include "ui/tools/PrtSet.h"

#include "db/Error.h"
#include "tools/Barcode.h"
#include "ui/common/EnterMovesNext.h"
#include "ui/common/MessageBox.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleValidator>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QToolButton>
#include <QVBoxLayout>

namespace kv::ui {

namespace {

QString marginError()
{
    return QStringLiteral("حجم الهامش غير صحيح.");
}

QLineEdit* valueEdit(QWidget* parent, const char* name, QValidator* v, int maxLength = 0)
{
    auto* e = new QLineEdit(parent);
    e->setObjectName(QString::fromLatin1(name));
    e->setLayoutDirection(Qt::LeftToRight);
    e->setAlignment(Qt::AlignLeft);
    if (v) {
        v->setParent(e);
        e->setValidator(v);
    }
    if (maxLength > 0)
        e->setMaxLength(maxLength);
    return e;
}

QToolButton* tool(QWidget* parent, const char* name, const QString& text, const QString& tip)
{
    auto* b = new QToolButton(parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setText(text);
    b->setToolTip(tip);
    b->setToolButtonStyle(Qt::ToolButtonTextOnly);
    return b;
}

QString marginText(std::optional<double> m)
{
    return m ? QLocale::c().toString(*m, 'g', 6) : QString();
}

int wholeOr0(const QLineEdit* e)
{
    return e->text().trimmed().toInt();
}

QString dbErrorText(const core::Session& s, const db::DbError& e)
{
    if (e.isBusy())
        return s.msg.mInUse.isEmpty() ? QStringLiteral("الملف مشغول الآن. حاول مرة أخرى") : s.msg.mInUse;
    return e.text();
}

} // namespace

TPrtSetF::TPrtSetF(core::Session& session, QWidget* parent)
    : QDialog(parent), s_(session)
{
    setObjectName(QStringLiteral("TPrtSetF"));
    setWindowTitle(QStringLiteral(" Printing Settings"));
    setLayoutDirection(Qt::RightToLeft);

    auto* top = new QVBoxLayout(this);
    auto* bar = new QHBoxLayout;
    SBExit = tool(this, "SBExit", QStringLiteral("خروج"), QStringLiteral("خروج  Exit"));
    SBEdit = tool(this, "SBEdit", QStringLiteral("تعديل"), QStringLiteral("تعديل  Edit"));
    SBSave = tool(this, "SBSave", QStringLiteral("حفظ"), QStringLiteral("حفظ  Save"));
    SBCancel = tool(this, "SBCancel", QStringLiteral("تراجع"), QStringLiteral("تراجع  Cancel"));
    BBDefaults = new QPushButton(QStringLiteral("&Defaults"), this);
    BBDefaults->setObjectName(QStringLiteral("BBDefaults"));
    bar->addWidget(SBExit);
    bar->addWidget(SBEdit);
    bar->addWidget(SBSave);
    bar->addWidget(SBCancel);
    bar->addStretch();
    bar->addWidget(BBDefaults);
    top->addLayout(bar);

    GBMargins = new QGroupBox(QStringLiteral(" Margins"), this);
    GBMargins->setObjectName(QStringLiteral("GBMargins"));
    auto* mForm = new QFormLayout(GBMargins);
    // Digits and a point only; the size itself is checked on saving.
    auto marginValidator = [] {
        return new QRegularExpressionValidator(QRegularExpression(QStringLiteral("\\d{0,2}(\\.\\d{0,4})?")));
    };
    EdtTop = valueEdit(GBMargins, "EdtTop", marginValidator(), 8);
    EdtLeft = valueEdit(GBMargins, "EdtLeft", marginValidator(), 8);
    mForm->addRow(QStringLiteral("Top"), EdtTop);
    mForm->addRow(QStringLiteral("Left"), EdtLeft);
    top->addWidget(GBMargins);

    GBBarcode = new QGroupBox(QStringLiteral(" Barcode Settings "), this);
    GBBarcode->setObjectName(QStringLiteral("GBBarcode"));
    auto* bForm = new QFormLayout(GBBarcode);
    EdtBCLeft = valueEdit(GBBarcode, "EdtBCLeft", new QIntValidator(0, 32767), 5);
    EdtBCTop = valueEdit(GBBarcode, "EdtBCTop", new QIntValidator(0, 32767), 5);
    EdtBCHeight = valueEdit(GBBarcode, "EdtBCHeight", new QIntValidator(0, 32767), 5);
    EdtBCModule = valueEdit(GBBarcode, "EdtBCModule", new QIntValidator(0, 32767), 5);
    auto* angle = new QDoubleValidator(-360, 360, 2);
    angle->setLocale(QLocale::c());
    angle->setNotation(QDoubleValidator::StandardNotation);
    EdtBCAngel = valueEdit(GBBarcode, "EdtBCAngel", angle, 7);
    EdtBCTitle = new QLineEdit(GBBarcode);
    EdtBCTitle->setObjectName(QStringLiteral("EdtBCTitle"));
    EdtBCTitle->setMaxLength(25);
    CBType = new QComboBox(GBBarcode);
    CBType->setObjectName(QStringLiteral("CBType"));
    CBType->addItems(tools::symbologyTypeNames());
    CBType->setLayoutDirection(Qt::LeftToRight);
    CBUse = new QCheckBox(QStringLiteral("Use Barcode"), GBBarcode);
    CBUse->setObjectName(QStringLiteral("CBUse"));
    CBChkSum = new QCheckBox(QStringLiteral("ChechSum"), GBBarcode);
    CBChkSum->setObjectName(QStringLiteral("CBChkSum"));
    bForm->addRow(QStringLiteral("Left"), EdtBCLeft);
    bForm->addRow(QStringLiteral("Top"), EdtBCTop);
    bForm->addRow(QStringLiteral("Height"), EdtBCHeight);
    bForm->addRow(QStringLiteral("Module"), EdtBCModule);
    bForm->addRow(QStringLiteral("Angel"), EdtBCAngel);
    bForm->addRow(QStringLiteral("Title"), EdtBCTitle);
    bForm->addRow(CBType);
    auto* checks = new QHBoxLayout;
    checks->addWidget(CBUse);
    checks->addWidget(CBChkSum);
    checks->addStretch();
    bForm->addRow(checks);
    top->addWidget(GBBarcode);

    connect(SBExit, &QToolButton::clicked, this, &TPrtSetF::reject);
    connect(SBEdit, &QToolButton::clicked, this, &TPrtSetF::edit);
    connect(SBSave, &QToolButton::clicked, this, [this] { save(); });
    connect(SBCancel, &QToolButton::clicked, this, &TPrtSetF::cancel);
    connect(BBDefaults, &QPushButton::clicked, this, &TPrtSetF::defaults);
    EnterMovesNext::install(this);
    load();
}

void TPrtSetF::load()
{
    try {
        margins_ = tools::readUserMargins(*s_.FirmDB, s_.UNM);
        layout_ = tools::readBarcodeLayout(*s_.FirmDB);
    } catch (const db::DbError& e) {
        showError(this, dbErrorText(s_, e));
    }
    showValues(margins_, layout_);
    setEditing(false);
}

void TPrtSetF::showValues(const tools::UserMargins& m, const tools::BarcodeLayout& b)
{
    EdtTop->setText(marginText(m.TMAR));
    EdtLeft->setText(marginText(m.LMAR));
    EdtBCLeft->setText(QString::number(b.left));
    EdtBCTop->setText(QString::number(b.top));
    EdtBCHeight->setText(QString::number(b.height));
    EdtBCModule->setText(QString::number(b.module));
    EdtBCAngel->setText(QLocale::c().toString(b.angle, 'g', 6));
    EdtBCTitle->setText(b.title);
    CBType->setCurrentIndex(b.type >= 0 && b.type < CBType->count() ? b.type : -1);
    CBUse->setChecked(b.use);
    CBChkSum->setChecked(b.checkSum);
}

void TPrtSetF::setEditing(bool on)
{
    editing_ = on;
    GBMargins->setEnabled(on);
    GBBarcode->setEnabled(on);
    SBEdit->setEnabled(!on);
    SBSave->setEnabled(on);
    SBCancel->setEnabled(on);
}

void TPrtSetF::edit()
{
    if (editing_)
        return;
    setEditing(true);
    if (EdtTop->text().trimmed().isEmpty())
        EdtTop->setText(QStringLiteral("0.394"));
    if (EdtLeft->text().trimmed().isEmpty())
        EdtLeft->setText(QStringLiteral("0.174"));
    EdtTop->setFocus();
    EdtTop->selectAll();
}

tools::BarcodeLayout TPrtSetF::collectLayout() const
{
    tools::BarcodeLayout b;
    b.left = wholeOr0(EdtBCLeft);
    b.top = wholeOr0(EdtBCTop);
    b.height = wholeOr0(EdtBCHeight);
    b.module = wholeOr0(EdtBCModule);
    b.angle = EdtBCAngel->text().trimmed().toDouble();
    b.title = EdtBCTitle->text().trimmed();
    b.type = std::max(0, CBType->currentIndex());
    b.use = CBUse->isChecked();
    b.checkSum = CBChkSum->isChecked();
    return b;
}

bool TPrtSetF::save()
{
    if (!editing_)
        return false;
    const auto top = tools::parseMargin(EdtTop->text());
    if (!tools::isValidMargin(top)) {
        showError(this, marginError());
        EdtTop->setFocus();
        return false;
    }
    const auto left = tools::parseMargin(EdtLeft->text());
    if (!tools::isValidMargin(left)) {
        showError(this, marginError());
        EdtLeft->setFocus();
        return false;
    }
    const tools::BarcodeLayout b = collectLayout();
    try {
        tools::saveInvoiceMargins(*s_.FirmDB, s_.UNM, *top, *left);
        tools::saveBarcodeLayout(*s_.FirmDB, b);
    } catch (const db::DbError& e) {
        showError(this, dbErrorText(s_, e));
        return false;
    }
    layout_ = b;
    margins_.TMAR = top;
    margins_.LMAR = left;
    setEditing(false);
    tools::applyToSession(s_, b);
    accept();
    return true;
}

void TPrtSetF::cancel()
{
    if (!editing_)
        return;
    showValues(margins_, layout_);
    setEditing(false);
}

void TPrtSetF::defaults()
{
    const bool wasEditing = editing_;
    try {
        tools::saveDefaults(*s_.FirmDB, s_.UNM);
        margins_ = tools::readUserMargins(*s_.FirmDB, s_.UNM);
        layout_ = tools::readBarcodeLayout(*s_.FirmDB);
    } catch (const db::DbError& e) {
        showError(this, dbErrorText(s_, e));
        return;
    }
    tools::applyToSession(s_, layout_);
    showValues(margins_, layout_);
    setEditing(wasEditing);
}

void TPrtSetF::reject()
{
    cancel();
    QDialog::reject();
}

} // namespace kv::ui
