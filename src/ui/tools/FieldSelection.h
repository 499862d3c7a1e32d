#pragma once
// Export of a grid to Excel: the field selection window ("Field Selection") and the two ways a
// list reaches a spreadsheet.
//
//   kv::tools::Table t = ...;                         // the grid's columns and rows
//   kv::ui::exportToExcel(this, t, statusBar());      // asks fields and row count, writes a
//                                                     // workbook and opens it
//   kv::ui::exportToExcelFile(this, t, windowTitle()); // voucher lists: all rows, a sums row,
//                                                     // Documents/ExcelFile.xlsx, then "Copy File"
#include "tools/Table.h"
#include <QDialog>
#include <QString>
#include <optional>
#include <vector>

class QComboBox;
class QListWidget;
class QPushButton;
class QStatusBar;

namespace kv::ui {

class TfrmFieldSelection : public QDialog {
    Q_OBJECT
public:
    explicit TfrmFieldSelection(const std::vector<QString>& captions, QWidget* parent = nullptr);

    std::vector<int> checkedFields() const; // indices in field order
    void setChecked(int field, bool on);
    void selectAll();
    void unselectAll();
    void invertSelection();
    QString limitText() const;
    void setLimitText(const QString& text);

    // "&OK": accepted when the limit is valid; else "You specified an invalid number of records
    // to export!" and the window closes as cancelled (nothing is exported). The row limit of an
    // accepted window.
    void accept() override;
    int rowLimit() const { return limit_; }

    QListWidget* LBFields = nullptr;
    QComboBox* CBLimit = nullptr;
    QPushButton* BBSelectAll = nullptr;
    QPushButton* BBUnselectAll = nullptr;
    QPushButton* BBOk = nullptr;
    QPushButton* BBCancel = nullptr;

private:
    int limit_ = 0;
};

// Where exportToExcel writes its workbooks: a fresh file in the temporary folder.
QString newExportFileName();

// The Excel export routine: the field selection window, then the workbook (sheet "AbsDb") of
// the chosen fields and up to the limit of rows, opened with the desktop's program for .xlsx.
// Returns the file written, or nullopt when cancelled or failed (the error was shown).
// `status` (optional) receives " Successfully exported N records to Excel".
// `openFile` false skips opening it (tests).
std::optional<QString> exportToExcel(QWidget* parent, const tools::Table& table, QStatusBar* status = nullptr,
                                     bool openFile = true, const QString& fileName = {});

// The export of the voucher lists: every row and column, widths fitted, a row of sums, sheet
// named `sheetName`, saved as "ExcelFile.xlsx" in the user's Documents folder (or `folder`), then
// the "Copy File" window on it. Returns the file written, or nullopt on failure (shown).
std::optional<QString> exportToExcelFile(QWidget* parent, const tools::Table& table, const QString& sheetName,
                                         const QString& folder = {}, bool showCopyWindow = true);

} // namespace kv::ui
