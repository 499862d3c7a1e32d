#pragma once
// The sales invoice screen "فـواتيـر المبيـعـات": header, line grid and totals over the
// invoice model (documents/SalesInvoice.h), saved through the entry workflow, with the sales
// extras: hold and the held-invoices list, F1 barcode, F3 line total, F4 searches, F8 the item's
// sales history, F11 the buyer's address, the "+" VAT number, Shift+F9 line repair, print.
#include "documents/InvoicePrint.h"
#include "documents/SalesInvoice.h"
#include "masters/Items.h"
#include "ui/documents/DocumentWindow.h"
#include <QHash>
#include <memory>
#include <optional>

class QCheckBox;
class QComboBox;
class QDateEdit;
class QLabel;
class QLineEdit;
class QTableWidget;
class QTimer;

namespace kv::ui {

class ClickableLabel;

class TQtySoldF : public DocumentWindow {
    Q_OBJECT
public:
    explicit TQtySoldF(core::Session& session, QWidget* parent = nullptr);
    ~TQtySoldF() override;

    // Grid columns.
    enum Column { ColItem, ColDescr, ColUIndex, ColUnit, ColQty, ColPrice, ColSum, ColDisc, ColAmount,
                  ColVatPer, ColVat, ColValue, ColumnCount };

    // Header.
    QLabel* LblBranch = nullptr;
    QLineEdit* DBEInvSel = nullptr;
    QDateEdit* DBEDate = nullptr;
    QComboBox* DBRGTirms = nullptr;  // 0 cash, 1 credit
    QLineEdit* DBEAcctNo = nullptr;
    QLabel* LblAcctName = nullptr;
    QLabel* LblTel = nullptr;
    QLineEdit* DBECustName = nullptr;
    QComboBox* DBLCSalRep = nullptr; // SALRID as item data
    QLineEdit* DBEDays = nullptr;
    QDateEdit* DBEDelDate = nullptr;
    QLineEdit* DBERefNo = nullptr;
    QLineEdit* DBEQuotNo = nullptr;
    QLineEdit* DBESalOrd = nullptr;
    QLineEdit* DBELocat = nullptr;
    QLabel* LblTaxCode = nullptr;
    ClickableLabel* LblAddTax = nullptr; // "+": a VAT number for the shown invoice
    QLabel* LblPrevBal = nullptr;
    QLabel* LblCrLimit = nullptr;
    // Grid and the current line's panel.
    QTableWidget* Grid = nullptr;
    QLabel* LblDescr = nullptr;
    QLabel* LblOnHand = nullptr;
    QLabel* LblLocation = nullptr;
    QLabel* LblUCost = nullptr;
    QLabel* LblLines = nullptr;
    QCheckBox* CBNote = nullptr;     // print the branch note
    QCheckBox* CBRepair = nullptr;   // line repair mode (Shift+F9 arms it)
    // Totals and the other displays.
    QLabel* LblSubAmnt = nullptr;
    QLabel* LblDisVal = nullptr;
    QLabel* LblDisPer = nullptr;
    QLabel* LblAmount = nullptr;
    QLabel* LblVTax = nullptr;
    QLabel* LblInvTot = nullptr;
    QLabel* LblCurBal = nullptr;
    QLabel* LblUnits = nullptr;
    QLabel* LblProfit = nullptr;
    QLabel* LblProfitPer = nullptr;
    QLabel* LblUser = nullptr;
    QLabel* LblTime = nullptr;
    QLabel* LblPosted = nullptr;
    // Tool bar extras.
    QComboBox* CBHeld = nullptr;     // the held invoices, by customer name
    QAction* SBStock = nullptr;      // the item file on the current line's item (supervisors)

    // The invoice under entry (null in the browse state).
    documents::SalesInvoice* invoice() { return inv_.get(); }
    // The saved invoice shown in the browse state (with any address typed in F11 since).
    const std::optional<documents::SavedInvoice>& shownInvoice() const { return shown_; }
    // The previous balance is blinking.
    bool blinking() const;

    // Commands (keys and buttons call these; tests too).
    void accountEntered();        // leaving the account edit: the customer selection
    void search();                // F4
    void readBarcode();           // F1
    void enterLineTotal();        // F3
    void itemHistory();           // F8
    void clientInfo();            // F11
    void addTaxCode();            // "+"
    void armRepair();             // Shift+F9
    void deleteLine();            // Ctrl+Delete
    void resumeHeld(int index);   // a pick in the held list
    void quotationEntered();      // leaving the quotation number
    void deliveryNoteEntered();   // leaving the delivery note number

protected:
    void showDocument(int number) override;
    void startEntry() override;
    bool saveEntry() override;
    void endEntry() override;
    void afterSave() override;
    void parkEntry(db::Transaction& tr, int holdNumber) override;
    void beforeNext() override;
    void printDocument() override;
    void setEditable(bool editable) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildHeader();
    void buildGrid();
    void buildTotals();
    void showHeader(const documents::SalesHeader& h, const QString& acctName, const QString& tel,
                    core::Money prevBal);
    void showLines(const QList<documents::SalesLine>& lines, const QList<documents::PrintedLine>* saved = nullptr);
    void showLine(int row, const documents::SalesLine& l);
    void showLine(int row, const documents::SalesLine& l, const QString& descr, const QString& unit);
    void showTotals();
    void showHeaderTotals(const documents::SalesHeader& h, core::Money prevBal, core::Qty units);
    void showCustomer();
    void showCurrentLine();
    void sourceEntered(bool quotation);
    void cellEdited(int row, int column);
    void postRow(int row);
    void showOutcome(const documents::Outcome& o);
    void appendRow();
    void moveInGrid();
    void focusField(const QString& field);
    void takeHeaderEdits();
    void refreshHeld();
    void setBlinking(bool on);
    void blink();
    int currentRow() const;
    void openItemFile();

    std::unique_ptr<documents::SalesInvoice> inv_;
    QHash<int, masters::AccountAddress> heldAddresses_; // by hold number, for as long as the screen is open
    std::optional<documents::SavedInvoice> shown_;
    QString panelItemNo_;                       // the item shown under the grid
    std::optional<masters::Item> panelItem_;
    bool filling_ = false; // the grid is being filled by the screen, not typed
    bool repairArmed_ = false;
    QTimer* blink_ = nullptr;
    bool blinkOn_ = false;
    bool showsCost_ = false;
};

} // namespace kv::ui
