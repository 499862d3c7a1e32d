#pragma once
// The item file of the open year: items (STOCK), item groups (MSTOCK), extra barcodes (ITEMBC),
// manufacturers (MFR). Plain classes over the year connection of the session; each method runs
// in its own short transaction and commits (the master screens confirm after every change).
//
//   masters::ItemRepository items(session);
//   masters::Item it = masters::ItemRepository::newItem(session, "12");  // group of the item on screen
//   it.DESCR = "..."; it.QUNITS = ...;
//   masters::Check c = items.insert(it, typedNumber);   // builds ITEMNO (group prefix when gLinkArt "T")
//   if (!c.ok()) show(c.message), focus(c.field);       // it.ITEMNO holds the stored number on success
//
//   items.update(original, edited);   // writes the card's columns only, never the running totals
//   if (auto c = items.remove(itemNo); !c.ok()) ...     // "توجد حركة لهذا الصـنف" while ONHAND != 0
//   std::optional<QString> no = items.resolveCode(scanned);  // item number or any extra barcode
//
// Failures of the database (busy rows, lost connection) throw db::DbError; refusals come back as a
// Check with the screen's exact message and the column to focus.
#include "core/Money.h"
#include "core/StartupRules.h"
#include "masters/Common.h"
#include "masters/StockRules.h"
#include <QDate>
#include <QList>
#include <QString>
#include <optional>

namespace kv::core { struct Session; }

namespace kv::masters {

// One STOCK row. Quantities in small units; UCOST the cost of one small unit.
struct Item {
    QString ITEMNO, DESCR, DESCE, PARTNO, UNIT, UNITE, SUBUNIT, SUBUNITE;
    StockQty QUNITS = StockQty::fromInt(1);
    QString ARTNO;
    StockQty QTYIN, QTYOUT, QTYSOLD, QTYRET, ONHAND;
    core::Money UPRICE, UPRICE2, UPRICEC, UPRICE2C;
    core::Money UCOST, TOTCOST, OUTCOST;
    StockQty FSTOCK;
    int MINSTOCK = 0;
    QString LOCATION;
    QDate LQTYIN, LQTYSOLD, EDATE, SLDATE;
    int MFRID = 0;       // 0 when none
    core::Money MARKUP;

    // The derived values of the item datasets: QIN, QOUT, QSOLD, QRET, QONHND, UCST, CURVAL.
    core::ItemQuantities quantities() const;
    // The search grid's "?" column: "?" when QONHND is below MINSTOCK, else "".
    QString belowMinimumFlag() const;
};

struct ItemGroup {
    QString ARTNO;
    QString ARTNM;
};

struct Manufacturer {
    int MFRID = 0;
    QString MFRNM;
};

// Firm settings that shape the item card.
struct ItemSettings {
    bool linkGroup = false;   // gLinkArt "T": a new item's number starts with its group number
    int groupLength = 2;      // gArtNum: 3 when it is 3, otherwise 2
    bool largeUnitOnly = false; // gSelUnit "1": new items have QUNITS 1, not editable
    static ItemSettings from(const core::Session& s);
};

class ItemRepository {
public:
    explicit ItemRepository(const core::Session& s);

    // A blank item as the card's insert starts it: running values 0, QUNITS 1, in group artNo.
    static Item newItem(const QString& artNo = {});

    std::optional<Item> find(const QString& itemNo) const;
    bool exists(const QString& itemNo) const;
    // All items in ITEMNO order, or those of one location / one group (the list page's filters).
    QList<Item> list() const;
    QList<Item> listByLocation(const QString& location) const;
    QList<Item> listByGroup(const QString& artNo) const;
    // The last item number of a group ("آخــر رقـم بالـبـنــد"): the highest, or empty.
    QString lastItemNoInGroup(const QString& artNo) const;

    // The number a new item gets: trimmed group + trimmed typed number when gLinkArt is "T",
    // otherwise the trimmed typed number (group 12, typed 5 -> "125").
    QString composeItemNo(const QString& artNo, const QString& typed) const;
    // Whether the card lets the user change QUNITS.
    bool unitsEditable(bool inserting) const;

    // Insert, in the card's order: QUNITS > 0 ("عدد الوحدات غير صحيح"), description not empty
    // ("فضلا أدخل بيان الصنف"), group exists ("رقم البند غير موجود"), then the number is composed
    // into item.ITEMNO and the row stored; an empty, too long or existing number gives
    // "رقم الصنف موجود مسبقا" (field ITEMNO). With gSelUnit "1" QUNITS is stored as 1.
    Check insert(Item& item, const QString& typedNumber);
    // Update of the card's columns of an existing item (same checks, the number never changes).
    // Running quantities, TOTCOST, OUTCOST, FSTOCK and the date stamps are not written; UCOST only
    // when edited.UCOST != original.UCOST.
    Check update(const Item& original, const Item& edited);
    // Whether the item may be deleted: "لا توجد سجلات حاليا." when it does not exist, the error
    // "توجد حركة لهذا الصـنف" while its ONHAND is not 0. The screen asks its question after this.
    Check canRemove(const QString& itemNo) const;
    // Deletes the item when canRemove allows it (checked again in the same statement). Its extra
    // barcodes stay in ITEMBC.
    Check remove(const QString& itemNo);

    // The item a typed or scanned code stands for: an item number, else an extra barcode.
    std::optional<QString> resolveCode(const QString& code) const;

private:
    const core::Session& s_;
};

class ItemGroupRepository {
public:
    explicit ItemGroupRepository(const core::Session& s);

    QList<ItemGroup> list() const; // ARTNO order
    std::optional<ItemGroup> find(const QString& artNo) const;
    // Whether an item uses the group: its number can then not change nor be deleted.
    bool inUse(const QString& artNo) const;
    // Insert or update (originalArtNo empty for an insert). Trimmed ARTNO and ARTNM must be
    // non-empty ("البيانات غير مكتملة", field ARTNO); a number already used or longer than three
    // characters is refused ("رقم البند الرئيسي موجود مسبقا"; the card's box limits it to
    // ItemSettings::groupLength); renumbering a group in use gives "تم استخدام السجل بملفات أخرى".
    Check save(const ItemGroup& group, const QString& originalArtNo = {});
    // "لا توجد سجلات حاليا" when missing, "تم استخدام السجل بملفات أخرى" when in use.
    Check remove(const QString& artNo);

private:
    const core::Session& s_;
};

class BarcodeRepository {
public:
    explicit BarcodeRepository(const core::Session& s);

    QStringList list(const QString& itemNo) const; // BCODE order
    // "الباركود موجود مسبقا" when any item already has it or it is longer than 30 characters;
    // an empty text adds nothing ("البيانات غير مكتملة").
    Check add(const QString& barcode, const QString& itemNo);
    void remove(const QString& barcode);
    // "select * from ITEMBC where BCODE = :sBCode": the item of an extra barcode.
    std::optional<QString> itemFor(const QString& barcode) const;

private:
    const core::Session& s_;
};

// Manufacturers: read only (no screen maintains them).
QList<Manufacturer> manufacturers(const core::Session& s);

} // namespace kv::masters
