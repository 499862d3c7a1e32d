#pragma once
// Printer settings screen " Printing Settings": the user's invoice margins (REPINFO) and the
// firm's barcode layout (FIRM). Browsing until "Edit", editing until "Save" (which closes the
// screen) or "Cancel"; "&Defaults" stores the defaults at once.
//
//   kv::ui::TPrtSetF f(session, this);   // right T12 is checked by the caller (the menu)
//   f.exec();
#include "core/Session.h"
#include "tools/PrintSettings.h"
#include <QDialog>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLineEdit;
class QToolButton;
class QPushButton;

namespace kv::ui {

class TPrtSetF : public QDialog {
    Q_OBJECT
public:
    explicit TPrtSetF(core::Session& session, QWidget* parent = nullptr);

    bool editing() const { return editing_; }

    void edit();
    bool save();      // false when a margin is refused (the error was shown)
    void cancel();
    void defaults();

    QLineEdit* EdtTop = nullptr;     // margins, inches
    QLineEdit* EdtLeft = nullptr;
    QLineEdit* EdtBCLeft = nullptr;  // barcode layout
    QLineEdit* EdtBCTop = nullptr;
    QLineEdit* EdtBCHeight = nullptr;
    QLineEdit* EdtBCModule = nullptr;
    QLineEdit* EdtBCAngel = nullptr;
    QLineEdit* EdtBCTitle = nullptr;
    QComboBox* CBType = nullptr;
    QCheckBox* CBUse = nullptr;
    QCheckBox* CBChkSum = nullptr;
    QToolButton* SBExit = nullptr;
    QToolButton* SBEdit = nullptr;
    QToolButton* SBSave = nullptr;
    QToolButton* SBCancel = nullptr;
    QPushButton* BBDefaults = nullptr;

    void reject() override; // closing discards unsaved edits

private:
    void load();
    void showValues(const tools::UserMargins& m, const tools::BarcodeLayout& b);
    void setEditing(bool on);
    tools::BarcodeLayout collectLayout() const;

    core::Session& s_;
    bool editing_ = false;
    tools::UserMargins margins_;
    tools::BarcodeLayout layout_;
    QGroupBox* GBMargins = nullptr;
    QGroupBox* GBBarcode = nullptr;
};

} // namespace kv::ui
