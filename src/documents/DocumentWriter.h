#pragma once
// What one document kind writes when the entry workflow saves or voids a document: header,
// lines and every line's stock effect and the account's running total, all inside the one
// transaction the workflow hands over. The workflow reserves the number (from the kind's number
// procedure, or the typed number when manual numbering is allowed) in the same transaction,
// commits when write() returns, and rolls back and retries the whole save when it throws a busy
// db::DbError.
//
//   class SalesInvoiceWriter : public documents::DocumentWriter { ... };
//   SalesInvoiceWriter w(session, invoice);
//   auto r = documents::saveDocument(session, documents::salesInvoiceKind(), w, {});  // Workflow.h
namespace kv::db { class Transaction; }

namespace kv::documents {

class DocumentWriter {
public:
    virtual ~DocumentWriter() = default;
    // Writes the new document under `number`. Throws db::DbError on a database failure; a
    // failure that is not the database's throws std::runtime_error with the message to show.
    virtual void write(db::Transaction& tr, int number) = 0;
    // Voids a saved document: its header stays with zero amounts, its lines and their effects are
    // reversed. Kinds that cannot be deleted keep this default (it throws std::logic_error).
    virtual void voidDocument(db::Transaction& tr, int number);
};

} // namespace kv::documents
