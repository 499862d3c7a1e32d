#pragma once
// The searches behind the search windows (item, account, earlier customer, salesman, cost
// centre): one "search query" type that the single searchable-list widget drives.
//
//   auto q = masters::makeItemSearch(session);      // caption, columns with captions
//   q->setText(typed);                              // on every change of the search box
//   QList<masters::SearchRow> page = q->fetch(0, 50);   // first page; fetch(50, 50) when scrolled
//   int n = q->count();                             // "عدد السجلات" where a window shows it
//   QString chosen = page[i].key();                 // ITEMNO / ACCTNO / INVSEL / SALRID / CENTNO
//
// Every typed text reaches SQL as a parameter (quotes, "%" and "_" are plain characters). The
// rule of the item, account and salesman searches: a text starting with a digit 0-9 is a number
// prefix (STARTING WITH, ordered by number, served by the primary key); any other text is a
// case-insensitive containment on the name (CONTAINING, ordered by name); an empty text lists
// all rows in number order. Pages come from "ROWS m TO n" over that order, so each page is one
// short query in its own read-committed transaction (rows saved meanwhile by others show up).
//
// SearchModel (SearchModel.h) wraps a query as a Qt table model that fetches as the view scrolls.
#include "db/Decimal.h"
#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

namespace kv::core { struct Session; }
namespace kv::db { class Connection; }

namespace kv::masters {

class SearchRecord;

struct SearchColumn {
    enum class Align { Start, End, Center };
    QString name;        // result column: "ITEMNO", "QONHND", "FLAG", ...
    QString caption;     // grid header, as the window shows it
    int width = 10;      // in characters, a hint for the grid
    Align align = Align::Start;
    bool inGrid = true;  // false: shown outside the grid (the item search's LOCATION box)
};

// One result row: a formatted text per column ("0.00" for amounts), in the order of columns().
struct SearchRow {
    QStringList cells;
    QString key() const { return cells.value(0); } // the first column is always the key
    QString value(int column) const { return cells.value(column); }
};

class SearchQuery {
public:
    virtual ~SearchQuery();

    const QString& caption() const { return caption_; }         // window caption
    const QString& boxCaption() const { return boxCaption_; }   // label of the search box
    int maxTextLength() const { return maxText_; }
    const QList<SearchColumn>& columns() const { return columns_; }
    int columnIndex(const QString& name) const;                 // -1 when absent

    // The search box changed: rebuilds the statement (not run until fetch/count).
    virtual void setText(const QString& text);
    const QString& text() const { return text_; }

    // Rows offset .. offset+count-1 of the current result, in its order.
    QList<SearchRow> fetch(int offset, int count) const;
    // Number of rows of the current result.
    int count() const;

    // The statement in effect, for tests and diagnostics: the SQL with :NAME placeholders.
    QString statement() const;
    // The parameters bound to it, by name, as text.
    QList<std::pair<QString, QString>> parameters() const;

protected:
    SearchQuery(db::Connection& connection, QString caption, QString boxCaption, int maxText,
                QList<SearchColumn> columns, QString select);

    // What a subclass sets from the typed text.
    struct Filter {
        QString where;    // "" or a condition with :NAME parameters
        QString orderBy;  // e.g. "ITEMNO"
        std::vector<std::pair<QString, QString>> params; // text parameters
        std::vector<std::pair<QString, qint64>> intParams;
    };
    void setFilter(Filter f) { filter_ = std::move(f); }
    const Filter& filter() const { return filter_; }
    // Turns one fetched row (columns of the select by name) into grid texts; default: the columns
    // of the select in the order of columns().
    virtual QStringList format(const SearchRecord& record) const;
    void setTextOnly(const QString& t) { text_ = t; }

private:
    db::Connection& conn_;
    QString caption_, boxCaption_;
    int maxText_;
    QList<SearchColumn> columns_;
    QString select_; // "select A, B from T"
    QString text_;
    Filter filter_;
};

// The values of one fetched row, by column name (trimmed texts, exact decimals as "0.00"...).
class SearchRecord {
public:
    QString text(const QString& name) const;
    QString decimal(const QString& name, int decimals) const; // "0.00" style, "" for NULL
    db::Decimal number(const QString& name) const;            // exact value, 0 for NULL or text
    qint64 integer(const QString& name) const;
    QDate date(const QString& name) const;
    // For the search implementations.
    struct Cell { QString name; QString text; qint64 units = 0; int scale = -1; QDate date; bool isNull = true; };
    std::vector<Cell> cells;
private:
    const Cell* find(const QString& name) const;
};

// Item search "بحث في بنود الأصـناف": ITEMNO "رقم الصنف", DESCR "الـبــيــــــــان",
// QONHND "المخـزون", UPRICE "سعر البيع", MINSTOCK "الحد الأدنى", FLAG "?" ("?" when QONHND is
// below MINSTOCK), and LOCATION "الموقع بالمستودع" outside the grid.
std::unique_ptr<SearchQuery> makeItemSearch(const core::Session& s);

// Account search "بحث عن رقم حساب بأي جزء من الاسـم": ACCTNO "الرقـم", ACCTNAME
// "إســم الحسـاب الفـرعي", ACCTTYPE "البنـد", TEL "رقم الهاتـف".
class AccountSearch : public SearchQuery {
public:
    explicit AccountSearch(const core::Session& s);
    // One box: a digit first searches numbers, anything else names.
    void setText(const QString& text) override;
    // The number box: a text starting with a digit lists the numbers beginning with it; any other
    // text leaves the list as it is (returns false).
    bool setNumberText(const QString& text);
    // The name box: names containing the text, ignoring case; empty lists all.
    void setNameText(const QString& text);
    // The main-account drop-down: the accounts of one main account, in number order.
    void setMainAccount(const QString& mactNo);
};

// Earlier-customer search " بحث برقم الهاتف" over sales invoices: INVSEL "رقم الفاتورة",
// TRDATE "التاريخ", CUSTNAME "اســم الـعـمـيــل", TAXCODE "الرقم الضريبي", PCODE "الرمز البريدي",
// STREETNM "الشارع", DISTRICT "اسم الحي". The text is a containment on CUSTNAME (latest invoices
// first).
std::unique_ptr<SearchQuery> makeEarlierCustomerSearch(const core::Session& s);

// The customer data of a chosen earlier invoice (what the sales invoice copies).
struct EarlierCustomer {
    QString CUSTNAME, BUILDNO, STREETNM, STREETNME, DISTRICT, DISTRICTE, CITY, CITYE, COUNTRY, COUNTRYE,
            PCODE, ADDRN2, TAXCODE, OTHERID;
};
std::optional<EarlierCustomer> earlierCustomer(const core::Session& s, int invSel);

// Salesman search "بحث في ملف مناديب المبيعات": SALRID "الرقم", NAME "إســم المـنـــدوب"; the
// window shows count() as "عدد السجلات".
std::unique_ptr<SearchQuery> makeSalesmanSearch(const core::Session& s);

// Cost-centre search "بحث في مراكز التكلفة": CENTNO "المركز الفرعي", CENTNM
// "إســم مـركـز التـكـلـفـة", CENTGNO "المركز الرئيسي". All centres in number order at first;
// a name filter or a group lists by name.
class CostCentreSearch : public SearchQuery {
public:
    explicit CostCentreSearch(const core::Session& s);
    void setText(const QString& nameFilter) override;   // "بـيـان المركز الفرعي"
    void setGroup(std::optional<int> centGNo);          // "مركز التكلفة الرئيسي"; nullopt: any
private:
    void rebuild();
    std::optional<int> group_;
};

struct CostCentreGroup {
    int CENTGNO = 0;
    QString CENTGNM;
};
QList<CostCentreGroup> costCentreGroups(const core::Session& s); // CENTGNO order

// One CCENT row, as the search window's choice reads it again.
struct CostCentre {
    int CENTNO = 0;
    QString CENTNM;
    int CENTGNO = 0; // 0: no group
};
std::optional<CostCentre> findCostCentre(const core::Session& s, int centNo); // nullopt: none (any more)

} // namespace kv::masters
