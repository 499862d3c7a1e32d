#include "documents/Workflow.h"
#include "core/Services.h"
#include "db/Connection.h"
#include "db/Error.h"
#include <QRandomGenerator>
#include <chrono>
#include <limits>
#include <thread>

namespace kv::documents {

using core::Session;
using db::Query;
using db::Transaction;

namespace {

std::optional<std::int64_t> integerOf(const db::Value& v)
{
    if (auto i = std::get_if<std::int64_t>(&v)) return *i;
    if (auto d = std::get_if<db::Decimal>(&v)) return d->units; // only integer columns are read here
    return std::nullopt;
}

std::optional<int> scalarInt(Transaction& tr, const QString& sql,
                             std::initializer_list<std::pair<const char*, db::Value>> params = {})
{
    const auto v = integerOf(db::scalar(tr, sql, params));
    if (!v) return std::nullopt;
    return int(*v);
}

bool exists(Transaction& tr, const DocumentKind& k, int number)
{
    return scalarInt(tr, QStringLiteral("select 1 from %1 where %2 = :N").arg(k.headerTable, k.numberColumn),
                     {{"N", std::int64_t(number)}})
        .has_value();
}

// Reserves the next number: the procedure returns the last number issued and advances the
// generator, so last + 1 is given to no other workstation. When the generator is behind the
// numbers on file (numbers typed by hand while manual numbering was on, rows restored) it jumps
// past the highest one; it is never moved backwards, since a lower value could hand out a number
// another workstation reserved and has not committed yet.
int reserveNumber(Transaction& tr, const DocumentKind& k)
{
    Query q(tr, QStringLiteral("execute procedure ") + k.numberProcedure);
    q.execute();
    int number = (q.next() ? int(q.integer(k.procedureOutput)) : 0) + 1;
    const QString highest = QStringLiteral("coalesce((select max(%1) from %2), 0)").arg(k.numberColumn, k.headerTable);
    for (int i = 0; i < 5; ++i) {
        const int top = scalarInt(tr, QStringLiteral("select %1 from RDB$DATABASE").arg(highest)).value_or(0);
        if (number > top) break;
        number = scalarInt(tr, QStringLiteral("select gen_id(%1, maxvalue(1, %2 - gen_id(%1, 0) + 1)) from RDB$DATABASE")
                                   .arg(k.generator, highest))
                     .value_or(top + 1);
    }
    return number;
}

void pause(const SaveOptions& o)
{
    const int lo = std::max(0, o.minPauseMs);
    const int hi = std::max(lo, o.maxPauseMs);
    const int ms = lo == hi ? lo : int(QRandomGenerator::global()->bounded(lo, hi + 1));
    if (ms > 0) std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

// Runs `body` in a fresh transaction and commits it; a busy conflict rolls back and runs it again
// after a pause, up to options.attempts times. `body` returns a result to stop without
// committing (a refusal), or nothing to commit.
SaveResult inOneTransaction(Session& s, const SaveOptions& o,
                            const std::function<std::optional<SaveResult>(Transaction&)>& body)
{
    const int tries = std::max(1, o.attempts);
    for (int attempt = 1;; ++attempt) {
        try {
            Transaction tr(*s.MainDB);
            if (auto stop = body(tr)) {
                stop->attempts = attempt;
                return *stop; // the transaction rolls back
            }
            tr.commit();
            SaveResult r;
            r.status = SaveStatus::Saved;
            r.attempts = attempt;
            return r;
        } catch (const db::DbError& e) {
            if (!e.isBusy() || attempt >= tries) {
                SaveResult r;
                r.status = SaveStatus::Busy;
                r.attempts = attempt;
                r.message = s.msg.mInUse;
                return r;
            }
        } catch (const std::runtime_error& e) {
            SaveResult r;
            r.status = SaveStatus::Refused;
            r.attempts = attempt;
            r.message = QString::fromUtf8(e.what());
            return r;
        }
        pause(o);
    }
}

SaveResult refusal(const QString& message, const QString& field)
{
    SaveResult r;
    r.status = SaveStatus::Refused;
    r.message = message;
    r.field = field;
    return r;
}

} // namespace

// The earlier design committed the header and lines first and then updated each item and the
// account in transactions of their own: a failure or a lock conflict half way left a saved
// document whose stock and balances were wrong. Here header, lines and every effect commit
// together or not at all.
SaveResult saveDocument(Session& s, const DocumentKind& kind, DocumentWriter& writer, const SaveOptions& options)
{
    const bool typed = kind.typedNumberSaved(s);
    if (typed && options.typedNumber <= 0) return refusal(kind.badNumberText, kind.numberColumn);

    // Reserved once: the generator does not roll back, so a retry keeps the number it already owns.
    int number = 0;
    SaveResult r = inOneTransaction(s, options, [&](Transaction& tr) -> std::optional<SaveResult> {
        if (typed) {
            if (exists(tr, kind, options.typedNumber)) return refusal(kind.numberTakenText, kind.numberColumn);
            number = options.typedNumber;
        } else if (number == 0 || exists(tr, kind, number)) {
            number = reserveNumber(tr, kind);
        }
        try {
            writer.write(tr, number);
        } catch (const db::DbError& e) {
            if (!e.hasCode(db::gds::unique_key) && !e.hasCode(db::gds::no_dup)) throw;
            // Another workstation stored this number after the check above (committed or not yet):
            // the retry takes a fresh number, or finds the typed one taken or still in use.
            if (!typed) number = 0;
            throw db::DbError(e.text(), {db::gds::update_conflict}, QStringLiteral("40001"));
        }
        return std::nullopt;
    });
    if (r.ok()) {
        r.number = number;
        kind.currentNumber(s) = number;
    }
    return r;
}

Reply checkDocumentDate(const Session& s, const DocumentKind& kind, const QDate& date)
{
    static const QString field = QStringLiteral("TRDATE");
    if (!date.isValid()) return Reply::refused(s.msg.mNoDte, field);
    if (QString::number(date.year()) != s.CurrYr.trimmed()) return Reply::refused(s.msg.mWInYr, field);
    const bool backDateRefused = kind.backDating == BackDating::Refused ||
                                 (kind.backDating == BackDating::UnlessDateEditable && !kind.dateEditable(s));
    if (backDateRefused && s.LTrDate.isValid() && date < s.LTrDate) return Reply::refused(s.msg.mNoTrN, field);
    return Reply::ok();
}

std::optional<qint64> parseDocumentNumber(const QString& text)
{
    const QString t = text.trimmed();
    if (t.isEmpty() || t.size() > 18) return std::nullopt;
    qint64 n = 0;
    for (const QChar c : t) {
        const int d = c.digitValue();
        if (d < 0) return std::nullopt;
        n = n * 10 + d;
    }
    return n;
}

// ---------------------------------------------------------------------------------------------

Workflow::Workflow(Session& s, const DocumentKind& kind) : s_(s), kind_(kind) {}

void Workflow::open()
{
    state_ = State::Browse;
    susInv_ = 0;
    s_.mDType = kind_.englishName;
    Transaction tr(*s_.MainDB);
    if (kind_.refreshesLatestDate) {
        const db::Value v = db::scalar(tr, QStringLiteral("select max(TRDATE) from ") + kind_.headerTable);
        const QDate* d = std::get_if<QDate>(&v);
        s_.LTrDate = d ? *d : s_.mcHDate;
    }
    // Held documents last only while the screen is open.
    if (kind_.offersHold()) {
        tr.execute(QStringLiteral("delete from ") + kind_.holdLineTable);
        tr.execute(QStringLiteral("delete from ") + kind_.holdHeaderTable);
    }
    const int remembered = kind_.currentNumber(s_);
    const bool keep = remembered > 0 && exists(tr, kind_, remembered);
    tr.commit();
    refreshBounds();
    show(keep ? remembered : lastNo_);
}

void Workflow::refreshBounds()
{
    Transaction tr(*s_.MainDB);
    // Two sub-selects: each reads one end of its index, where one select with both aggregates
    // scans the table.
    Query q(tr, QStringLiteral("select (select min(%1) from %2) as LO, (select max(%1) from %2) as HI from RDB$DATABASE")
                    .arg(kind_.numberColumn, kind_.headerTable));
    q.execute();
    firstNo_ = lastNo_ = 0;
    if (q.next()) {
        firstNo_ = int(q.integer(QStringLiteral("LO")));
        lastNo_ = int(q.integer(QStringLiteral("HI")));
    }
}

void Workflow::show(int number)
{
    shown_ = number;
    if (number > 0) kind_.currentNumber(s_) = number;
}

Buttons Workflow::buttons() const
{
    Buttons b;
    if (state_ == State::Entry) {
        b.post = b.cancel = true;
        b.hold = b.heldList = kind_.offersHold();
        b.numberEditable = kind_.manualNumber(s_);
        b.dateEditable = kind_.dateEditable(s_);
        return b;
    }
    b.insert = b.view = true;
    const bool any = shown_ > 0;
    b.print = any;
    b.remove = any && kind_.offersDelete();
    b.first = b.prior = any && shown_ > firstNo_;
    b.next = b.last = any && shown_ < lastNo_;
    return b;
}

int Workflow::first()
{
    if (state_ != State::Browse) return shown_;
    refreshBounds();
    show(firstNo_);
    return shown_;
}

int Workflow::last()
{
    if (state_ != State::Browse) return shown_;
    refreshBounds();
    show(lastNo_);
    return shown_;
}

int Workflow::prior()
{
    if (state_ != State::Browse) return shown_;
    std::optional<int> n;
    {
        Transaction tr(*s_.MainDB);
        n = scalarInt(tr, QStringLiteral("select max(%1) from %2 where %1 < :N").arg(kind_.numberColumn, kind_.headerTable),
                      {{"N", std::int64_t(shown_)}});
    }
    if (!n) return first();
    refreshBounds();
    show(*n);
    return shown_;
}

int Workflow::next()
{
    if (state_ != State::Browse) return shown_;
    std::optional<int> n;
    {
        Transaction tr(*s_.MainDB);
        n = scalarInt(tr, QStringLiteral("select min(%1) from %2 where %1 > :N").arg(kind_.numberColumn, kind_.headerTable),
                      {{"N", std::int64_t(shown_)}});
    }
    if (!n) return last();
    refreshBounds();
    show(*n);
    return shown_;
}

Reply Workflow::view(const QString& typed)
{
    if (state_ != State::Browse || typed.trimmed().isEmpty()) return Reply::ignored();
    const std::optional<qint64> n = parseDocumentNumber(typed);
    if (!n) return Reply::refused(text::notANumber());
    bool found = false;
    if (*n > 0 && *n <= std::numeric_limits<int>::max()) {
        Transaction tr(*s_.MainDB);
        found = exists(tr, kind_, int(*n));
    }
    if (!found) return Reply::refused(s_.msg.mNoDoc);
    refreshBounds();
    show(int(*n));
    return Reply::ok();
}

int Workflow::lastSaved() const
{
    Transaction tr(*s_.MainDB);
    return scalarInt(tr, QStringLiteral("select maxvalue(gen_id(%1, 0), coalesce((select max(%2) from %3), 0))"
                                        " from RDB$DATABASE")
                             .arg(kind_.generator, kind_.numberColumn, kind_.headerTable))
        .value_or(0);
}

Reply Workflow::insert()
{
    if (state_ != State::Browse) return Reply::ignored();
    if (kind_.addRight && !s_.allowed(*kind_.addRight)) return Reply::ignored();
    last();
    s_.mLNo = 0;
    entry_ = Entry{};
    // Read without reserving: the number is only taken at save time, so another workstation
    // saving meanwhile makes this document take a later number.
    entry_.provisionalNumber = entry_.number = lastSaved() + 1;
    entry_.date = core::defaultDocumentDate(s_);
    state_ = State::Entry;
    return Reply::ok();
}

SaveResult Workflow::save(DocumentWriter& writer, SaveOptions options)
{
    if (state_ != State::Entry) return {};
    const Reply date = checkDocumentDate(s_, kind_, entry_.date);
    if (!date.done) return refusal(date.message, date.field);
    options.typedNumber = entry_.number;
    SaveResult r = saveDocument(s_, kind_, writer, options);
    if (!r.ok()) return r;
    if (!s_.LTrDate.isValid() || entry_.date > s_.LTrDate) s_.LTrDate = entry_.date;
    state_ = State::Browse;
    entry_ = Entry{};
    refreshBounds();
    show(r.number);
    return r;
}

void Workflow::cancel()
{
    if (state_ != State::Entry) return;
    state_ = State::Browse;
    entry_ = Entry{};
    last();
}

Reply Workflow::hold(const std::function<void(Transaction&, int)>& park)
{
    if (state_ != State::Entry || !kind_.offersHold()) return Reply::ignored();
    try {
        Transaction tr(*s_.MainDB);
        park(tr, susInv_ + 1);
        tr.commit();
    } catch (const db::DbError&) {
        return Reply::refused(s_.msg.mInUse);
    }
    ++susInv_;
    cancel();
    return Reply::ok();
}

Reply Workflow::checkRemove()
{
    if (state_ != State::Browse || !kind_.offersDelete() || !s_.allowed(*kind_.deleteRight)) return Reply::ignored();
    if (s_.CurrYr != s_.LastYr) return Reply::refused(s_.msg.mNoChg);
    if (shown_ <= 0) return Reply::refused(s_.msg.mNoEnt);
    Transaction tr(*s_.MainDB);
    Query q(tr, QStringLiteral("select TRDATE, %1 as AMNT from %2 where %3 = :N")
                    .arg(kind_.amountColumn, kind_.headerTable, kind_.numberColumn));
    q.bind(QStringLiteral("N"), shown_);
    q.execute();
    if (!q.next()) return Reply::refused(s_.msg.mNoEnt);
    const QDate date = q.date(QStringLiteral("TRDATE"));
    if (date.isValid() && s_.LTrDate.isValid() && date < s_.LTrDate) return Reply::refused(s_.msg.mNoDel);
    if (q.decimal(QStringLiteral("AMNT"), 2).units == 0) return Reply::refused(s_.msg.mDeltd);
    return Reply::ok();
}

Reply Workflow::remove(DocumentWriter& writer, const SaveOptions& options)
{
    const Reply allowed = checkRemove();
    if (!allowed.done) return allowed;
    const int number = shown_;
    const SaveResult r = inOneTransaction(s_, options, [&](Transaction& tr) -> std::optional<SaveResult> {
        writer.voidDocument(tr, number);
        return std::nullopt;
    });
    if (!r.ok()) return Reply::refused(r.message);
    refreshBounds();
    Transaction tr(*s_.MainDB);
    const bool kept = exists(tr, kind_, number);
    tr.commit();
    show(kept ? number : lastNo_); // a kind may free the number instead of keeping a void header
    return Reply::ok();
}

void Workflow::close()
{
    if (state_ == State::Entry) cancel();
}

} // namespace kv::documents
