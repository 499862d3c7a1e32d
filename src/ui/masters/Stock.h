#pragma once
// The item screen "معالجة ملـف بـيـانات الأصــنـاف": the item card (insert, edit, delete, search,
// navigation, extra barcodes, barcode labels) and the list page (filters by location and group,
// print, Excel export). The card works on the items of the open year in ITEMNO order.
//
// Rights, silent: insert T16, delete T17, edit T18. Cost prices (UCOST, its large-unit cost, the
// stock value, the markup and the list's cost column) are hidden from an operator without R21.
#include "core/Session.h"
#include "masters/Items.h"
#include "ui/masters/MasterUi.h"
#include <QDialog>
#include <QHash>
#include <QList>
#include <optional>

class QAction;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QStatusBar;
class QTabWidget;
class QTableView;
class QToolButton;

namespace kv::tools { struct ListReport; struct Table; }

namespace kv::ui {

class TStockF : public QDialog {
    Q_OBJECT
public:
    explicit TStockF(core::Session& session, QWidget* parent = nullptr);

    using Mode = masters_ui::CardMode;
    Mode mode() const { return mode_; }
    // The item shown on the card, null when the file is empty.
    const masters::Item* currentItem() const;
    bool costVisible() const { return costVisible_; }

    // The card's commands (buttons and keys).
    void insertItem();
    void editItem();
    bool saveItem();   // false when refused (the entry stays open)
    void cancelEdit();
    void deleteItem();
    void searchItem(); // F4 / F7
    void first() { nav_.first(); }
    void prior() { nav_.prior(); }
    void next() { nav_.next(); }
    void last() { nav_.last(); }
    void openBarcodes(); // "BC"
    void openLabels();   // barcode label window
    // Positions the card on an item number; false when it is not in the file.
    bool positionOn(const QString& itemNo) { return nav_.seek(itemNo); }
    // Leaving the group number or choosing in its drop-down: the group must exist; during an
    // insert the group's last item number is shown.
    void groupLeft();

    // The list page.
    void showListPage();
    void filterByLocation(const QString& location);
    void filterByGroup(const QString& artNo);
    // The list print: the report as it would print (for the print command and tests).
    tools::ListReport listReport() const;
    void printList();
    tools::Table listTable() const;
    void exportList();
    QStringList listedItemNumbers() const;

    void reject() override; // closing does not save a pending change

    // Card controls.
    QLineEdit *DBEArtNo = nullptr, *DBEItemNo = nullptr, *DBEDescr = nullptr, *DBEDescE = nullptr;
    QLineEdit *DBEUnit = nullptr, *DBEUnitE = nullptr, *DBESubUnit = nullptr, *DBESubUnitE = nullptr;
    QLineEdit *DBEQUnits = nullptr, *DBEUPrice = nullptr, *DBEUPrice2 = nullptr, *DBEUPriceC = nullptr,
              *DBEUPrice2C = nullptr, *DBEMinStock = nullptr, *DBEMarkup = nullptr, *DBELocation = nullptr,
              *DBEEDate = nullptr, *DBEUCost = nullptr;
    QComboBox* DBLCArtNo = nullptr;
    QLabel *LblLast = nullptr, *LblLastNo = nullptr, *LblUCost = nullptr, *LblMarkup = nullptr;
    QGroupBox* PnlInfo = nullptr;
    QLabel *LblLQtyIn = nullptr, *LblLQtySold = nullptr, *LblCost = nullptr, *LblCostL = nullptr,
           *LblOnHand = nullptr, *LblQOnHnd = nullptr, *LblCurVal = nullptr;
    QWidget *RowCost = nullptr, *RowCurVal = nullptr;
    QAction *SBInsert = nullptr, *SBDelete = nullptr, *SBEdit = nullptr, *SBSave = nullptr,
            *SBCancel = nullptr, *SBSearch = nullptr, *SBFirst = nullptr, *SBPrior = nullptr,
            *SBNext = nullptr, *SBLast = nullptr, *SBBCode = nullptr, *SBLabels = nullptr;
    QTabWidget* pages = nullptr;

    // List page controls.
    QLineEdit* EdtLocation = nullptr;
    QComboBox* DBLCGroup = nullptr;
    QLineEdit* EdtGroupNo = nullptr;
    QTableView* DBGList = nullptr;
    QStatusBar* StatusBar = nullptr;

private:
    void buildCard(QWidget* page);
    void buildList(QWidget* page);
    void loadGroups();
    void reload(const QString& positionOnItem = {});
    void showCurrent();
    void showItem(const masters::Item& item);
    void setMode(Mode m);
    void applyCostVisibility();
    void fillList(const QList<masters::Item>& items);
    void pageChanged(int index);
    std::optional<masters::Item> collect(); // nullopt after showing a conversion error
    void focusColumn(const QString& column);

    core::Session& s_;
    masters::ItemRepository repo_;
    masters::ItemSettings settings_;
    QList<masters::Item> items_;
    QList<masters::ItemGroup> groups_;
    Mode mode_ = Mode::Browse;
    BrowseCursor nav_{[this] { return mode_ == Mode::Browse; }, [this] { showCurrent(); }};
    bool costVisible_ = true;
    bool checkingGroup_ = false;
    int shownPage_ = 0;
    std::optional<masters::Item> pending_; // the row being inserted or edited, as it started
    QHash<QString, QWidget*> fieldOf_;
    QList<QWidget*> fields_;

    QList<masters::Item> listItems_;
    masters_ui::TextTableModel* listModel_ = nullptr;
    QString listLocation_, listGroup_;
};

// The extra barcodes of one item: "Bar Code : عدد السجلات: N", an entry box with "Ok", a list
// whose rows are removed by a double click, and "E" to leave.
class TItemBCF : public QDialog {
    Q_OBJECT
public:
    TItemBCF(core::Session& session, const QString& itemNo, QWidget* parent = nullptr);

    QStringList barcodes() const { return codes_; }
    void addBarcode();           // "Ok"
    void removeBarcode(int row); // double click on a row
    void refresh();

    QLineEdit* EdtBCode = nullptr;
    QTableView* DBGCodes = nullptr;

private:
    core::Session& s_;
    QString itemNo_;
    QStringList codes_;
    masters_ui::TextTableModel* model_ = nullptr;
};

} // namespace kv::ui
