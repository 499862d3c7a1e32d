#include "masters/Search.h"
#include "core/StartupRules.h"
#include "masters/Internal.h"

// Every search builds its statement from fixed pieces and passes the typed text as a parameter.
// The earlier design pasted the text into the statement between quotes, so a quote in the text
// broke the statement and "%" or "_" changed its meaning.
//
// Plans: a number prefix walks the primary key in order and stops after the page. A name
// containment cannot use an index to find its rows; walking the name index in order would read
// every row in index order (random pages) until a page is full, which for a rare text means all
// of them. "NAME || ''" in the ORDER BY keeps the optimizer off that index: one sequential scan,
// then a sort of the matches only.
//
// The item description search has a table of its own, ITEMSRCH (year.sql): ITEMNO, DESCR and
// SRCH, the upper-cased description as bytes, kept by a trigger on STOCK. Its text is upper-cased
// the same way and compared as bytes (CONTAINING over OCTETS is a plain byte search: no case
// folding per row, no wildcards), its page is sorted and cut there, and only the rows of the page
// are read from STOCK. Before that scan, a bounded walk of ITEMSRCH in description order answers
// texts found in many items (one or two typed letters) without sorting thousands of matches; when
// the walk does not fill the page, the scan gives the exact page. Measured over 100,000 items:
// bench/bench_search.cpp.

namespace kv::masters {

namespace {

bool startsWithDigit(const QString& t)
{
    return !t.isEmpty() && t.at(0) >= QLatin1Char('0') && t.at(0) <= QLatin1Char('9');
}

// A typed text as a parameter: as long as the search box allows, never shorter than the column.
QString param(const QString& name) { return QStringLiteral("CAST(:%1 AS VARCHAR(100))").arg(name); }

QString decimalText(std::int64_t units, int scale, int decimals)
{
    return db::Decimal(units, scale).rescaled(decimals).toString();
}

// A search whose statements are not "select + where + order by + ROWS": it names its own page
// and count statements while ownsStatements() is true (the item description search).
class OwnStatements {
public:
    virtual ~OwnStatements() = default;
    virtual bool ownsStatements() const = 0;
    // Statements for rows offset+1 .. offset+count (:KV_FIRST, :KV_LAST and the filter's
    // parameters), cheapest first. Each but the last may come back short because it reads only
    // part of the rows; the next is then tried. The last is exact.
    virtual QStringList pageStatements(int offset, int count) const = 0;
    virtual QString countStatement() const = 0;
};

const OwnStatements* ownStatements(const SearchQuery* q)
{
    const auto* own = dynamic_cast<const OwnStatements*>(q);
    return own && own->ownsStatements() ? own : nullptr;
}

} // namespace

// ---------------------------------------------------------------------------------------------

const SearchRecord::Cell* SearchRecord::find(const QString& name) const
{
    for (const Cell& c : cells)
        if (c.name == name) return &c;
    return nullptr;
}

QString SearchRecord::text(const QString& name) const
{
    const Cell* c = find(name);
    return c ? c->text : QString();
}

QString SearchRecord::decimal(const QString& name, int decimals) const
{
    const Cell* c = find(name);
    if (!c || c->isNull) return {};
    if (c->scale < 0) return c->text;
    return decimalText(c->units, c->scale, decimals);
}

db::Decimal SearchRecord::number(const QString& name) const
{
    const Cell* c = find(name);
    if (!c || c->isNull || c->scale < 0) return db::Decimal(0, 0);
    return db::Decimal(c->units, c->scale);
}

qint64 SearchRecord::integer(const QString& name) const
{
    const Cell* c = find(name);
    if (!c || c->isNull) return 0;
    if (c->scale <= 0) return c->units;
    return db::Decimal(c->units, c->scale).rescaled(0).units;
}

QDate SearchRecord::date(const QString& name) const
{
    const Cell* c = find(name);
    return c ? c->date : QDate();
}

// ---------------------------------------------------------------------------------------------

SearchQuery::SearchQuery(db::Connection& connection, QString caption, QString boxCaption, int maxText,
                         QList<SearchColumn> columns, QString select)
    : conn_(connection), caption_(std::move(caption)), boxCaption_(std::move(boxCaption)), maxText_(maxText),
      columns_(std::move(columns)), select_(std::move(select))
{
}

SearchQuery::~SearchQuery() = default;

int SearchQuery::columnIndex(const QString& name) const
{
    for (int i = 0; i < columns_.size(); ++i)
        if (columns_[i].name == name) return i;
    return -1;
}

void SearchQuery::setText(const QString& text)
{
    text_ = text;
}

QString SearchQuery::statement() const
{
    if (const OwnStatements* own = ownStatements(this)) return own->pageStatements(0, 1).constLast();
    QString sql = select_;
    if (!filter_.where.isEmpty()) sql += QStringLiteral(" WHERE ") + filter_.where;
    if (!filter_.orderBy.isEmpty()) sql += QStringLiteral(" ORDER BY ") + filter_.orderBy;
    return sql;
}

QList<std::pair<QString, QString>> SearchQuery::parameters() const
{
    QList<std::pair<QString, QString>> r;
    for (const auto& [n, v] : filter_.params) r.append({n, v});
    for (const auto& [n, v] : filter_.intParams) r.append({n, QString::number(v)});
    return r;
}

namespace {

void bindFilter(db::Query& q, const std::vector<std::pair<QString, QString>>& params,
                const std::vector<std::pair<QString, qint64>>& intParams)
{
    for (const auto& [n, v] : params) q.bind(n, v);
    for (const auto& [n, v] : intParams) q.bind(n, std::int64_t(v));
}

SearchRecord recordOf(const db::Query& q)
{
    SearchRecord r;
    const int n = q.columnCount();
    r.cells.reserve(size_t(n));
    for (int i = 0; i < n; ++i) {
        SearchRecord::Cell c;
        c.name = q.columnName(i);
        const db::Value v = q.value(i);
        c.isNull = std::holds_alternative<db::Null>(v);
        if (auto s = std::get_if<QString>(&v)) {
            c.text = s->trimmed();
        } else if (auto d = std::get_if<db::Decimal>(&v)) {
            c.units = d->units;
            c.scale = d->scale;
            c.text = d->toString();
        } else if (auto k = std::get_if<std::int64_t>(&v)) {
            c.units = *k;
            c.scale = 0;
            c.text = QString::number(*k);
        } else if (auto dt = std::get_if<QDate>(&v)) {
            c.date = *dt;
            c.text = dt->toString(QStringLiteral("yyyy/MM/dd"));
        } else if (auto x = std::get_if<double>(&v)) {
            c.text = QString::number(*x, 'f', 2);
        }
        r.cells.push_back(std::move(c));
    }
    return r;
}

} // namespace

QStringList SearchQuery::format(const SearchRecord& record) const
{
    QStringList cells;
    for (const SearchColumn& c : columns_) cells << record.text(c.name);
    return cells;
}

QList<SearchRow> SearchQuery::fetch(int offset, int count) const
{
    QList<SearchRow> rows;
    if (count <= 0 || offset < 0) return rows;
    const OwnStatements* own = ownStatements(this);
    const QStringList tries = own ? own->pageStatements(offset, count)
                                  : QStringList{statement() + QStringLiteral(" ROWS :KV_FIRST TO :KV_LAST")};
    db::Transaction tr(conn_);
    for (const QString& sql : tries) {
        rows.clear();
        db::Query q(tr, sql);
        bindFilter(q, filter_.params, filter_.intParams);
        q.bind(QStringLiteral("KV_FIRST"), std::int64_t(offset) + 1);
        q.bind(QStringLiteral("KV_LAST"), std::int64_t(offset) + count);
        q.execute();
        while (q.next()) rows << SearchRow{format(recordOf(q))};
        if (rows.size() == count) break;
    }
    tr.commit();
    return rows;
}

int SearchQuery::count() const
{
    QString sql;
    if (const OwnStatements* own = ownStatements(this)) {
        sql = own->countStatement();
    } else {
        sql = QStringLiteral("SELECT COUNT(*) FROM (") + select_;
        if (!filter_.where.isEmpty()) sql += QStringLiteral(" WHERE ") + filter_.where;
        sql += QStringLiteral(")");
    }
    db::Transaction tr(conn_);
    db::Query q(tr, sql);
    bindFilter(q, filter_.params, filter_.intParams);
    q.execute();
    const int n = q.next() ? int(q.integer(q.columnName(0))) : 0;
    tr.commit();
    return n;
}

// ---------------------------------------------------------------------------------------------
// Items

namespace {

using Align = SearchColumn::Align;

class ItemSearch : public SearchQuery, public OwnStatements {
public:
    explicit ItemSearch(const core::Session& s)
        : SearchQuery(detail::yearDb(s), QStringLiteral("بحث في بنود الأصـناف"), QStringLiteral("أدخل بيان البحـ&ث"), 40,
                      {{QStringLiteral("ITEMNO"), QStringLiteral("رقم الصنف"), 14, Align::Start, true},
                       {QStringLiteral("DESCR"), QStringLiteral("الـبــيــــــــان"), 40, Align::Start, true},
                       {QStringLiteral("QONHND"), QStringLiteral("المخـزون"), 12, Align::End, true},
                       {QStringLiteral("UPRICE"), QStringLiteral("سعر البيع"), 12, Align::End, true},
                       {QStringLiteral("MINSTOCK"), QStringLiteral("الحد الأدنى"), 8, Align::End, true},
                       {QStringLiteral("FLAG"), QStringLiteral("?"), 1, Align::Center, true},
                       {QStringLiteral("LOCATION"), QStringLiteral("الموقع بالمستودع"), 8, Align::Start, false}},
                      QStringLiteral("SELECT ITEMNO, DESCR, ONHAND, UPRICE, QUNITS, MINSTOCK, LOCATION FROM STOCK"))
    {
        ItemSearch::setText(QString());
    }

    void setText(const QString& text) override
    {
        setTextOnly(text);
        Filter f;
        describing_ = false;
        if (startsWithDigit(text)) {
            f.where = QStringLiteral("ITEMNO STARTING WITH ") + param(QStringLiteral("T"));
            f.orderBy = QStringLiteral("ITEMNO");
            f.params.push_back({QStringLiteral("T"), text});
        } else if (!text.isEmpty()) {
            describing_ = true; // pageStatements()
            f.params.push_back({QStringLiteral("T"), text});
        } else {
            f.orderBy = QStringLiteral("ITEMNO");
        }
        setFilter(std::move(f));
    }

    bool ownsStatements() const override { return describing_; }

    QStringList pageStatements(int offset, int count) const override
    {
        // The page's items, read from STOCK in the page's order.
        const auto page = [](const QString& pick) {
            return QStringLiteral("SELECT S.ITEMNO, S.DESCR, S.ONHAND, S.UPRICE, S.QUNITS, S.MINSTOCK, S.LOCATION "
                                  "FROM (%1) P JOIN STOCK S ON S.ITEMNO = P.ITEMNO ORDER BY P.DESCR, P.ITEMNO")
                .arg(pick);
        };
        // The first items in description order, enough for a text found in one item of twenty.
        const qint64 walk = qMin<qint64>(20 * (qint64(offset) + count), 2000);
        const QString walked = QStringLiteral("SELECT W.ITEMNO, W.DESCR FROM (SELECT ITEMNO, DESCR, SRCH FROM ITEMSRCH "
                                              "ORDER BY DESCR, ITEMNO ROWS %1) W WHERE %2 "
                                              "ROWS :KV_FIRST TO :KV_LAST")
                                   .arg(QString::number(walk), srchMatch(QStringLiteral("W.SRCH")));
        // All matches, sorted.
        const QString scanned = QStringLiteral("SELECT ITEMNO, DESCR FROM ITEMSRCH WHERE %1 "
                                               "ORDER BY DESCR || '', ITEMNO ROWS :KV_FIRST TO :KV_LAST")
                                    .arg(srchMatch(QStringLiteral("SRCH")));
        return {page(walked), page(scanned)};
    }

    QString countStatement() const override
    {
        return QStringLiteral("SELECT COUNT(*) FROM ITEMSRCH WHERE ") + srchMatch(QStringLiteral("SRCH"));
    }

protected:
    QStringList format(const SearchRecord& r) const override
    {
        const core::Qty onHand = core::Qty::fromDecimal(r.number(QStringLiteral("ONHAND")));
        const core::Qty units = core::Qty::fromDecimal(r.number(QStringLiteral("QUNITS")));
        const core::Qty qOnHand = core::ItemQuantities::largeUnits(onHand, units, core::StockFlavour::Stock);
        const qint64 minStock = r.integer(QStringLiteral("MINSTOCK"));
        const QString upr = r.decimal(QStringLiteral("UPRICE"), 2);
        return {r.text(QStringLiteral("ITEMNO")),
                r.text(QStringLiteral("DESCR")),
                qOnHand.round<2>().toString(),
                upr.isEmpty() ? QStringLiteral("0.00") : upr,
                QString::number(minStock),
                qOnHand < core::Qty::fromInt(minStock) ? QStringLiteral("?") : QString(),
                r.text(QStringLiteral("LOCATION"))};
    }

private:
    // The rows of ITEMSRCH whose description contains the typed text, in any case: the text
    // upper-cased as SRCH holds a description, compared as bytes.
    static QString srchMatch(const QString& srch)
    {
        return QStringLiteral("%1 CONTAINING CAST(UPPER(%2) AS VARCHAR(400) CHARACTER SET OCTETS)")
            .arg(srch, param(QStringLiteral("T")));
    }

    bool describing_ = false; // a description text: the statements are ours
};

// ---------------------------------------------------------------------------------------------
// Earlier customers, salesmen

class EarlierCustomerSearch : public SearchQuery {
public:
    explicit EarlierCustomerSearch(const core::Session& s)
        : SearchQuery(detail::yearDb(s), QStringLiteral(" بحث برقم الهاتف"), QString(), 40,
                      {{QStringLiteral("INVSEL"), QStringLiteral("رقم الفاتورة"), 8, Align::End, true},
                       {QStringLiteral("TRDATE"), QStringLiteral("التاريخ"), 10, Align::Center, true},
                       {QStringLiteral("CUSTNAME"), QStringLiteral("اســم الـعـمـيــل"), 40, Align::Start, true},
                       {QStringLiteral("TAXCODE"), QStringLiteral("الرقم الضريبي"), 20, Align::Start, true},
                       {QStringLiteral("PCODE"), QStringLiteral("الرمز البريدي"), 10, Align::Start, true},
                       {QStringLiteral("STREETNM"), QStringLiteral("الشارع"), 30, Align::Start, true},
                       {QStringLiteral("DISTRICT"), QStringLiteral("اسم الحي"), 30, Align::Start, true}},
                      QStringLiteral("SELECT INVSEL, TRDATE, CUSTNAME, TAXCODE, PCODE, STREETNM, DISTRICT FROM TRANS3"))
    {
        EarlierCustomerSearch::setText(QString());
    }

    void setText(const QString& text) override
    {
        setTextOnly(text);
        Filter f;
        if (!text.isEmpty()) {
            f.where = QStringLiteral("CUSTNAME CONTAINING ") + param(QStringLiteral("T"));
            f.params.push_back({QStringLiteral("T"), text});
        }
        f.orderBy = QStringLiteral("INVSEL DESC");
        setFilter(std::move(f));
    }
};

class SalesmanSearch : public SearchQuery {
public:
    explicit SalesmanSearch(const core::Session& s)
        : SearchQuery(detail::yearDb(s), QStringLiteral("بحث في ملف مناديب المبيعات"), QStringLiteral("بحث"), 25,
                      {{QStringLiteral("SALRID"), QStringLiteral("الرقم"), 4, Align::Start, true},
                       {QStringLiteral("NAME"), QStringLiteral("إســم المـنـــدوب"), 25, Align::Start, true}},
                      QStringLiteral("SELECT SALRID, NAME FROM SALREP"))
    {
        SalesmanSearch::setText(QString());
    }

    void setText(const QString& text) override
    {
        setTextOnly(text);
        Filter f;
        if (startsWithDigit(text)) {
            f.where = QStringLiteral("SALRID STARTING WITH ") + param(QStringLiteral("T"));
            f.orderBy = QStringLiteral("SALRID");
            f.params.push_back({QStringLiteral("T"), text});
        } else if (!text.isEmpty()) {
            f.where = QStringLiteral("NAME CONTAINING ") + param(QStringLiteral("T"));
            f.orderBy = QStringLiteral("NAME || '', SALRID");
            f.params.push_back({QStringLiteral("T"), text});
        } else {
            f.orderBy = QStringLiteral("SALRID");
        }
        setFilter(std::move(f));
    }
};

} // namespace

std::unique_ptr<SearchQuery> makeItemSearch(const core::Session& s) { return std::make_unique<ItemSearch>(s); }
std::unique_ptr<SearchQuery> makeEarlierCustomerSearch(const core::Session& s)
{
    return std::make_unique<EarlierCustomerSearch>(s);
}
std::unique_ptr<SearchQuery> makeSalesmanSearch(const core::Session& s) { return std::make_unique<SalesmanSearch>(s); }

// ---------------------------------------------------------------------------------------------
// Accounts

AccountSearch::AccountSearch(const core::Session& s)
    : SearchQuery(detail::yearDb(s), QStringLiteral("بحث عن رقم حساب بأي جزء من الاسـم"), QString(), 40,
                  {{QStringLiteral("ACCTNO"), QStringLiteral("الرقـم"), 9, SearchColumn::Align::Start, true},
                   {QStringLiteral("ACCTNAME"), QStringLiteral("إســم الحسـاب الفـرعي"), 40, SearchColumn::Align::Start, true},
                   {QStringLiteral("ACCTTYPE"), QStringLiteral("البنـد"), 4, SearchColumn::Align::Start, true},
                   {QStringLiteral("TEL"), QStringLiteral("رقم الهاتـف"), 14, SearchColumn::Align::Start, true}},
                  QStringLiteral("SELECT ACCTNO, ACCTNAME, ACCTTYPE, TEL FROM ACCT"))
{
    setNameText(QString());
}

void AccountSearch::setText(const QString& text)
{
    if (startsWithDigit(text)) setNumberText(text);
    else setNameText(text);
}

bool AccountSearch::setNumberText(const QString& text)
{
    if (!startsWithDigit(text)) return false;
    setTextOnly(text);
    Filter f;
    f.where = QStringLiteral("ACCTNO STARTING WITH ") + param(QStringLiteral("T"));
    f.orderBy = QStringLiteral("ACCTNO");
    f.params.push_back({QStringLiteral("T"), text});
    setFilter(std::move(f));
    return true;
}

void AccountSearch::setNameText(const QString& text)
{
    setTextOnly(text);
    Filter f;
    if (!text.isEmpty()) {
        f.where = QStringLiteral("ACCTNAME CONTAINING ") + param(QStringLiteral("T"));
        f.orderBy = QStringLiteral("ACCTNAME || '', ACCTNO");
        f.params.push_back({QStringLiteral("T"), text});
    } else {
        f.orderBy = QStringLiteral("ACCTNO");
    }
    setFilter(std::move(f));
}

void AccountSearch::setMainAccount(const QString& mactNo)
{
    Filter f;
    f.where = QStringLiteral("MACTNO = ") + param(QStringLiteral("M"));
    f.orderBy = QStringLiteral("ACCTNO");
    f.params.push_back({QStringLiteral("M"), mactNo.trimmed()});
    setFilter(std::move(f));
}

std::optional<EarlierCustomer> earlierCustomer(const core::Session& s, int invSel)
{
    return detail::inTransaction(s, [&](db::Transaction& tr) -> std::optional<EarlierCustomer> {
        db::Query q(tr, QStringLiteral("SELECT CUSTNAME, BUILDNO, STREETNM, STREETNME, DISTRICT, DISTRICTE, CITY, CITYE, "
                                       "COUNTRY, COUNTRYE, PCODE, ADDRN2, TAXCODE, OTHERID FROM TRANS3 WHERE INVSEL = :I"));
        q.bind(QStringLiteral("I"), invSel);
        q.execute();
        if (!q.next()) return std::nullopt;
        auto t = [&](const char* c) { return q.text(QLatin1String(c)); };
        return EarlierCustomer{t("CUSTNAME"), t("BUILDNO"), t("STREETNM"), t("STREETNME"), t("DISTRICT"),
                               t("DISTRICTE"), t("CITY"), t("CITYE"), t("COUNTRY"), t("COUNTRYE"), t("PCODE"),
                               t("ADDRN2"), t("TAXCODE"), t("OTHERID")};
    });
}

// ---------------------------------------------------------------------------------------------
// Cost centres

CostCentreSearch::CostCentreSearch(const core::Session& s)
    : SearchQuery(detail::yearDb(s), QStringLiteral("بحث في مراكز التكلفة"), QStringLiteral("بـيـان المركز الفرعي"), 40,
                  {{QStringLiteral("CENTNO"), QStringLiteral("المركز الفرعي"), 6, SearchColumn::Align::End, true},
                   {QStringLiteral("CENTNM"), QStringLiteral("إســم مـركـز التـكـلـفـة"), 40, SearchColumn::Align::Start, true},
                   {QStringLiteral("CENTGNO"), QStringLiteral("المركز الرئيسي"), 6, SearchColumn::Align::End, true}},
                  QStringLiteral("SELECT CENTNO, CENTNM, CENTGNO FROM CCENT"))
{
    rebuild();
}

void CostCentreSearch::setText(const QString& nameFilter)
{
    setTextOnly(nameFilter);
    rebuild();
}

void CostCentreSearch::setGroup(std::optional<int> centGNo)
{
    group_ = centGNo;
    rebuild();
}

void CostCentreSearch::rebuild()
{
    Filter f;
    QStringList where;
    if (!text().isEmpty()) {
        where << QStringLiteral("CENTNM CONTAINING ") + param(QStringLiteral("T"));
        f.params.push_back({QStringLiteral("T"), text()});
    }
    if (group_) {
        where << QStringLiteral("CENTGNO = :G");
        f.intParams.push_back({QStringLiteral("G"), *group_});
    }
    f.where = where.join(QStringLiteral(" AND "));
    f.orderBy = where.isEmpty() ? QStringLiteral("CENTNO") : QStringLiteral("CENTNM || '', CENTNO");
    setFilter(std::move(f));
}

std::optional<CostCentre> findCostCentre(const core::Session& s, int centNo)
{
    return detail::inTransaction(s, [&](db::Transaction& tr) -> std::optional<CostCentre> {
        db::Query q(tr, QStringLiteral("SELECT CENTNO, CENTNM, CENTGNO FROM CCENT WHERE CENTNO = :C"));
        q.bind(QStringLiteral("C"), centNo);
        q.execute();
        if (!q.next()) return std::nullopt;
        return CostCentre{int(q.integer(QStringLiteral("CENTNO"))), q.text(QStringLiteral("CENTNM")),
                          int(q.integer(QStringLiteral("CENTGNO")))};
    });
}

QList<CostCentreGroup> costCentreGroups(const core::Session& s)
{
    return detail::inTransaction(s, [&](db::Transaction& tr) {
        db::Query q(tr, QStringLiteral("SELECT CENTGNO, CENTGNM FROM CCENTG ORDER BY CENTGNO"));
        q.execute();
        QList<CostCentreGroup> r;
        while (q.next()) r << CostCentreGroup{int(q.integer(QStringLiteral("CENTGNO"))), q.text(QStringLiteral("CENTGNM"))};
        return r;
    });
}

} // namespace kv::masters
