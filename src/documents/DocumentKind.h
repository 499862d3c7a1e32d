#pragma once
// One descriptor per kind of stock and sales document: where its rows live, how it is numbered,
// which session fields and rights govern it. The entry workflow (Workflow.h) reads nothing else
// about a kind; a new kind is a descriptor here plus a DocumentWriter.
//
//   const DocumentKind& k = documents::quotationKind();
//   if (k.manualNumber(session)) ...        // the number edit is writable
//   k.currentNumber(session) = 12;          // mQuotNo
#include "core/Rights.h"
#include "core/Session.h"
#include <QString>
#include <optional>
#include <vector>

namespace kv::documents {

// Whether a new document may carry a date before the latest document date LTrDate.
enum class BackDating {
    Allowed,               // only the open-year check applies
    UnlessDateEditable,    // refused unless the kind's date flag is "T"
    Refused,               // always refused
};

struct DocumentKind {
    QString screenClass;     // "TQtySoldF"
    QString englishName;     // recorded in mDType when the screen opens
    QString headerTable;     // "TRANS3"
    QString lineTable;       // "TRANS3D"
    QString numberColumn;    // "INVSEL", in both tables
    QString numberProcedure; // "SPTRANS3": reserves a number, returns the last one issued
    QString procedureOutput; // "LINVSEL"
    QString generator;       // "INVSEL_GEN": its value is the last number issued
    QString holdHeaderTable; // "ZGT_TRNS3H", empty for kinds that cannot park a document
    QString holdLineTable;   // "ZGT_TRNS3D"
    QString amountColumn;    // header column whose 0 marks a voided document

    int core::Session::*current = nullptr; // number of the document the screen last showed

    std::optional<core::Right> addRight;
    std::optional<core::Right> deleteRight; // none: the kind offers no delete command

    // Firm flags ("T"/"F"): the number edit is writable / the date edit is writable. Null for kinds
    // that have neither.
    QString core::Session::*manualNumberFlag = nullptr;
    QString core::Session::*dateFlag = nullptr;
    // A writable number is saved as typed (the others always take the procedure's number).
    bool savesTypedNumber = false;
    BackDating backDating = BackDating::Allowed;
    // Opening the screen recomputes LTrDate from this kind's headers (the sales invoice does).
    bool refreshesLatestDate = false;

    // Texts for a typed number that is not usable: zero / already on file.
    QString badNumberText;
    QString numberTakenText;

    bool manualNumber(const core::Session& s) const { return flagSet(s, manualNumberFlag); }
    bool dateEditable(const core::Session& s) const { return flagSet(s, dateFlag); }
    // True when a save keeps the typed number instead of reserving one.
    bool typedNumberSaved(const core::Session& s) const { return savesTypedNumber && manualNumber(s); }
    bool offersDelete() const { return deleteRight.has_value(); }
    bool offersHold() const { return !holdHeaderTable.isEmpty(); }
    int& currentNumber(core::Session& s) const { return s.*current; }
    int currentNumber(const core::Session& s) const { return s.*current; }

private:
    static bool flagSet(const core::Session& s, QString core::Session::*f)
    {
        return f && s.*f == QLatin1String("T");
    }
};

const DocumentKind& salesInvoiceKind();
const DocumentKind& purchaseInvoiceKind();
const DocumentKind& issueVoucherKind();
const DocumentKind& returnVoucherKind();
const DocumentKind& deliveryNoteKind();
const DocumentKind& quotationKind();
const DocumentKind& purchaseOrderKind();

// Every kind, in the order above.
const std::vector<const DocumentKind*>& allKinds();
// The kind a screen class serves ("TQuotF"), or null.
const DocumentKind* kindForScreen(const QString& screenClass);

} // namespace kv::documents
