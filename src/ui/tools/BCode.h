#pragma once
// The barcode label window "Kordavan Barcode Printing": the item's symbol as it will print, the
// drawing options, the label placement kept in BCParam.txt, and printing N labels through the
// print options.
//
//   kv::ui::TBCodeF f(this);
//   f.vItmNo = item.ITEMNO;  f.vDescr = item.DESCR;
//   f.exec();
#include "tools/Barcode.h"
#include "tools/BarcodeLabel.h"
#include <QDialog>
#include <QImage>
#include <QString>

class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;
class QToolButton;

namespace kv::ui {

class TPrintOptF;

class TBCodeF : public QDialog {
    Q_OBJECT
public:
    explicit TBCodeF(QWidget* parent = nullptr);

    QString vItmNo; // set before showing
    QString vDescr;

    // The settings file (labelSettingsFile() unless set) and the print options used (shared
    // unless set): tests point them elsewhere.
    void setSettingsFile(const QString& path) { settingsFile_ = path; }
    void setPrintOptions(TPrintOptF* options) { options_ = options; }

    // What "Print" did last (tests): the label document and how many were printed or previewed.
    struct LastPrint {
        bool previewed = false;
        int printed = 0;
        tools::Document doc;
    };
    const LastPrint& lastPrint() const { return last_; }
    // Shows the preview window when true (false in tests: the document is only recorded).
    void setShowPreviewWindow(bool on) { showPreview_ = on; }
    // Prints for real when true (false in tests: the document is only recorded).
    void setPrintForReal(bool on) { printForReal_ = on; }

    // The symbology shown first (Code 39 unless set), e.g. from the firm's setting:
    //   f.setSymbology(kv::tools::symbologyOfType(session.gType));
    void setSymbology(tools::Symbology s);

    void draw();        // the symbol of the current settings into the preview
    void edit();        // enables the settings panel
    void reset();       // only while the panel is enabled
    void print();
    bool saveBmp(const QString& path = {});

    tools::LabelSettings settings() const;
    tools::BarcodeStyle style() const { return style_; }
    QImage symbol() const { return symbol_; }

    // Controls.
    QLineEdit* EdtItmNo = nullptr;
    QLineEdit* EdtCopies = nullptr;
    QPushButton* BBPrint = nullptr;
    QPushButton* BBBmp = nullptr;
    QPushButton* BBReset = nullptr;
    QPushButton* BBEdit = nullptr;
    QPushButton* BBExit = nullptr;
    QLabel* LblStatus = nullptr;
    QLabel* LblSymbol = nullptr;
    QGroupBox* GBSettings = nullptr;
    QLineEdit *EdtLeft = nullptr, *EdtTop = nullptr, *EdtModule = nullptr, *EdtWidth = nullptr,
              *EdtHeight = nullptr, *EdtAngle = nullptr, *EdtSLeft = nullptr;
    QComboBox* CBSymbology = nullptr;
    QPushButton* BBFore = nullptr;
    QPushButton* BBBack = nullptr;
    QSpinBox* SEBorder = nullptr;
    QSpinBox* SEWhite = nullptr;
    QSpinBox* SEHeight = nullptr;
    QDoubleSpinBox* SEDot = nullptr;
    QDoubleSpinBox* SEScale = nullptr;
    QComboBox* CBRotation = nullptr;
    QCheckBox* CBShowText = nullptr;
    QCheckBox* CBSmall = nullptr;
    QCheckBox* CBBold = nullptr;
    QCheckBox* CBBars = nullptr;
    QCheckBox* CBBox = nullptr;
    QCheckBox* CBDotty = nullptr;

protected:
    void showEvent(QShowEvent* e) override;

private:
    void buildControls();
    void takeOptions(); // controls -> style_, then draw
    void putSettings(const tools::LabelSettings& s);
    void chooseColor(bool fore);

    tools::BarcodeStyle style_;
    QImage symbol_;
    QString settingsFile_;
    TPrintOptF* options_ = nullptr;
    bool ready_ = false; // change handlers act only after the window is built
    bool showPreview_ = true;
    bool printForReal_ = true;
    LastPrint last_;
};

} // namespace kv::ui
