#include "ui/common/AddressFields.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>

namespace kv::ui {

AddressFields::AddressFields(QWidget* parent, QGridLayout* grid, int pcodeLength)
{
    int row = 0;
    const auto box = [&](const char* name, int maxLength, bool latin) {
        auto* e = new QLineEdit(parent);
        e->setObjectName(QString::fromLatin1(name));
        e->setMaxLength(maxLength);
        if (latin)
            e->setLayoutDirection(Qt::LeftToRight);
        edits_ << e;
        return e;
    };
    const auto twin = [&](const QString& arabic, QLineEdit* ar, QLineEdit* en, const QString& english) {
        grid->addWidget(new QLabel(arabic, parent), row, 0);
        grid->addWidget(ar, row, 1);
        if (en)
            grid->addWidget(en, row, 2);
        auto* l = new QLabel(english, parent);
        l->setLayoutDirection(Qt::LeftToRight);
        grid->addWidget(l, row, 3);
        ++row;
    };
    BuildNo = box("DBEBuildNo", 10, false);
    twin(QStringLiteral("رقم المبـنى"), BuildNo, nullptr, QStringLiteral("Building No."));
    StreetNm = box("DBEStreetNm", 40, false);
    StreetNmE = box("DBEStreetNmE", 40, true);
    twin(QStringLiteral("اســم الشـارع"), StreetNm, StreetNmE, QStringLiteral("Street"));
    District = box("DBEDistrict", 40, false);
    DistrictE = box("DBEDistrictE", 40, true);
    twin(QStringLiteral("الحـي"), District, DistrictE, QStringLiteral("District"));
    City = box("DBECity", 20, false);
    CityE = box("DBECityE", 20, true);
    twin(QStringLiteral("المديـنـة"), City, CityE, QStringLiteral("City"));
    Country = box("DBECountry", 40, false);
    CountryE = box("DBECountryE", 40, true);
    twin(QStringLiteral("البـلد"), Country, CountryE, QStringLiteral("Country"));
    PCode = box("DBEPCode", pcodeLength, false);
    twin(QStringLiteral("الرمز البريـدي"), PCode, nullptr, QStringLiteral("Postal Code"));
    AddrN2 = box("DBEAddrN2", 10, false);
    twin(QStringLiteral("الرقم الإضافي"), AddrN2, nullptr, QStringLiteral("Add. No."));
    OtherID = box("DBEOtherID", 40, false);
    twin(QStringLiteral("معـرف آخـر"), OtherID, nullptr, QStringLiteral("Other ID"));
    TaxCode = box("DBETaxCode", 20, false);
    twin(QStringLiteral("الرقم الضريبي"), TaxCode, nullptr, QStringLiteral("VAT No."));
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(2, 1);
}

void AddressFields::set(const masters::AccountAddress& a)
{
    BuildNo->setText(a.BUILDNO);
    StreetNm->setText(a.STREETNM);
    StreetNmE->setText(a.STREETNME);
    District->setText(a.DISTRICT);
    DistrictE->setText(a.DISTRICTE);
    City->setText(a.CITY);
    CityE->setText(a.CITYE);
    Country->setText(a.COUNTRY);
    CountryE->setText(a.COUNTRYE);
    PCode->setText(a.PCODE);
    AddrN2->setText(a.ADDRN2);
    OtherID->setText(a.OTHERID);
    TaxCode->setText(a.TAXCODE);
}

masters::AccountAddress AddressFields::get(bool trimmed) const
{
    const auto t = [trimmed](const QLineEdit* e) { return trimmed ? e->text().trimmed() : e->text(); };
    masters::AccountAddress a;
    a.BUILDNO = t(BuildNo);
    a.STREETNM = t(StreetNm);
    a.STREETNME = t(StreetNmE);
    a.DISTRICT = t(District);
    a.DISTRICTE = t(DistrictE);
    a.CITY = t(City);
    a.CITYE = t(CityE);
    a.COUNTRY = t(Country);
    a.COUNTRYE = t(CountryE);
    a.PCODE = t(PCode);
    a.ADDRN2 = t(AddrN2);
    a.OTHERID = t(OtherID);
    a.TAXCODE = t(TaxCode);
    return a;
}

} // namespace kv::ui
