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
    int row = 0;
    const auto box = [this](const QString& name, int length, bool english, const QString& value) {
        auto* e = new QLineEdit(value, this);
        e->setObjectName(name);
        e->setMaxLength(length);
        if (english) e->setLayoutDirection(Qt::LeftToRight);
        edits_.push_back(e);
        return e;
    };
    const auto twin = [&](const QString& arabic, QLineEdit* ar, QLineEdit* en, const QString& english) {
        grid->addWidget(new QLabel(arabic, this), row, 0);
        grid->addWidget(ar, row, 1);
        if (en) grid->addWidget(en, row, 2);
        grid->addWidget(new QLabel(english, this), row, 3);
        ++row;
    };
    DBEBuildNo = box(QStringLiteral("DBEBuildNo"), 10, false, a.BUILDNO);
    twin(QStringLiteral("رقم المبـنى"), DBEBuildNo, nullptr, QStringLiteral("Building No."));
    DBEStreetNm = box(QStringLiteral("DBEStreetNm"), 40, false, a.STREETNM);
    DBEStreetNmE = box(QStringLiteral("DBEStreetNmE"), 40, true, a.STREETNME);
    twin(QStringLiteral("اســم الشـارع"), DBEStreetNm, DBEStreetNmE, QStringLiteral("Street"));
    DBEDistrict = box(QStringLiteral("DBEDistrict"), 40, false, a.DISTRICT);
    DBEDistrictE = box(QStringLiteral("DBEDistrictE"), 40, true, a.DISTRICTE);
    twin(QStringLiteral("الحـي"), DBEDistrict, DBEDistrictE, QStringLiteral("District"));
    DBECity = box(QStringLiteral("DBECity"), 20, false, a.CITY);
    DBECityE = box(QStringLiteral("DBECityE"), 20, true, a.CITYE);
    twin(QStringLiteral("المديـنـة"), DBECity, DBECityE, QStringLiteral("City"));
    DBECountry = box(QStringLiteral("DBECountry"), 40, false, a.COUNTRY);
    DBECountryE = box(QStringLiteral("DBECountryE"), 40, true, a.COUNTRYE);
    twin(QStringLiteral("البـلد"), DBECountry, DBECountryE, QStringLiteral("Country"));
    DBEPCode = box(QStringLiteral("DBEPCode"), 10, false, a.PCODE);
    twin(QStringLiteral("الرمز البريـدي"), DBEPCode, nullptr, QStringLiteral("Postal Code"));
    DBEAddrN2 = box(QStringLiteral("DBEAddrN2"), 10, false, a.ADDRN2);
    twin(QStringLiteral("الرقم الإضافي"), DBEAddrN2, nullptr, QStringLiteral("Add. No."));
    DBETaxCode = box(QStringLiteral("DBETaxCode"), 20, false, a.TAXCODE);
    twin(QStringLiteral("الرقم الضريبي"), DBETaxCode, nullptr, QStringLiteral("VAT No."));
    DBEOtherID = box(QStringLiteral("DBEOtherID"), 40, false, a.OTHERID);
    twin(QStringLiteral("معـرف آخـر"), DBEOtherID, nullptr, QStringLiteral("Other ID"));
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(2, 1);
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
    for (QLineEdit* e : edits_) e->setReadOnly(!on);
    BBEdit->setEnabled(!on);
    if (on) DBEBuildNo->setFocus();
}

masters::AccountAddress TClntInfoF::address() const
{
    masters::AccountAddress a;
    a.BUILDNO = DBEBuildNo->text().trimmed();
    a.STREETNM = DBEStreetNm->text().trimmed();
    a.STREETNME = DBEStreetNmE->text().trimmed();
    a.DISTRICT = DBEDistrict->text().trimmed();
    a.DISTRICTE = DBEDistrictE->text().trimmed();
    a.CITY = DBECity->text().trimmed();
    a.CITYE = DBECityE->text().trimmed();
    a.COUNTRY = DBECountry->text().trimmed();
    a.COUNTRYE = DBECountryE->text().trimmed();
    a.PCODE = DBEPCode->text().trimmed();
    a.ADDRN2 = DBEAddrN2->text().trimmed();
    a.TAXCODE = DBETaxCode->text().trimmed();
    a.OTHERID = DBEOtherID->text().trimmed();
    return a;
}

bool TClntInfoF::updateFromAccount() const { return CBUpdate->isChecked(); }

} // namespace kv::ui
