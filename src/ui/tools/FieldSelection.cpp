#include "ui/tools/FieldSelection.h"

#include "tools/XlsxExport.h"
#include "ui/common/MessageBox.h"
#include "ui/tools/CopyFile.h"

#include <QApplication>
#include <QComboBox>
#include <QDateTime>
#include <QDesktopServices>
#include <QDir>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QStandardPaths>
#include <QStatusBar>
#include <QUrl>
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

struct WaitCursor {
    WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QApplication::restoreOverrideCursor(); }
};

} // namespace

TfrmFieldSelection::TfrmFieldSelection(const std::vector<QString>& captions, QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("TfrmFieldSelection"));
    setWindowTitle(QStringLiteral("Field Selection"));
    setLayoutDirection(Qt::RightToLeft);

    auto* top = new QVBoxLayout(this);
    auto* middle = new QHBoxLayout;
    LBFields = new QListWidget(this);
    LBFields->setObjectName(QStringLiteral("LBFields"));
    for (const QString& c : captions) {
        auto* item = new QListWidgetItem(c, LBFields);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Checked);
    }
    LBFields->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(LBFields, &QListWidget::customContextMenuRequested, this, [this](const QPoint& at) {
        QMenu menu(this);
        menu.addAction(QStringLiteral("Invert selection"), this, &TfrmFieldSelection::invertSelection);
        menu.exec(LBFields->viewport()->mapToGlobal(at));
    });
    middle->addWidget(LBFields, 1);

    auto* side = new QVBoxLayout;
    BBSelectAll = button(this, "BBSelectAll", QStringLiteral("&Select All"));
    BBUnselectAll = button(this, "BBUnselectAll", QStringLiteral("&Unselect All"));
    BBOk = button(this, "BBOk", QStringLiteral("&OK"));
    BBCancel = button(this, "BBCancel", QStringLiteral("&Cancel"));
    BBOk->setDefault(true);
    side->addWidget(BBSelectAll);
    side->addWidget(BBUnselectAll);
    side->addStretch();
    side->addWidget(BBOk);
    side->addWidget(BBCancel);
    middle->addLayout(side);
    top->addLayout(middle, 1);

    auto* limit = new QHBoxLayout;
    auto* lbl = new QLabel(QStringLiteral("Limit number of exported records to:"), this);
    CBLimit = new QComboBox(this);
    CBLimit->setObjectName(QStringLiteral("CBLimit"));
    CBLimit->setEditable(true);
    CBLimit->addItems({QStringLiteral("All"), QStringLiteral("100"), QStringLiteral("200"), QStringLiteral("500"),
                       QStringLiteral("1000"), QStringLiteral("5000")});
    CBLimit->setLayoutDirection(Qt::LeftToRight);
    lbl->setBuddy(CBLimit);
    limit->addWidget(lbl);
    limit->addWidget(CBLimit);
    limit->addStretch();
    top->addLayout(limit);
    setLimitText(QStringLiteral("All"));

    connect(BBSelectAll, &QPushButton::clicked, this, &TfrmFieldSelection::selectAll);
    connect(BBUnselectAll, &QPushButton::clicked, this, &TfrmFieldSelection::unselectAll);
    connect(BBOk, &QPushButton::clicked, this, &TfrmFieldSelection::accept);
    connect(BBCancel, &QPushButton::clicked, this, &TfrmFieldSelection::reject);
    resize(420, 420);
}

std::vector<int> TfrmFieldSelection::checkedFields() const
{
    std::vector<int> out;
    for (int i = 0; i < LBFields->count(); ++i)
        if (LBFields->item(i)->checkState() == Qt::Checked)
            out.push_back(i);
    return out;
}

void TfrmFieldSelection::setChecked(int field, bool on)
{
    if (QListWidgetItem* it = LBFields->item(field))
        it->setCheckState(on ? Qt::Checked : Qt::Unchecked);
}

void TfrmFieldSelection::selectAll()
{
    for (int i = 0; i < LBFields->count(); ++i)
        setChecked(i, true);
}

void TfrmFieldSelection::unselectAll()
{
    for (int i = 0; i < LBFields->count(); ++i)
        setChecked(i, false);
}

void TfrmFieldSelection::invertSelection()
{
    for (int i = 0; i < LBFields->count(); ++i)
        setChecked(i, LBFields->item(i)->checkState() != Qt::Checked);
}

QString TfrmFieldSelection::limitText() const
{
    return CBLimit->currentText();
}

void TfrmFieldSelection::setLimitText(const QString& text)
{
    CBLimit->setEditText(text);
}

void TfrmFieldSelection::accept()
{
    const auto limit = tools::parseRowLimit(limitText());
    if (!limit) {
        showWarning(this, QStringLiteral("You specified an invalid number of records to export!"));
        QDialog::reject();
        return;
    }
    limit_ = *limit;
    QDialog::accept();
}

QString newExportFileName()
{
    const QString dir = QDir::temp().filePath(QStringLiteral("kordavan-export"));
    QDir().mkpath(dir);
    const QString stamp = QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-hhmmss-zzz"));
    return QDir(dir).filePath(QStringLiteral("AbsDb-%1.xlsx").arg(stamp));
}

std::optional<QString> exportToExcel(QWidget* parent, const tools::Table& table, QStatusBar* status, bool openFile,
                                     const QString& fileName)
{
    std::vector<QString> captions;
    for (const tools::Column& c : table.columns)
        captions.push_back(c.caption);
    TfrmFieldSelection dlg(captions, parent);
    if (dlg.exec() != QDialog::Accepted)
        return std::nullopt;

    tools::XlsxOptions o;
    o.columns = dlg.checkedFields();
    o.rowLimit = dlg.rowLimit();
    const QString path = fileName.isEmpty() ? newExportFileName() : fileName;
    QString err;
    {
        WaitCursor wait;
        err = tools::writeXlsx(path, table, o);
    }
    if (!err.isEmpty()) {
        showError(parent, err);
        return std::nullopt;
    }
    const std::size_t written = std::min(table.rows.size(), std::size_t(o.rowLimit));
    if (status)
        status->showMessage(QStringLiteral(" Successfully exported %1 records to Excel").arg(written));
    if (openFile && !QDesktopServices::openUrl(QUrl::fromLocalFile(path)))
        showError(parent, QStringLiteral("تعذر فتح الملف: ") + QDir::toNativeSeparators(path));
    return path;
}

std::optional<QString> exportToExcelFile(QWidget* parent, const tools::Table& table, const QString& sheetName,
                                         const QString& folder, bool showCopyWindow)
{
    const QString dir = folder.isEmpty() ? QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation) : folder;
    QDir().mkpath(dir);
    const QString name = QStringLiteral("ExcelFile.xlsx");
    const QString path = QDir(dir).filePath(name);
    tools::XlsxOptions o;
    o.sheetName = sheetName;
    o.autoFit = true;
    o.sumRow = true;
    QString err;
    {
        WaitCursor wait;
        err = tools::writeXlsx(path, table, o);
    }
    if (!err.isEmpty()) {
        showError(parent, err);
        return std::nullopt;
    }
    if (showCopyWindow) {
        TCopyFileF copy(dir, name, parent);
        copy.exec();
    }
    return path;
}

} // namespace kv::ui
