#pragma once
// Barcode symbols of an item number: bars from zxing-cpp, the human-readable text under them
// drawn by us, colours, border, quiet zone, height, module width and rotation.
//
//   kv::tools::BarcodeStyle st;                   // Code 39, black on white, text under the bars
//   st.symbology = kv::tools::Symbology::EAN13;
//   kv::tools::BarcodeImage b = kv::tools::drawBarcode("590123412345", st);
//   if (!b.ok()) status->setText(b.error);        // the number cannot be written in this symbology
//   else preview->setPixmap(QPixmap::fromImage(b.image));
//
//   kv::tools::Symbology s = kv::tools::symbologyOfType(session.gType);   // FIRM.BCTYPE position
//
// Symbologies are listed in the order of the printer settings' drop-down (FIRM.BCTYPE is the
// position in that list). A few of them have no writer here (2 of 5 industrial and matrix, MSI,
// PostNet, the UPC supplements): drawing them reports "... is not available" as an error, like any
// number the symbology cannot encode.
#include "tools/Page.h"
#include <QColor>
#include <QImage>
#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

namespace kv::tools {

enum class Symbology {
    Code_2_5_interleaved, Code_2_5_industrial, Code_2_5_matrix,
    Code39, Code39Extended,
    Code128A, Code128B, Code128C,
    Code93, Code93Extended,
    CodeMSI, CodePostNet, CodeCodabar,
    CodeEAN8, CodeEAN13,
    CodeUPC_A, CodeUPC_E0, CodeUPC_E1, CodeUPC_Supp2, CodeUPC_Supp5,
    CodeEAN128A, CodeEAN128B, CodeEAN128C,
};
constexpr int symbologyCount = 23;

// The stored position (FIRM.BCTYPE) and back; an unknown position gives Code39.
Symbology symbologyOfType(int type);
int typeOfSymbology(Symbology s);
// The settings list's names in position order: "Code_2_5_interleaved", ..., "CodeEAN128C".
QStringList symbologyTypeNames();
// The label window's names: "Code 3 of 9 (Code 39)", "Code 128 (Subset B)", "EAN-13", ...
QString symbologyTitle(Symbology s);
std::optional<Symbology> symbologyFromTitle(const QString& title);
// Titles of the symbologies that can be drawn, sorted by name.
QStringList drawableSymbologyTitles();
bool isDrawable(Symbology s);

struct BarcodeStyle {
    Symbology symbology = Symbology::Code39;
    QColor fore = Qt::black;
    QColor back = Qt::white;
    int border = 0;        // frame width around the symbol, pixels (drawn when box is on)
    int whiteSpace = 10;   // quiet zone on each side, in modules
    int height = 60;       // bar height, pixels
    double moduleWidth = 2; // "dot size": pixels per narrow module
    int rotation = 0;      // 0, 90, 180, 270 degrees clockwise
    bool showText = true;  // human-readable text under the bars
    bool smallText = false;
    bool boldText = false;
    bool bars = true;      // off: only the text (and box)
    bool box = false;      // a frame around the whole symbol
    bool dotty = false;    // bars drawn as dotted columns
    bool checkDigit = false; // Code 39 / Code 93 / 2 of 5: append the optional check digit
};

struct BarcodeImage {
    QImage image;          // null when error is set
    QString text;          // the human-readable text (with the computed EAN/UPC check digit)
    ModuleMatrix bars;     // one row of modules, without quiet zone
    QString error;
    bool ok() const { return error.isEmpty(); }
};

// The bars only (one row of modules), for printing sharp symbols through a SymbolItem.
BarcodeImage encodeBarcode(const QString& data, Symbology s, bool checkDigit = false);
// The whole symbol as an image: bars, quiet zone, text, box, rotation.
BarcodeImage drawBarcode(const QString& data, const BarcodeStyle& style);

// The text a symbology writes for `data`: check digits of EAN-8/13 and UPC-A/E completed when
// missing, Code 39 check character appended when asked. Empty when `data` cannot be encoded.
QString humanReadable(const QString& data, Symbology s, bool checkDigit = false);

} // namespace kv::tools
