#pragma once
// The 13 address and identity fields of a customer (ACCT) or of an invoice's buyer, as rows of a
// grid: Arabic label | Arabic value | English value | English label. The account's address window
// and the invoice's client window both show them.
#include "masters/Accounts.h"
#include <QList>

class QGridLayout;
class QLineEdit;
class QWidget;

namespace kv::ui {

class AddressFields {
public:
    // Adds the rows to `grid` from row 0; the postal code takes `pcodeLength` characters (the
    // account keeps 5, the invoice 10).
    AddressFields(QWidget* parent, QGridLayout* grid, int pcodeLength);

    void set(const masters::AccountAddress& a);
    // The fields as typed, each trimmed when `trimmed`.
    masters::AccountAddress get(bool trimmed = false) const;
    const QList<QLineEdit*>& edits() const { return edits_; }

    QLineEdit *BuildNo = nullptr, *StreetNm = nullptr, *StreetNmE = nullptr, *District = nullptr,
              *DistrictE = nullptr, *City = nullptr, *CityE = nullptr, *Country = nullptr, *CountryE = nullptr,
              *PCode = nullptr, *AddrN2 = nullptr, *OtherID = nullptr, *TaxCode = nullptr;

private:
    QList<QLineEdit*> edits_;
};

} // namespace kv::ui
