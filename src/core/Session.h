#pragma once
// The session: what every screen reads (firm settings, user, rights, open year, messages)
// and the two database connections. One object for the run, passed to what needs it.
#include "core/Messages.h"
#include "core/Rights.h"
#include "db/Connection.h"
#include <QDate>
#include <QString>
#include <memory>

namespace kv::core {

struct Session {
    // Location and login data (AcDb.txt and the program's folders).
    QString mWinDrv, AppPath, mServer, mIBMain, mIBPath, mAppDir, mPWord;
    QString mSysID; // random number of the run, 1000 <= n < 2256256

    // Year and user.
    QString CurrYr, LastYr, UNM, UID, vAdmin;
    RightFlags rights;
    int UILang = 0;
    int SalOnly = 1;
    int mLNo = 0;
    bool mFound = false;

    // Dates and numbers.
    QDate LTrDate, mcHDate;
    int mTrNo = 0;
    int mInvSel = 0, mInvIn = 0, mInvOut = 0, mInvRet = 0;
    int mQuotNo = 0, mQReqNo = 0, mPordNo = 0;
    QString mDType; // English name of the document screen opened last ("Sales Invoice")
    int cvRvNo = 0, cvPvNo = 0;
    int cPstNo = 0;
    QString mRVPFrm = QStringLiteral("0"), mPVPFrm = QStringLiteral("0");

    // Firm, branch and address.
    QString mFirmN, mAddrs, mTelNo, mCRReg;
    QString mvBrNo, mvBrNm, mGNote;
    QString mTaxCd;
    double mVatTx = 0;
    QString cBuildNo, cStreetNm, cStreetNmE, cDistrict, cDistrictE, cCity, cCityE, cCountry, cCountryE,
            cPCode, cAddrN2, cTaxCode, cOtherID;
    QString mvSysBak;

    // System settings from FIRM.
    QString jAcctNo, gAcct2, gAcct3, gAcct4, gAcct5, vtAcNo6, vtAcNo7;
    QString gAType, gATyp2, aAcct1, aAcct2, aAcct3, aTRNSEQ, aISSALR, gAuPost, gQRetInv, gHideDis,
            gXQSel, gXQIss;
    QString gNQin, gNQOut, gNQSld, gNQRet, gNRvNo, gNPvNo, gNNotc;
    QString gDQin, gDQOut, gDQSld, gDQRet, gDRvNo, gDPvNo, gDNotc;
    QString gCostPr, gSelUnit, gLinkArt, gPHeader;
    int vSelForm = 0;
    int gArtNum = 0;

    // Barcode label settings.
    int gTop = 0, gLeft = 0, gHeight = 0, gModule = 0, gType = 0;
    double gAngel = 0;
    QString gChkSum, gTitle, gBCUse;

    Messages msg;

    // Connections: FirmDB to the system database, MainDB to the open year.
    std::unique_ptr<db::Connection> FirmDB;
    std::unique_ptr<db::Connection> MainDB;

    // The rights test of every screen.
    bool allowed(Right r) const { return core::allowed(vAdmin, rights, r); }
    bool isAdmin() const { return vAdmin == QLatin1String("SV"); }
    bool isHijriYear() const; // CurrYr as a number below 1900
};

} // namespace kv::core
