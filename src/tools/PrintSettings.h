#pragma once
// Print settings: each user's margins (REPINFO), the firm's barcode layout (FIRM) and the printer
// each user chose last (a small settings file of our own). Each read or save is one short
// transaction on the system database.
//
//   kv::tools::UserMargins m = kv::tools::readUserMargins(*s.FirmDB, s.UNM);
//   QMarginsF inv = m.invoicePageMarginsMm();          // top TMAR, bottom 0.788 - TMAR, left LMAR
//
//   kv::tools::BarcodeLayout b = kv::tools::readBarcodeLayout(*s.FirmDB);
//   b.top = 30; kv::tools::saveBarcodeLayout(*s.FirmDB, b);
//   kv::tools::applyToSession(s, b);                   // gTop, gLeft, ... gBCUse
//
//   QString p = kv::tools::rememberedPrinter(s.UNM);   // "" the first time
//   kv::tools::rememberPrinter(s.UNM, "HP-LaserJet");
//
// Margins are inches (DOUBLE PRECISION columns). Database errors propagate as db::DbError.
#include <QMarginsF>
#include <QString>
#include <optional>

namespace kv::db {
class Connection;
}
namespace kv::core {
struct Session;
}

namespace kv::tools {

constexpr double defaultTopMargin = 0.394;  // inches (one centimetre)
constexpr double defaultLeftMargin = 0.174;

// The user's REPINFO row; an empty column is nullopt.
struct UserMargins {
    std::optional<double> TMAR, LMAR, RVTMAR, RVLMAR;

    // With the defaults for empty values.
    double invoiceTop() const { return TMAR.value_or(defaultTopMargin); }
    double invoiceLeft() const { return LMAR.value_or(defaultLeftMargin); }
    double voucherTop() const { return RVTMAR.value_or(defaultTopMargin); }
    double voucherLeft() const { return RVLMAR.value_or(defaultLeftMargin); }
    // Invoice page margins in millimetres: top TMAR, bottom 0.788 - TMAR (the two make two
    // centimetres), left LMAR, right 0.
    QMarginsF invoicePageMarginsMm() const;
    // Voucher forms: top RVTMAR, left RVLMAR, the others 0.
    QMarginsF voucherPageMarginsMm() const;
};

// The row of `user`; all empty when the user has no row.
UserMargins readUserMargins(db::Connection& system, const QString& user);
// Writes TMAR and LMAR of `user` (the row is created when missing); the voucher margins stay.
void saveInvoiceMargins(db::Connection& system, const QString& user, double top, double left);
void saveVoucherMargins(db::Connection& system, const QString& user, double top, double left);

// A margin the settings screen accepts: filled, not negative, at most one inch.
bool isValidMargin(std::optional<double> inches);
// The margin text as typed ("0.394", " 1 "); nullopt when empty or not a number.
std::optional<double> parseMargin(const QString& text);

// The barcode layout of the firm (FIRM.BC* columns), with the defaults of a new firm.
struct BarcodeLayout {
    int top = 25, left = 5, height = 50, module = 2;
    int type = 3;          // position in the symbology list (Barcode.h): 3 = Code39
    double angle = 0;      // BCANGEL
    bool checkSum = false; // BCCHKSUM "T"/"F"
    bool use = false;      // BCUSE "T"/"F": barcodes on sales invoices
    QString title;         // BCTITLE
    friend bool operator==(const BarcodeLayout&, const BarcodeLayout&) = default;
};

BarcodeLayout readBarcodeLayout(db::Connection& system); // defaults when FIRM has no row
void saveBarcodeLayout(db::Connection& system, const BarcodeLayout& layout);
// "&Defaults": the default margins for `user` and the default barcode layout, in one transaction.
void saveDefaults(db::Connection& system, const QString& user);
// Refreshes the session's gTop, gLeft, gHeight, gModule, gType, gAngel, gChkSum, gTitle, gBCUse.
void applyToSession(core::Session& s, const BarcodeLayout& layout);

// The printer `user` chose last (by name), kept in our own settings file in the user's
// configuration folder ($KV_CONFIG_DIR when set); "" when none.
QString rememberedPrinter(const QString& user);
void rememberPrinter(const QString& user, const QString& printerName);
QString printSettingsFile(); // the file those two use

} // namespace kv::tools
