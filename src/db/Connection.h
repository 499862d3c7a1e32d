#pragma once
#include "db/Error.h"
#include "db/Value.h"
#include <QString>
#include <QStringList>
#include <memory>

namespace kv::db {

// The connection-name rule: "server:path" when both are non-empty, otherwise the two joined
// (an empty server gives a local path, opened by the embedded engine).
QString connectionName(const QString& server, const QString& path);

struct ConnectOptions {
    QString server;   // host, host/port, or empty for the embedded engine
    QString path;     // database file path on the server machine
    QString user;     // empty: ISC_USER from the environment, else "SYSDBA"
    QString password; // empty: ISC_PASSWORD from the environment, else the fixed program password
    QString name() const { return connectionName(server, path); }
};

// The database administrator password the program logs in with unless ISC_PASSWORD is set.
QString defaultDbPassword();
// User and password that a connection actually uses (environment first, then the defaults).
QString effectiveUser(const QString& user);
QString effectivePassword(const QString& password);

class Transaction;
struct ConnectionImpl;

// One attachment to a database. Not copyable; close() or the destructor detaches.
class Connection {
public:
    static std::unique_ptr<Connection> open(const ConnectOptions& options);
    // Creates a new database (DEFAULT CHARACTER SET UTF8, page size 8192) and returns it open.
    static std::unique_ptr<Connection> create(const ConnectOptions& options);
    ~Connection();
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    bool isOpen() const;
    void close();
    // Deletes the database file (on the server, for a remote one) and closes the connection.
    // Fails when other attachments are open.
    void drop();
    const QString& name() const;

    // Runs a DDL or other statement in its own transaction and commits it.
    void executeImmediate(const QString& sql);

    ConnectionImpl* impl() const { return d.get(); }

private:
    explicit Connection(std::unique_ptr<ConnectionImpl> impl);
    std::unique_ptr<ConnectionImpl> d;
};

struct TransactionImpl;

// write, read committed, record version, no wait. Starts on construction;
// the destructor rolls back a transaction still active.
class Transaction {
public:
    explicit Transaction(Connection& connection);
    ~Transaction();
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;

    void commit();
    void commitRetaining();
    void rollback();
    void rollbackRetaining();
    bool isActive() const;
    void restart(); // rollback if active, then start again

    Connection& connection() const { return conn_; }
    TransactionImpl* impl() const { return d.get(); }

    // Convenience: prepare, bind by name in order of the list, execute; returns rows affected.
    int execute(const QString& sql, std::initializer_list<std::pair<const char*, Value>> params = {});
    // UPDATE table SET set WHERE where, through Query::executeUpdate; returns rows changed.
    int update(const QString& table, const QString& set, const QString& where,
               std::initializer_list<std::pair<const char*, Value>> params = {});

private:
    Connection& conn_;
    std::unique_ptr<TransactionImpl> d;
};

struct QueryImpl;

// A prepared statement with :NAME parameters (a name may occur more than once).
// Values bound stay bound across executions.
//   Query q(tr, "select DESCR from STOCK where ITEMNO = :ITEMNO");
//   q.bind("ITEMNO", itemNo); q.execute(); while (q.next()) q.text("DESCR");
class Query {
public:
    Query(Transaction& transaction, const QString& sql);
    ~Query();
    Query(const Query&) = delete;
    Query& operator=(const Query&) = delete;

    Query& bind(const QString& name, const Value& value); // throws DbError for an unknown name
    Query& bind(const QString& name, const QString& v) { return bind(name, Value(v)); }
    Query& bind(const QString& name, const char* v) { return bind(name, Value(QString::fromUtf8(v))); }
    Query& bind(const QString& name, int v) { return bind(name, Value(std::int64_t(v))); }
    Query& bind(const QString& name, std::int64_t v) { return bind(name, Value(v)); }
    Query& bind(const QString& name, double v) { return bind(name, Value(v)); }
    Query& bind(const QString& name, const Decimal& v) { return bind(name, Value(v)); }
    Query& bind(const QString& name, const QDate& v) { return bind(name, toValue(v)); }
    Query& bind(const QString& name, const QDateTime& v) { return bind(name, toValue(v)); }
    Query& bind(const QString& name, const QByteArray& v) { return bind(name, Value(v)); }
    Query& bindNull(const QString& name) { return bind(name, Value(Null{})); }
    QStringList parameterNames() const; // distinct names in order of first appearance

    // Executes; for a select opens the cursor (call next()), otherwise runs it.
    // A select of a single row (or EXECUTE PROCEDURE ... RETURNING) may also be read with next().
    void execute();
    bool next();               // moves to the next row; false at the end
    int rowsAffected() const;  // for insert / update / delete

    // Executes an UPDATE of rows that other workstations change too (an item's or an account's
    // running figures, their cards) and returns the rows changed. Under contention Firebird 3 can
    // let an UPDATE on a read-committed no-wait transaction pass over a row that a concurrent
    // transaction has just changed: no row changed and no error. So when no row changed, the row
    // is read with SELECT 1 FROM `table` WHERE `where` WITH LOCK (the statement's own WHERE and
    // parameters), which does not pass over it; a row found there throws the update conflict the
    // engine should have raised, and the caller's retry runs the transaction again.
    int executeUpdate(const QString& table, const QString& where);

    int columnCount() const;
    QString columnName(int i) const; // alias as the server gives it, upper case
    int columnIndex(const QString& name) const; // -1 when absent

    bool isNull(int i) const;
    bool isNull(const QString& name) const;
    Value value(int i) const;
    Value value(const QString& name) const;
    // Typed reads; a NULL gives the empty value (empty text, 0, invalid date). CHAR is trimmed on the right.
    QString text(const QString& name) const;
    std::int64_t integer(const QString& name) const;
    double real(const QString& name) const;
    Decimal decimal(const QString& name, int scale) const; // rescaled to `scale`
    QDate date(const QString& name) const;
    QDateTime timestamp(const QString& name) const;
    QByteArray blob(const QString& name) const;

private:
    std::unique_ptr<QueryImpl> d;
};

// Returns the single value of a one-row query (or Null when no row).
Value scalar(Transaction& tr, const QString& sql, std::initializer_list<std::pair<const char*, Value>> params = {});

} // namespace kv::db
