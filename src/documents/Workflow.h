#pragma once
// The entry cycle every document screen shares: browse the saved documents of the open year by
// number, start a new one, save it in one transaction, cancel, hold, void. No widgets: each call
// returns what the screen shows (a message and the field to focus) and buttons() tells which
// commands are enabled.
//
//   documents::Workflow flow(session, documents::quotationKind());
//   flow.open();                                  // browse, on the last quotation
//   flow.insert();                                // entry, provisional number and date
//   flow.entry().date = typedDate;
//   QuotationWriter w(session, quotation);
//   const documents::SaveResult r = flow.save(w); // browse on the saved number, or a message
//   if (!r.ok()) { showError(r.message); focusField(r.field); }
#include "core/Session.h"
#include "documents/DocumentKind.h"
#include "documents/DocumentWriter.h"
#include <QDate>
#include <QString>
#include <functional>
#include <optional>

namespace kv::db { class Transaction; }

namespace kv::documents {

// The answer to a command. done: it ran. Otherwise a message to show (and a field to focus), or
// nothing at all when the command does not apply (wrong state, no right).
struct Reply {
    bool done = false;
    QString message;
    QString field;

    static Reply ok() { return {true, {}, {}}; }
    static Reply ignored() { return {}; }
    static Reply refused(const QString& message, const QString& field = {}) { return {false, message, field}; }
};

// How a save or a void retries when another workstation holds a row it needs.
struct SaveOptions {
    int typedNumber = 0;  // the number to keep when the kind saves typed numbers and they are on
    int attempts = 3;     // whole tries, each in a fresh transaction
    int minPauseMs = 50;  // random pause between tries
    int maxPauseMs = 200;
};

enum class SaveStatus {
    Saved,    // committed under `number`
    Refused,  // a check or the writer refused: `message`, `field`; nothing written
    Busy,     // database failure or rows still held after the retries: mInUse; nothing written
};

struct SaveResult {
    SaveStatus status = SaveStatus::Refused;
    int number = 0;    // the saved number
    int attempts = 0;  // tries made
    QString message;
    QString field;
    bool ok() const { return status == SaveStatus::Saved; }
};

// Saves a new document in ONE transaction: reserves the number (the kind's procedure, or the typed
// number when manual numbering is on, refusing one on file), lets the writer write header, lines
// and their stock and balance effects, commits. A busy conflict rolls everything back and retries
// the whole save after a short random pause; when the tries run out the result is mInUse and
// nothing is written. On success the kind's current-number field holds the saved number.
SaveResult saveDocument(core::Session& s, const DocumentKind& kind, DocumentWriter& writer,
                        const SaveOptions& options = {});

// The date checks of a save: a valid date (mNoDte), within the open year (mWInYr), not before
// the latest document date when the kind refuses back-dated documents (mNoTrN).
Reply checkDocumentDate(const core::Session& s, const DocumentKind& kind, const QDate& date);

// The number typed into the number prompt: digits only (Arabic-Indic digits too), surrounding
// blanks ignored. Null for anything else.
std::optional<qint64> parseDocumentNumber(const QString& text);

// Fixed texts of the cycle.
namespace text {
inline QString notANumber() { return QStringLiteral("الرقم غير صحيح"); }
inline QString printInvoiceQuestion() { return QStringLiteral("هل تريد طباعة الفاتورة؟"); }
} // namespace text

enum class State { Browse, Entry };

struct Buttons {
    // Browse state.
    bool first = false, prior = false, next = false, last = false;
    bool view = false, insert = false, remove = false, print = false;
    // Entry state.
    bool post = false, cancel = false, hold = false, heldList = false;
    // Header edits in the entry state.
    bool numberEditable = false, dateEditable = false;
};

// The document under entry.
struct Entry {
    int provisionalNumber = 0; // last issued + 1, read without reserving: not a promise
    int number = 0;            // the number edit (starts at the provisional number)
    QDate date;                // the default document date until the screen changes it
};

class Workflow {
public:
    Workflow(core::Session& s, const DocumentKind& kind);

    // Opening the screen: browse on the document the session last showed when it still exists,
    // else on the last one; empties this connection's hold tables; the sales invoice also
    // recomputes LTrDate from its own headers. Records the kind's English name in mDType.
    void open();

    State state() const { return state_; }
    const DocumentKind& kind() const { return kind_; }
    int shown() const { return shown_; } // number of the document on screen, 0 when there is none
    Buttons buttons() const;

    // Navigation (browse state only; in the entry state nothing moves). Each returns shown().
    // Prior and Next step over missing numbers; Prior at the first document and Next at the last
    // stay where they are.
    int first();
    int last();
    int prior();
    int next();
    // The number prompt: empty text does nothing, text that is not a number gives
    // text::notANumber(), a number with no document mNoDoc.
    Reply view(const QString& typed);

    // Insert: needs the kind's add right for a user of class "OP" (otherwise nothing happens).
    Reply insert();
    Entry& entry() { return entry_; }
    const Entry& entry() const { return entry_; }

    // Save: the date checks, then saveDocument. Saved: browse on the saved document and LTrDate
    // moves up to its date. Otherwise the entry stays as it was.
    SaveResult save(DocumentWriter& writer, SaveOptions options = {});
    // Cancel: browse on the last document; nothing of the entry was written.
    void cancel();
    // Hold: gives the entry the next hold number of this screen, lets `park` copy it into the
    // kind's hold tables (one transaction, committed) and abandons the entry as Cancel does.
    Reply hold(const std::function<void(db::Transaction&, int holdNumber)>& park);
    int lastHoldNumber() const { return susInv_; }

    // Delete, first step: the checks before the mUDele question (no right or a kind without
    // delete: ignored; past year mNoChg; nothing shown mNoEnt; back-dated mNoDel; already void
    // mDeltd). The screen asks mUDele when this is done, then calls remove().
    Reply checkRemove();
    // Delete, after the confirmation: the writer voids the shown document in one transaction
    // (busy retries as for a save; mInUse when they run out).
    Reply remove(DocumentWriter& writer, const SaveOptions& options = {});

    // Closing the screen in the entry state abandons the entry (nothing of it is written); the
    // screen may ask before it does.
    bool closingAbandonsEntry() const { return state_ == State::Entry; }
    void close();

private:
    void show(int number);
    void refreshBounds();
    int lastSaved() const;

    core::Session& s_;
    const DocumentKind& kind_;
    State state_ = State::Browse;
    int shown_ = 0;
    int firstNo_ = 0, lastNo_ = 0; // bounds of the saved numbers, 0 when none
    Entry entry_;
    int susInv_ = 0;
};

} // namespace kv::documents
