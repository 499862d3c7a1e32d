#include "ui/tools/PrintOpt.h"

#include "tools/PrintSettings.h"
#include "ui/common/EnterMovesNext.h"

#include <QApplication>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPrinterInfo>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace kv::ui {

TPrintOptF::TPrintOptF(QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("TPrintOptF"));
    setWindowTitle(QStringLiteral("خيارات الطباعة  -  Print Options"));
    setLayoutDirection(Qt::RightToLeft);

    auto* top = new QVBoxLayout(this);
    auto* kind = new QHBoxLayout;
    RBPrint = new QRadioButton(QStringLiteral("Print"), this);
    RBPrint->setObjectName(QStringLiteral("RBPrint"));
    RBPreview = new QRadioButton(QStringLiteral("Preview"), this);
    RBPreview->setObjectName(QStringLiteral("RBPreview"));
    RBPrint->setChecked(true);
    kind->addWidget(RBPrint);
    kind->addWidget(RBPreview);
    kind->addStretch();
    top->addLayout(kind);

    GBPrinter = new QGroupBox(QStringLiteral(" Selected Printer "), this);
    GBPrinter->setObjectName(QStringLiteral("GBPrinter"));
    auto* form = new QFormLayout(GBPrinter);
    CBPrinters = new QComboBox(GBPrinter);
    CBPrinters->setObjectName(QStringLiteral("CBPrinters"));
    CBPrinters->setMinimumWidth(280);
    CBPrinters->setLayoutDirection(Qt::LeftToRight);
    form->addRow(CBPrinters);
    SECopies = new QSpinBox(GBPrinter);
    SECopies->setObjectName(QStringLiteral("SECopies"));
    SECopies->setRange(1, 999);
    form->addRow(QStringLiteral("عدد النسخ - Copies"), SECopies);
    top->addWidget(GBPrinter);

    auto* buttons = new QHBoxLayout;
    BBOk = new QPushButton(QStringLiteral("موافق - Ok"), this);
    BBOk->setObjectName(QStringLiteral("BBOk"));
    BBCancel = new QPushButton(QStringLiteral("إلغاء الأمر - Cancel"), this);
    BBCancel->setObjectName(QStringLiteral("BBCancel"));
    buttons->addStretch();
    buttons->addWidget(BBOk);
    buttons->addWidget(BBCancel);
    top->addLayout(buttons);
    connect(BBOk, &QPushButton::clicked, this, &QDialog::accept);
    connect(BBCancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(RBPreview, &QRadioButton::toggled, this, [this](bool preview) { SECopies->setEnabled(!preview); });
    EnterMovesNext::install(this);
    BBOk->setDefault(true); // Enter confirms, Escape cancels
}

TPrintOptF& TPrintOptF::shared()
{
    static TPrintOptF* dialog = [] {
        auto* d = new TPrintOptF;
        QObject::connect(qApp, &QCoreApplication::aboutToQuit, d, &QObject::deleteLater);
        return d;
    }();
    return *dialog;
}

void TPrintOptF::setUser(const QString& user)
{
    if (user == user_ && rememberedLoaded_)
        return;
    user_ = user;
    remembered_ = tools::rememberedPrinter(user);
    rememberedLoaded_ = true;
}

void TPrintOptF::setPrinterList(const QStringList& names)
{
    fixedList_ = names;
}

void TPrintOptF::useInstalledPrinters()
{
    fixedList_.reset();
}

QStringList TPrintOptF::printers() const
{
    return fixedList_ ? *fixedList_ : QPrinterInfo::availablePrinterNames();
}

void TPrintOptF::fillPrinters()
{
    const QStringList names = printers();
    CBPrinters->clear();
    CBPrinters->addItems(names);
    // The printer chosen last in this run, else the user's from an earlier run, else the
    // system's default printer.
    int index = names.indexOf(remembered_);
    if (index < 0 && !fixedList_)
        index = names.indexOf(QPrinterInfo::defaultPrinterName());
    if (index < 0 && !names.isEmpty())
        index = 0;
    CBPrinters->setCurrentIndex(index);
    const bool any = !names.isEmpty();
    RBPrint->setEnabled(any);
    if (!any)
        RBPreview->setChecked(true);
}

std::optional<PrintChoice> TPrintOptF::ask(QWidget* parent, int defaultCopies, bool allowCopies, bool allowPreview)
{
    if (!rememberedLoaded_)
        setUser(user_);
    if (parent && parentWidget() != parent)
        setParent(parent, windowFlags() | Qt::Dialog);
    fillPrinters();
    RBPreview->setEnabled(allowPreview);
    if (!allowPreview && RBPrint->isEnabled())
        RBPrint->setChecked(true);
    SECopies->setValue(std::max(1, defaultCopies));
    SECopies->setVisible(allowCopies);
    if (auto* form = qobject_cast<QFormLayout*>(GBPrinter->layout()))
        if (QWidget* label = form->labelForField(SECopies))
            label->setVisible(allowCopies);
    SECopies->setEnabled(!RBPreview->isChecked());
    BBOk->setFocus();

    const int result = exec();
    setParent(nullptr, windowFlags());
    // The printer index is remembered on close, whichever button closed the dialog.
    const QString chosen = CBPrinters->currentText();
    if (!chosen.isEmpty() && chosen != remembered_) {
        remembered_ = chosen;
        if (!user_.isEmpty())
            tools::rememberPrinter(user_, chosen);
    }
    if (result != QDialog::Accepted)
        return std::nullopt;
    PrintChoice c;
    c.preview = RBPreview->isChecked();
    c.printerName = chosen;
    c.copies = allowCopies ? SECopies->value() : std::max(1, defaultCopies);
    return c;
}

} // namespace kv::ui
