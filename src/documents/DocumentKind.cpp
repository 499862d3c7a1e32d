#include "documents/DocumentKind.h"

namespace kv::documents {

using core::Right;
using core::Session;

namespace {

// Header, lines and numbering share one naming pattern: table, table + "D", the number column,
// "SP" + procedure, "L" + column, column + "_GEN".
DocumentKind numbered(const char* screen, const char* english, const char* table, const char* column,
                      const char* procedure, int Session::*current)
{
    DocumentKind k;
    k.screenClass = QString::fromLatin1(screen);
    k.englishName = QString::fromLatin1(english);
    k.headerTable = QString::fromLatin1(table);
    k.lineTable = k.headerTable + QLatin1Char('D');
    k.numberColumn = QString::fromLatin1(column);
    k.numberProcedure = QString::fromLatin1(procedure);
    k.procedureOutput = QLatin1Char('L') + k.numberColumn;
    k.generator = k.numberColumn + QLatin1String("_GEN");
    k.amountColumn = QStringLiteral("AMOUNT");
    k.current = current;
    return k;
}

const QString voucherNumberTaken = QStringLiteral("رقم السند موجود مسبقا");

} // namespace

const DocumentKind& salesInvoiceKind()
{
    static const DocumentKind k = [] {
        DocumentKind k = numbered("TQtySoldF", "Sales Invoice", "TRANS3", "INVSEL", "SPTRANS3", &Session::mInvSel);
        k.holdHeaderTable = QStringLiteral("ZGT_TRNS3H");
        k.holdLineTable = QStringLiteral("ZGT_TRNS3D");
        k.addRight = Right::T05;
        k.manualNumberFlag = &Session::gNQSld;
        k.dateFlag = &Session::gDQSld;
        k.backDating = BackDating::UnlessDateEditable;
        k.refreshesLatestDate = true;
        k.badNumberText = QStringLiteral("رقم الفاتورة غير صحيح");
        return k;
    }();
    return k;
}

const DocumentKind& purchaseInvoiceKind()
{
    static const DocumentKind k = [] {
        DocumentKind k = numbered("TQtyInF", "Entry Voucher", "TRANS1", "INVIN", "SPTRANS1", &Session::mInvIn);
        k.holdHeaderTable = QStringLiteral("ZGT_TRNS1H");
        k.holdLineTable = QStringLiteral("ZGT_TRNS1D");
        k.addRight = Right::T01;
        k.deleteRight = Right::T02;
        k.manualNumberFlag = &Session::gNQin;
        k.dateFlag = &Session::gDQin;
        k.savesTypedNumber = true;
        k.backDating = BackDating::UnlessDateEditable;
        k.badNumberText = QStringLiteral("رقم التوريد غيرصحيح");
        k.numberTakenText = voucherNumberTaken;
        return k;
    }();
    return k;
}

const DocumentKind& issueVoucherKind()
{
    static const DocumentKind k = [] {
        DocumentKind k = numbered("TQtyOutF", "Issue Voucher", "TRANS2", "INVOUT", "SPTRANS2", &Session::mInvOut);
        k.holdHeaderTable = QStringLiteral("ZGT_TRNS2H");
        k.holdLineTable = QStringLiteral("ZGT_TRNS2D");
        k.addRight = Right::T03;
        k.deleteRight = Right::T04;
        k.manualNumberFlag = &Session::gNQOut;
        k.dateFlag = &Session::gDQOut;
        k.savesTypedNumber = true;
        k.badNumberText = QStringLiteral("السند غير صحيح");
        k.numberTakenText = QStringLiteral("Issue Voucher No. already exists");
        return k;
    }();
    return k;
}

const DocumentKind& returnVoucherKind()
{
    static const DocumentKind k = [] {
        DocumentKind k = numbered("TQtyRetF", "Sales Return", "TRANS4", "INVRET", "SPTRANS4", &Session::mInvRet);
        k.addRight = Right::T07;
        k.manualNumberFlag = &Session::gNQRet;
        k.dateFlag = &Session::gDQRet;
        k.backDating = BackDating::UnlessDateEditable;
        k.numberTakenText = voucherNumberTaken;
        return k;
    }();
    return k;
}

const DocumentKind& deliveryNoteKind()
{
    static const DocumentKind k = [] {
        DocumentKind k = numbered("TQtyReqF", "Sales Order", "QREQ", "QREQNO", "SPQREQ", &Session::mQReqNo);
        k.addRight = Right::T28;
        k.deleteRight = Right::T28;
        k.backDating = BackDating::Refused;
        return k;
    }();
    return k;
}

const DocumentKind& quotationKind()
{
    static const DocumentKind k = [] {
        DocumentKind k = numbered("TQuotF", "Quotation", "QUOT", "QUOTNO", "SPQUOT", &Session::mQuotNo);
        k.addRight = Right::T29;
        k.deleteRight = Right::T29;
        k.backDating = BackDating::Refused;
        return k;
    }();
    return k;
}

const DocumentKind& purchaseOrderKind()
{
    static const DocumentKind k = [] {
        DocumentKind k = numbered("TPOrderF", "Purchase Order", "PORDER", "PORDNO", "SPPORDER", &Session::mPordNo);
        k.addRight = Right::T30;
        k.deleteRight = Right::T30;
        return k;
    }();
    return k;
}

const std::vector<const DocumentKind*>& allKinds()
{
    static const std::vector<const DocumentKind*> kinds = {
        &salesInvoiceKind(), &purchaseInvoiceKind(), &issueVoucherKind(), &returnVoucherKind(),
        &deliveryNoteKind(), &quotationKind(), &purchaseOrderKind(),
    };
    return kinds;
}

const DocumentKind* kindForScreen(const QString& screenClass)
{
    for (const DocumentKind* k : allKinds())
        if (k->screenClass == screenClass) return k;
    return nullptr;
}

} // namespace kv::documents
