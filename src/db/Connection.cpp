#include "db/Connection.h"
#include "db/FbApi.h"
#include <ibase.h>
#include <QByteArray>
#include <cstring>

using namespace Firebird;

namespace kv::db {

namespace fb {

IMaster* master() {
    static IMaster* m = fb_get_master_interface();
    return m;
}
IUtil* util() {
    static IUtil* u = master()->getUtilInterface();
    return u;
}

Status::Status() : status_(master()->getStatus()), wrapper_(status_) {}
Status::~Status() { status_->dispose(); }
bool Status::failed() const { return (wrapper_.getState() & IStatus::STATE_ERRORS) != 0; }
void Status::check() {
    if (failed()) raise();
}
void Status::raise() {
    DbError e = errorFrom(&wrapper_);
    wrapper_.init();
    throw e;
}

DbError errorFrom(IStatus* status) {
    const intptr_t* v = status->getErrors();
    std::vector<std::intptr_t> codes;
    for (int i = 0; v[i] != isc_arg_end;) {
        const intptr_t type = v[i];
        if (type == isc_arg_gds) codes.push_back(v[i + 1]);
        i += (type == isc_arg_cstring) ? 3 : 2;
    }
    char buf[2048];
    util()->formatStatus(buf, sizeof buf - 1, status);
    buf[sizeof buf - 1] = 0;
    char state[6] = {0};
    fb_sqlstate(state, reinterpret_cast<const ISC_STATUS*>(v));
    QString text = QString::fromUtf8(buf).trimmed();
    if (text.isEmpty()) text = QStringLiteral("database error");
    return DbError(text, std::move(codes), QString::fromLatin1(state, 5));
}

} // namespace fb

QString connectionName(const QString& server, const QString& path) {
    if (!server.isEmpty() && !path.isEmpty()) return server + QLatin1Char(':') + path;
    return server + path;
}

QString defaultDbPassword() { return QStringLiteral("plumhaven"); }

QString effectiveUser(const QString& user) {
    const QByteArray env = qgetenv("ISC_USER");
    if (!env.isEmpty()) return QString::fromLocal8Bit(env);
    return user.isEmpty() ? QStringLiteral("SYSDBA") : user;
}

QString effectivePassword(const QString& password) {
    const QByteArray env = qgetenv("ISC_PASSWORD");
    if (!env.isEmpty()) return QString::fromLocal8Bit(env);
    return password.isEmpty() ? defaultDbPassword() : password;
}

namespace {

IXpbBuilder* makeDpb(fb::Status& st, const ConnectOptions& o, bool create) {
    IXpbBuilder* dpb = fb::util()->getXpbBuilder(&st, IXpbBuilder::DPB, nullptr, 0);
    st.check();
    dpb->insertString(&st, isc_dpb_user_name, effectiveUser(o.user).toUtf8().constData());
    dpb->insertString(&st, isc_dpb_password, effectivePassword(o.password).toUtf8().constData());
    dpb->insertString(&st, isc_dpb_lc_ctype, "UTF8");
    if (create) {
        dpb->insertInt(&st, isc_dpb_page_size, 8192);
        dpb->insertString(&st, isc_dpb_set_db_charset, "UTF8");
        dpb->insertInt(&st, isc_dpb_sql_dialect, 3);
    }
    st.check();
    return dpb;
}

std::unique_ptr<ConnectionImpl> attach(const ConnectOptions& o, bool create) {
    fb::Status st;
    IXpbBuilder* dpb = makeDpb(st, o, create);
    IProvider* prov = fb::master()->getDispatcher();
    const QByteArray name = o.name().toUtf8();
    const unsigned len = dpb->getBufferLength(&st);
    const unsigned char* buf = dpb->getBuffer(&st);
    IAttachment* att = create ? prov->createDatabase(&st, name.constData(), len, buf)
                              : prov->attachDatabase(&st, name.constData(), len, buf);
    dpb->dispose();
    prov->release();
    if (st.failed()) st.raise();
    auto impl = std::make_unique<ConnectionImpl>();
    impl->att = att;
    impl->name = o.name();
    return impl;
}

} // namespace

Connection::Connection(std::unique_ptr<ConnectionImpl> impl) : d(std::move(impl)) {}

std::unique_ptr<Connection> Connection::open(const ConnectOptions& options) {
    return std::unique_ptr<Connection>(new Connection(attach(options, false)));
}

std::unique_ptr<Connection> Connection::create(const ConnectOptions& options) {
    return std::unique_ptr<Connection>(new Connection(attach(options, true)));
}

Connection::~Connection() {
    try {
        close();
    } catch (...) {
    }
}

bool Connection::isOpen() const { return d && d->att; }

void Connection::close() {
    if (!d || !d->att) return;
    fb::Status st;
    d->att->detach(&st);
    if (st.failed()) {
        // Detach failed (e.g. the server went away): drop the handle anyway.
        d->att->release();
    }
    d->att = nullptr;
}

void Connection::drop() {
    if (!d || !d->att) return;
    fb::Status st;
    d->att->dropDatabase(&st);
    st.check();
    d->att = nullptr;
}

const QString& Connection::name() const { return d->name; }

void Connection::executeImmediate(const QString& sql) {
    Transaction tr(*this);
    tr.execute(sql);
    tr.commit();
}

// ---- Transaction

namespace {
ITransaction* startTransaction(ConnectionImpl* c) {
    if (!c || !c->att) throw DbError(QStringLiteral("the database connection is closed"));
    fb::Status st;
    IXpbBuilder* tpb = fb::util()->getXpbBuilder(&st, IXpbBuilder::TPB, nullptr, 0);
    st.check();
    tpb->insertTag(&st, isc_tpb_write);
    tpb->insertTag(&st, isc_tpb_read_committed);
    tpb->insertTag(&st, isc_tpb_rec_version);
    tpb->insertTag(&st, isc_tpb_nowait);
    ITransaction* tra = c->att->startTransaction(&st, tpb->getBufferLength(&st), tpb->getBuffer(&st));
    tpb->dispose();
    st.check();
    return tra;
}
} // namespace

Transaction::Transaction(Connection& connection) : conn_(connection), d(std::make_unique<TransactionImpl>()) {
    d->tra = startTransaction(conn_.impl());
}

Transaction::~Transaction() {
    if (d->tra) {
        fb::Status st;
        d->tra->rollback(&st);
        if (st.failed()) d->tra->release();
        d->tra = nullptr;
    }
}

bool Transaction::isActive() const { return d->tra != nullptr; }

void Transaction::commit() {
    if (!d->tra) return;
    fb::Status st;
    d->tra->commit(&st);
    st.check(); // on failure the transaction stays active: the caller rolls back
    d->tra = nullptr;
}

void Transaction::commitRetaining() {
    if (!d->tra) throw DbError(QStringLiteral("no active transaction"));
    fb::Status st;
    d->tra->commitRetaining(&st);
    st.check();
}

void Transaction::rollback() {
    if (!d->tra) return;
    fb::Status st;
    d->tra->rollback(&st);
    if (st.failed()) {
        d->tra->release();
        d->tra = nullptr;
        st.raise();
    }
    d->tra = nullptr;
}

void Transaction::rollbackRetaining() {
    if (!d->tra) throw DbError(QStringLiteral("no active transaction"));
    fb::Status st;
    d->tra->rollbackRetaining(&st);
    st.check();
}

void Transaction::restart() {
    rollback();
    d->tra = startTransaction(conn_.impl());
}

int Transaction::execute(const QString& sql, std::initializer_list<std::pair<const char*, Value>> params) {
    Query q(*this, sql);
    for (const auto& p : params) q.bind(QString::fromUtf8(p.first), p.second);
    q.execute();
    return q.rowsAffected();
}

int Transaction::update(const QString& table, const QString& set, const QString& where,
                        std::initializer_list<std::pair<const char*, Value>> params) {
    Query q(*this, QStringLiteral("UPDATE %1 SET %2 WHERE %3").arg(table, set, where));
    for (const auto& p : params) q.bind(QString::fromUtf8(p.first), p.second);
    return q.executeUpdate(table, where);
}

Value scalar(Transaction& tr, const QString& sql, std::initializer_list<std::pair<const char*, Value>> params) {
    Query q(tr, sql);
    for (const auto& p : params) q.bind(QString::fromUtf8(p.first), p.second);
    q.execute();
    if (!q.next()) return Null{};
    return q.value(0);
}

} // namespace kv::db
