#pragma once
// The sales invoice screen "فـواتيـر المبيـعـات": header, line grid and totals over the
// invoice model (documents/SalesInvoice.h), saved through the entry workflow.
#include "documents/SalesInvoice.h"
#include "ui/documents/DocumentWindow.h"
#include <memory>

class QComboBox;
class QDateEdit;
class QLabel;
class QLineEdit;
class QTableWidget;

namespace kv::ui {

class TQtySoldF : public DocumentWindow {
    Q_OBJECT
public:
    explicit TQtySoldF(core::Session& session, QWidget* parent = nullptr);
    ~TQtySoldF() override;

    // Grid columns.
    enum Column { ColItem, ColDescr, ColUIndex, ColUnit, ColQty, ColPrice, ColSum, ColDisc, ColAmount,
                  ColVatPer, ColVat, ColValue, ColumnCount };

    QLineEdit* DBEInvSel = nullptr;
    QDateEdit* DBEDate = nullptr;
    QLineEdit* DBEAcctNo = nullptr;
    QLabel* LblAcctName = nullptr;
    QLineEdit* DBECustName = nullptr;
    QComboBox* DBRGTirms = nullptr;  // 0 cash, 1 credit
    QComboBox* DBLCSalRep = nullptr; // SALRID as item data
    QLabel* LblPrevBal = nullptr;
    QLabel* LblCurBal = nullptr;
    QTableWidget* Grid = nullptr;
    QLabel* LblSubAmnt = nullptr;
    QLabel* LblDisVal = nullptr;
    QLabel* LblAmount = nullptr;
    QLabel* LblVTax = nullptr;
    QLabel* LblInvTot = nullptr;
    QLabel* LblUnits = nullptr;

    // The invoice under entry (null in the browse state).
    documents::SalesInvoice* invoice() { return inv_.get(); }
    // Leaving the account edit: the customer selection.
    void accountEntered();
    // F4: the account search on the account edit, the item search on the grid.
    void search();

protected:
    void showDocument(int number) override;
    void startEntry() override;
    bool saveEntry() override;
    void endEntry() override;
    void setEditable(bool editable) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildHeader();
    void buildGrid();
    void showHeader(const documents::SalesHeader& h, const QString& acctName, core::Money prevBal);
    void showLines(const QList<documents::SalesLine>& lines);
    void showLine(int row, const documents::SalesLine& l);
    void showTotals();
    void cellEdited(int row, int column);
    void postRow(int row);
    void moveInGrid();
    void focusField(const QString& field);

    std::unique_ptr<documents::SalesInvoice> inv_;
    bool filling_ = false; // the grid is being filled by the screen, not typed
};

} // namespace kv::ui
