#include "ui/documents/SalesWindows.h"

#include "ui/common/EnterMovesNext.h"
#include "ui/common/Format.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace kv::ui {

TItemHistF::TItemHistF(const QString& itemDescr, const QList<documents::SaleHistoryRow>& rows, QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("TItemHistF"));
    setLayoutDirection(Qt::RightToLeft);
    setWindowTitle(documents::itemHistoryCaption(itemDescr, int(rows.size())));
    auto* l = new QVBoxLayout(this);
    Grid = new QTableWidget(int(rows.size()), 7, this);
    Grid->setObjectName(QStringLiteral("DBGrid1"));
    Grid->setHorizontalHeaderLabels({QStringLiteral("رقم الفاتورة"), QStringLiteral("الـتــــاريـــخ"),
                                     QStringLiteral("رقم الحسـاب"), QStringLiteral("رقم الصـنف"),
                                     QStringLiteral("الـكـمـيـة"), QStringLiteral("السـعر"),
                                     QStringLiteral("الـمـبــلـغ")});
    Grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    Grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    Grid->verticalHeader()->hide();
    Grid->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    for (int r = 0; r < rows.size(); ++r) {
        const documents::SaleHistoryRow& h = rows[r];
        const QString cells[] = {QString::number(h.INVSEL), formatDate(h.TRDATE), h.ACCTNO, h.ITEMNO,
                                 format4(h.QTYSOLD.toDecimal()), format4(h.UPRICE.toDecimal()),
                                 format2(h.value.toDecimal())};
        for (int c = 0; c < 7; ++c) {
            auto* item = new QTableWidgetItem(cells[c]);
            item->setTextAlignment(Qt::AlignCenter);
            Grid->setItem(r, c, item);
        }
    }
    l->addWidget(Grid);
    auto* close = new QPushButton(QStringLiteral("خروج"), this);
    close->setObjectName(QStringLiteral("BBExit"));
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    l->addWidget(close, 0, Qt::AlignLeft);
    resize(720, 380);
}

TClntInfoF::TClntInfoF(const masters::AccountAddress& a, QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("TClntInfoF"));
    setLayoutDirection(Qt::RightToLeft);
    setWindowTitle(QStringLiteral("Client Info"));
    auto* top = new QVBoxLayout(this);
    auto* grid = new QGridLayout;
    fields = std::make_unique<AddressFields>(this, grid, 10);
    fields->set(a);
    top->addLayout(grid);

    CBUpdate = new QCheckBox(QStringLiteral("  Update Address - تحديث من ملف العميل"), this);
    CBUpdate->setObjectName(QStringLiteral("CBUpdate"));
    top->addWidget(CBUpdate);

    auto* buttons = new QHBoxLayout;
    BBEdit = new QPushButton(QStringLiteral("Edit"), this);
    BBEdit->setObjectName(QStringLiteral("BBEdit"));
    BBOk = new QPushButton(QStringLiteral("Ok"), this);
    BBOk->setObjectName(QStringLiteral("BBOk"));
    BBCancel = new QPushButton(QStringLiteral("Cancel"), this);
    BBCancel->setObjectName(QStringLiteral("BBCancel"));
    buttons->addWidget(BBEdit);
    buttons->addStretch(1);
    buttons->addWidget(BBOk);
    buttons->addWidget(BBCancel);
    top->addLayout(buttons);
    connect(BBEdit, &QPushButton::clicked, this, [this] { setEditing(true); });
    connect(BBOk, &QPushButton::clicked, this, &QDialog::accept);
    connect(BBCancel, &QPushButton::clicked, this, &QDialog::reject);
    EnterMovesNext::install(this);
    setEditing(false);
    resize(760, 440);
}

void TClntInfoF::setEditing(bool on)
{
    for (QLineEdit* e : fields->edits()) e->setReadOnly(!on);
    BBEdit->setEnabled(!on);
    if (on) fields->BuildNo->setFocus();
}

masters::AccountAddress TClntInfoF::address() const { return fields->get(true); }

bool TClntInfoF::updateFromAccount() const { return CBUpdate->isChecked(); }

} // namespace kv::ui
