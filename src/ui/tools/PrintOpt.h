#pragma once
// The print options dialog shown before every printout ("خيارات الطباعة  -  Print Options"):
// print or preview, the printer, the number of copies. One dialog for the whole run remembers the
// printer chosen; the choice is also kept per user for the next run (tools/PrintSettings.h).
//
//   auto& opt = kv::ui::TPrintOptF::shared();       // created on first use, lives for the run
//   opt.setUser(session.UNM);                        // once after the login
//   if (auto c = opt.ask(this)) { ... c->preview, c->printerName, c->copies ... }
//
// Most callers want the whole round trip (Printing.h): kv::ui::printOrPreview(this, doc).
#include <QDialog>
#include <QString>
#include <QStringList>
#include <optional>

class QComboBox;
class QGroupBox;
class QPushButton;
class QRadioButton;
class QSpinBox;

namespace kv::ui {

struct PrintChoice {
    bool preview = false;
    QString printerName; // empty when no printer is installed
    int copies = 1;
};

class TPrintOptF : public QDialog {
    Q_OBJECT
public:
    explicit TPrintOptF(QWidget* parent = nullptr);

    // The run's dialog (parentless, deleted when the application quits).
    static TPrintOptF& shared();

    // Whose remembered printer to preselect the first time and to keep the choice for.
    void setUser(const QString& user);
    // The installed printers (QPrinterInfo) unless set here (tests, or a caller's own list).
    void setPrinterList(const QStringList& names);
    void useInstalledPrinters();

    // Shows the dialog modally: the printer list is filled again and the remembered printer
    // selected. nullopt when cancelled. `copies` is preset to `defaultCopies`; `allowCopies`
    // false hides the copies box (callers that print one copy, or the label's own count).
    std::optional<PrintChoice> ask(QWidget* parent = nullptr, int defaultCopies = 1, bool allowCopies = true,
                                   bool allowPreview = true);

    QString rememberedPrinter() const { return remembered_; }

    // The controls (tests).
    QRadioButton* RBPrint = nullptr;
    QRadioButton* RBPreview = nullptr;
    QGroupBox* GBPrinter = nullptr;
    QComboBox* CBPrinters = nullptr;
    QSpinBox* SECopies = nullptr;
    QPushButton* BBOk = nullptr;
    QPushButton* BBCancel = nullptr;

private:
    void fillPrinters();
    QStringList printers() const;

    QString user_;
    QString remembered_;
    bool rememberedLoaded_ = false;
    std::optional<QStringList> fixedList_;
};

} // namespace kv::ui
