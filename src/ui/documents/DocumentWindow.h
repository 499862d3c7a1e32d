#pragma once
// The window every document screen shares: the command bar (insert, save, cancel, first, prior,
// next, last, the number prompt, print, exit) driven by the entry workflow, and the number
// prompt dialog TTrnSrchF. A screen derives from DocumentWindow and fills in the hooks.
#include "core/Session.h"
#include "documents/Workflow.h"
#include <QDialog>

class QAction;
class QLineEdit;
class QToolBar;
class QVBoxLayout;

namespace kv::db { class Transaction; }

namespace kv::ui {

// One-value question: caption "   بـحــث    Search" (callers replace it), the edit EditTrNo,
// "موافق - Ok" and "إلغاء الأمر - Cancel". The caller reads text() whichever button closed it.
class TTrnSrchF : public QDialog {
    Q_OBJECT
public:
    explicit TTrnSrchF(QWidget* parent = nullptr);
    QString text() const;
    QLineEdit* EditTrNo = nullptr;
};

class DocumentWindow : public QDialog {
    Q_OBJECT
public:
    DocumentWindow(core::Session& session, const documents::DocumentKind& kind, QWidget* parent = nullptr);

    documents::Workflow& workflow() { return flow_; }

    QAction* SBInsert = nullptr;
    QAction* SBPost = nullptr;
    QAction* SBCancel = nullptr;
    QAction* SBFirst = nullptr;
    QAction* SBPrior = nullptr;
    QAction* SBNext = nullptr;
    QAction* SBLast = nullptr;
    QAction* SBView = nullptr;
    QAction* SBPrint = nullptr;
    QAction* SBSusp = nullptr;   // hold (kinds with hold tables only)
    QAction* SBExit = nullptr;

    void insertDocument();
    void postDocument();
    void cancelDocument();
    void viewDocument();
    void holdDocument();
    void nextDocument();

protected:
    // Opens the workflow and shows its document; call at the end of the screen's constructor.
    void openWorkflow();
    // Hooks.
    virtual void showDocument(int number) = 0;   // browse state: the saved document (0: none)
    virtual void startEntry() = 0;               // after Insert
    virtual bool saveEntry() = 0;                // the screen's checks, the question, the save
    virtual void endEntry() {}                   // after a save, cancel or hold, before the reshow
    virtual void afterSave() {}                  // browse state on the saved document
    virtual void parkEntry(db::Transaction&, int /*holdNumber*/) {} // hold: copy the entry into the hold tables
    virtual void beforeNext() {}                 // Next, before it moves (browse state)
    virtual void printDocument();
    virtual void setEditable(bool editable) = 0; // header and grid writable in the entry state

    // Buttons from the workflow, then the shown document.
    void refresh();
    void reject() override;

    core::Session& s_;
    documents::Workflow flow_;
    QVBoxLayout* body = nullptr; // the screen's fields go below the command bar
    QToolBar* bar_ = nullptr;
};

} // namespace kv::ui
