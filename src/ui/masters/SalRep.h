#pragma once
// The salesman screen "بيانات وتقارير مناديب المبيعات": the card (number, name, commission
// percentage), its list and print, the salesman reports (later) and the customer transfer.
// Rights: an operator whose flag is "F" may not add (T04), delete (T05) or edit (T06).
#include "core/Session.h"
#include "masters/Salesmen.h"
#include "tools/ListReport.h"
#include "ui/masters/MasterUi.h"
#include <QDialog>
#include <QList>

class QAction;
class QLineEdit;
class QPushButton;
class QTabWidget;
class QTableView;

namespace kv::ui {

class TSalRepF : public QDialog {
    Q_OBJECT
public:
    explicit TSalRepF(core::Session& session, QWidget* parent = nullptr);

    using Mode = masters_ui::CardMode;
    Mode mode() const { return mode_; }
    const masters::Salesman* currentSalesman() const;

    void insertSalesman();
    void editSalesman();
    bool saveSalesman();
    void cancelEdit();
    void deleteSalesman();
    void searchSalesman();
    void first() { nav_.first(); }
    void prior() { nav_.prior(); }
    void next() { nav_.next(); }
    void last() { nav_.last(); }
    bool positionOn(const QString& salrId) { return nav_.seek(salrId); }
    // The list print (TSalRepPF) and the command that sends it to the default printer.
    tools::ListReport listReport() const;
    void printList();
    void transferCustomers(); // "تحويـل عـمـلاء منــدوب"

    void reject() override;

    QLineEdit* DBESalrId = nullptr;
    QLineEdit* DBEName = nullptr;
    QLineEdit* DBEPerc = nullptr;
    QAction *SBInsert = nullptr, *SBDelete = nullptr, *SBEdit = nullptr, *SBSave = nullptr, *SBCancel = nullptr,
            *SBSearch = nullptr, *SBFirst = nullptr, *SBPrior = nullptr, *SBNext = nullptr, *SBLast = nullptr;
    QList<QPushButton*> reportButtons;
    QTabWidget* pages = nullptr;
    QTableView* DBGList = nullptr;

private:
    bool refused(core::Right r) const;
    void reload(const QString& positionOn = {});
    void showCurrent();
    void setMode(Mode m);
    void openReport(QPushButton* button, bool anyState);

    core::Session& s_;
    masters::SalesmanRepository repo_;
    QList<masters::Salesman> reps_;
    Mode mode_ = Mode::Browse;
    BrowseCursor nav_{[this] { return mode_ == Mode::Browse; }, [this] { showCurrent(); }};
    QString original_;
    masters_ui::TextTableModel* listModel_ = nullptr;
};

} // namespace kv::ui
