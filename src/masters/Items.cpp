#include "masters/Items.h"
#include "masters/Internal.h"

namespace kv::masters {

using detail::fixedAt;
using detail::inTransaction;

namespace {

const char* const kItemColumns =
    "ITEMNO, DESCR, DESCE, PARTNO, UNIT, UNITE, SUBUNIT, SUBUNITE, QUNITS, ARTNO, QTYIN, QTYOUT, QTYSOLD, "
    "QTYRET, ONHAND, UPRICE, UPRICE2, UPRICEC, UPRICE2C, UCOST, TOTCOST, OUTCOST, FSTOCK, MINSTOCK, "
    "LOCATION, LQTYIN, LQTYSOLD, EDATE, SLDATE, MFRID, MARKUP";

Item readItem(const db::Query& q)
{
    Item it;
    it.ITEMNO = q.text(QStringLiteral("ITEMNO")).trimmed();
    it.DESCR = q.text(QStringLiteral("DESCR"));
    it.DESCE = q.text(QStringLiteral("DESCE"));
    it.PARTNO = q.text(QStringLiteral("PARTNO"));
    it.UNIT = q.text(QStringLiteral("UNIT"));
    it.UNITE = q.text(QStringLiteral("UNITE"));
    it.SUBUNIT = q.text(QStringLiteral("SUBUNIT"));
    it.SUBUNITE = q.text(QStringLiteral("SUBUNITE"));
    it.QUNITS = fixedAt<2>(q, "QUNITS");
    it.ARTNO = q.text(QStringLiteral("ARTNO")).trimmed();
    it.QTYIN = fixedAt<2>(q, "QTYIN");
    it.QTYOUT = fixedAt<2>(q, "QTYOUT");
    it.QTYSOLD = fixedAt<2>(q, "QTYSOLD");
    it.QTYRET = fixedAt<2>(q, "QTYRET");
    it.ONHAND = fixedAt<2>(q, "ONHAND");
    it.UPRICE = fixedAt<2>(q, "UPRICE");
    it.UPRICE2 = fixedAt<2>(q, "UPRICE2");
    it.UPRICEC = fixedAt<2>(q, "UPRICEC");
    it.UPRICE2C = fixedAt<2>(q, "UPRICE2C");
    it.UCOST = fixedAt<2>(q, "UCOST");
    it.TOTCOST = fixedAt<2>(q, "TOTCOST");
    it.OUTCOST = fixedAt<2>(q, "OUTCOST");
    it.FSTOCK = fixedAt<2>(q, "FSTOCK");
    it.MINSTOCK = int(q.integer(QStringLiteral("MINSTOCK")));
    it.LOCATION = q.text(QStringLiteral("LOCATION"));
    it.LQTYIN = q.date(QStringLiteral("LQTYIN"));
    it.LQTYSOLD = q.date(QStringLiteral("LQTYSOLD"));
    it.EDATE = q.date(QStringLiteral("EDATE"));
    it.SLDATE = q.date(QStringLiteral("SLDATE"));
    it.MFRID = int(q.integer(QStringLiteral("MFRID")));
    it.MARKUP = fixedAt<2>(q, "MARKUP");
    return it;
}

QList<Item> readItems(const core::Session& s, const QString& where, const QString& param)
{
    return inTransaction(s, [&](db::Transaction& tr) {
        db::Query q(tr, QStringLiteral("SELECT %1 FROM STOCK %2 ORDER BY ITEMNO").arg(QLatin1String(kItemColumns), where));
        if (!where.isEmpty()) q.bind(QStringLiteral("P"), param);
        q.execute();
        QList<Item> r;
        while (q.next()) r << readItem(q);
        return r;
    });
}

bool groupExists(db::Transaction& tr, const QString& artNo)
{
    if (artNo.trimmed().isEmpty() || artNo.trimmed().size() > 3) return false;
    return !std::holds_alternative<db::Null>(
        db::scalar(tr, QStringLiteral("SELECT ARTNO FROM MSTOCK WHERE ARTNO = :A"), {{"A", artNo.trimmed()}}));
}

bool itemUsesGroup(db::Transaction& tr, const QString& artNo)
{
    if (artNo.trimmed().size() > 3) return false;
    return !std::holds_alternative<db::Null>(
        db::scalar(tr, QStringLiteral("SELECT FIRST 1 ITEMNO FROM STOCK WHERE ARTNO = :A"), {{"A", artNo.trimmed()}}));
}

db::Value dateValue(const QDate& d) { return db::toValue(d); }

// The checks every save of the card runs first, in the card's order.
Check cardChecks(db::Transaction& tr, const Item& item)
{
    if (item.QUNITS <= StockQty()) return Check::info(text::badUnitCount(), QStringLiteral("QUNITS"));
    if (item.DESCR.trimmed().isEmpty()) return Check::info(text::enterItemDescription(), QStringLiteral("DESCR"));
    if (!groupExists(tr, item.ARTNO)) return Check::info(text::groupNotFound(), QStringLiteral("ARTNO"));
    return Check::pass();
}

} // namespace

core::ItemQuantities Item::quantities() const
{
    core::StockAmounts a;
    a.QTYIN = QTYIN.round<4>();
    a.QTYOUT = QTYOUT.round<4>();
    a.QTYSOLD = QTYSOLD.round<4>();
    a.QTYRET = QTYRET.round<4>();
    a.ONHAND = ONHAND.round<4>();
    a.QUNITS = QUNITS.round<4>();
    a.UCOST = UCOST.round<4>();
    return core::ItemQuantities::compute(a, core::StockFlavour::Stock);
}

QString Item::belowMinimumFlag() const
{
    return quantities().QONHND < core::Qty::fromInt(MINSTOCK) ? QStringLiteral("?") : QString();
}

ItemSettings ItemSettings::from(const core::Session& s)
{
    ItemSettings r;
    r.linkGroup = s.gLinkArt.trimmed() == QLatin1String("T");
    r.groupLength = s.gArtNum == 3 ? 3 : 2;
    r.largeUnitOnly = s.gSelUnit.trimmed() == QLatin1String("1");
    return r;
}

ItemRepository::ItemRepository(const core::Session& s) : s_(s) {}

Item ItemRepository::newItem(const QString& artNo)
{
    Item it;
    it.ARTNO = artNo.trimmed();
    it.QUNITS = StockQty::fromInt(1);
    return it;
}

std::optional<Item> ItemRepository::find(const QString& itemNo) const
{
    if (itemNo.trimmed().size() > 14) return std::nullopt;
    return inTransaction(s_, [&](db::Transaction& tr) -> std::optional<Item> {
        db::Query q(tr, QStringLiteral("SELECT %1 FROM STOCK WHERE ITEMNO = :I").arg(QLatin1String(kItemColumns)));
        q.bind(QStringLiteral("I"), itemNo.trimmed());
        q.execute();
        if (q.next()) return readItem(q);
        return std::nullopt;
    });
}

bool ItemRepository::exists(const QString& itemNo) const
{
    if (itemNo.trimmed().isEmpty() || itemNo.trimmed().size() > 14) return false;
    return inTransaction(s_, [&](db::Transaction& tr) {
        return !std::holds_alternative<db::Null>(
            db::scalar(tr, QStringLiteral("SELECT ITEMNO FROM STOCK WHERE ITEMNO = :I"), {{"I", itemNo.trimmed()}}));
    });
}

QList<Item> ItemRepository::list() const { return readItems(s_, {}, {}); }

QList<Item> ItemRepository::listByLocation(const QString& location) const
{
    return readItems(s_, QStringLiteral("WHERE LOCATION = :P"), location);
}

QList<Item> ItemRepository::listByGroup(const QString& artNo) const
{
    return readItems(s_, QStringLiteral("WHERE ARTNO = :P"), artNo.trimmed());
}

QString ItemRepository::lastItemNoInGroup(const QString& artNo) const
{
    return inTransaction(s_, [&](db::Transaction& tr) {
        const db::Value v =
            db::scalar(tr, QStringLiteral("SELECT MAX(ITEMNO) FROM STOCK WHERE ARTNO = :A"), {{"A", artNo.trimmed()}});
        return std::holds_alternative<QString>(v) ? std::get<QString>(v).trimmed() : QString();
    });
}

QString ItemRepository::composeItemNo(const QString& artNo, const QString& typed) const
{
    return ItemSettings::from(s_).linkGroup ? artNo.trimmed() + typed.trimmed() : typed.trimmed();
}

bool ItemRepository::unitsEditable(bool inserting) const
{
    return !(inserting && ItemSettings::from(s_).largeUnitOnly);
}

Check ItemRepository::insert(Item& item, const QString& typedNumber)
{
    Item row = item;
    if (ItemSettings::from(s_).largeUnitOnly) row.QUNITS = StockQty::fromInt(1);
    row.ARTNO = row.ARTNO.trimmed();
    return inTransaction(s_, [&](db::Transaction& tr) {
        if (Check c = cardChecks(tr, row); !c.ok()) return c;
        row.ITEMNO = composeItemNo(row.ARTNO, typedNumber);
        const Check taken = Check::error(text::itemExists(), QStringLiteral("ITEMNO"));
        if (row.ITEMNO.isEmpty() || row.ITEMNO.size() > 14) return taken;
        try {
            db::Query q(tr, QStringLiteral(
                "INSERT INTO STOCK (%1) VALUES (:ITEMNO, :DESCR, :DESCE, :PARTNO, :UNIT, :UNITE, :SUBUNIT, "
                ":SUBUNITE, :QUNITS, :ARTNO, :QTYIN, :QTYOUT, :QTYSOLD, :QTYRET, :ONHAND, :UPRICE, :UPRICE2, "
                ":UPRICEC, :UPRICE2C, :UCOST, :TOTCOST, :OUTCOST, :FSTOCK, :MINSTOCK, :LOCATION, :LQTYIN, "
                ":LQTYSOLD, :EDATE, :SLDATE, :MFRID, :MARKUP)").arg(QLatin1String(kItemColumns)));
            q.bind(QStringLiteral("ITEMNO"), row.ITEMNO)
                .bind(QStringLiteral("DESCR"), row.DESCR)
                .bind(QStringLiteral("DESCE"), row.DESCE)
                .bind(QStringLiteral("PARTNO"), row.PARTNO)
                .bind(QStringLiteral("UNIT"), row.UNIT)
                .bind(QStringLiteral("UNITE"), row.UNITE)
                .bind(QStringLiteral("SUBUNIT"), row.SUBUNIT)
                .bind(QStringLiteral("SUBUNITE"), row.SUBUNITE)
                .bind(QStringLiteral("QUNITS"), row.QUNITS.toDecimal())
                .bind(QStringLiteral("ARTNO"), row.ARTNO)
                .bind(QStringLiteral("QTYIN"), row.QTYIN.toDecimal())
                .bind(QStringLiteral("QTYOUT"), row.QTYOUT.toDecimal())
                .bind(QStringLiteral("QTYSOLD"), row.QTYSOLD.toDecimal())
                .bind(QStringLiteral("QTYRET"), row.QTYRET.toDecimal())
                .bind(QStringLiteral("ONHAND"), row.ONHAND.toDecimal())
                .bind(QStringLiteral("UPRICE"), row.UPRICE.toDecimal())
                .bind(QStringLiteral("UPRICE2"), row.UPRICE2.toDecimal())
                .bind(QStringLiteral("UPRICEC"), row.UPRICEC.toDecimal())
                .bind(QStringLiteral("UPRICE2C"), row.UPRICE2C.toDecimal())
                .bind(QStringLiteral("UCOST"), row.UCOST.toDecimal())
                .bind(QStringLiteral("TOTCOST"), row.TOTCOST.toDecimal())
                .bind(QStringLiteral("OUTCOST"), row.OUTCOST.toDecimal())
                .bind(QStringLiteral("FSTOCK"), row.FSTOCK.toDecimal())
                .bind(QStringLiteral("MINSTOCK"), row.MINSTOCK)
                .bind(QStringLiteral("LOCATION"), row.LOCATION)
                .bind(QStringLiteral("LQTYIN"), dateValue(row.LQTYIN))
                .bind(QStringLiteral("LQTYSOLD"), dateValue(row.LQTYSOLD))
                .bind(QStringLiteral("EDATE"), dateValue(row.EDATE))
                .bind(QStringLiteral("SLDATE"), dateValue(row.SLDATE))
                .bind(QStringLiteral("MARKUP"), row.MARKUP.toDecimal());
            if (row.MFRID > 0) q.bind(QStringLiteral("MFRID"), row.MFRID);
            else q.bindNull(QStringLiteral("MFRID"));
            q.execute();
        } catch (const db::DbError& e) {
            if (isRefusedValue(e)) return taken;
            throw;
        }
        item = row;
        return Check::pass();
    });
}

Check ItemRepository::update(const Item& original, const Item& edited)
{
    return inTransaction(s_, [&](db::Transaction& tr) {
        if (Check c = cardChecks(tr, edited); !c.ok()) return c;
        const bool costEdited = edited.UCOST != original.UCOST;
        try {
            db::Query q(tr, QStringLiteral(
                "UPDATE STOCK SET DESCR = :DESCR, DESCE = :DESCE, UNIT = :UNIT, UNITE = :UNITE, "
                "SUBUNIT = :SUBUNIT, SUBUNITE = :SUBUNITE, QUNITS = :QUNITS, ARTNO = :ARTNO, "
                "UPRICE = :UPRICE, UPRICE2 = :UPRICE2, UPRICEC = :UPRICEC, UPRICE2C = :UPRICE2C, "
                "MINSTOCK = :MINSTOCK, MARKUP = :MARKUP, LOCATION = :LOCATION, EDATE = :EDATE%1 "
                "WHERE ITEMNO = :ITEMNO").arg(costEdited ? QStringLiteral(", UCOST = :UCOST") : QString()));
            q.bind(QStringLiteral("ITEMNO"), original.ITEMNO.trimmed())
                .bind(QStringLiteral("DESCR"), edited.DESCR)
                .bind(QStringLiteral("DESCE"), edited.DESCE)
                .bind(QStringLiteral("UNIT"), edited.UNIT)
                .bind(QStringLiteral("UNITE"), edited.UNITE)
                .bind(QStringLiteral("SUBUNIT"), edited.SUBUNIT)
                .bind(QStringLiteral("SUBUNITE"), edited.SUBUNITE)
                .bind(QStringLiteral("QUNITS"), edited.QUNITS.toDecimal())
                .bind(QStringLiteral("ARTNO"), edited.ARTNO.trimmed())
                .bind(QStringLiteral("UPRICE"), edited.UPRICE.toDecimal())
                .bind(QStringLiteral("UPRICE2"), edited.UPRICE2.toDecimal())
                .bind(QStringLiteral("UPRICEC"), edited.UPRICEC.toDecimal())
                .bind(QStringLiteral("UPRICE2C"), edited.UPRICE2C.toDecimal())
                .bind(QStringLiteral("MINSTOCK"), edited.MINSTOCK)
                .bind(QStringLiteral("MARKUP"), edited.MARKUP.toDecimal())
                .bind(QStringLiteral("LOCATION"), edited.LOCATION)
                .bind(QStringLiteral("EDATE"), dateValue(edited.EDATE));
            if (costEdited) q.bind(QStringLiteral("UCOST"), edited.UCOST.toDecimal());
            if (q.executeUpdate(QStringLiteral("STOCK"), QStringLiteral("ITEMNO = :ITEMNO")) == 0)
                return Check::error(text::itemNotFound(), QStringLiteral("ITEMNO"));
        } catch (const db::DbError& e) {
            if (isRefusedValue(e)) return Check::error(text::itemExists(), QStringLiteral("ITEMNO"));
            throw;
        }
        return Check::pass();
    });
}

Check ItemRepository::canRemove(const QString& itemNo) const
{
    const std::optional<Item> it = find(itemNo);
    if (!it) return Check::info(text::noRecords());
    if (!it->ONHAND.isZero()) return Check::error(text::itemHasMovement());
    return Check::pass();
}

Check ItemRepository::remove(const QString& itemNo)
{
    const int n = inTransaction(s_, [&](db::Transaction& tr) {
        return tr.execute(QStringLiteral("DELETE FROM STOCK WHERE ITEMNO = :I AND COALESCE(ONHAND, 0) = 0"),
                          {{"I", itemNo.trimmed()}});
    });
    if (n > 0) return Check::pass();
    return canRemove(itemNo);
}

std::optional<QString> ItemRepository::resolveCode(const QString& code) const
{
    const QString c = code.trimmed();
    if (c.isEmpty()) return std::nullopt;
    if (c.size() <= 14 && exists(c)) return c;
    return BarcodeRepository(s_).itemFor(c);
}

// ---------------------------------------------------------------------------------------------

ItemGroupRepository::ItemGroupRepository(const core::Session& s) : s_(s) {}

QList<ItemGroup> ItemGroupRepository::list() const
{
    return inTransaction(s_, [&](db::Transaction& tr) {
        db::Query q(tr, QStringLiteral("SELECT ARTNO, ARTNM FROM MSTOCK ORDER BY ARTNO"));
        q.execute();
        QList<ItemGroup> r;
        while (q.next()) r << ItemGroup{q.text(QStringLiteral("ARTNO")).trimmed(), q.text(QStringLiteral("ARTNM"))};
        return r;
    });
}

std::optional<ItemGroup> ItemGroupRepository::find(const QString& artNo) const
{
    if (artNo.trimmed().size() > 3) return std::nullopt;
    return inTransaction(s_, [&](db::Transaction& tr) -> std::optional<ItemGroup> {
        db::Query q(tr, QStringLiteral("SELECT ARTNO, ARTNM FROM MSTOCK WHERE ARTNO = :A"));
        q.bind(QStringLiteral("A"), artNo.trimmed());
        q.execute();
        if (q.next()) return ItemGroup{q.text(QStringLiteral("ARTNO")).trimmed(), q.text(QStringLiteral("ARTNM"))};
        return std::nullopt;
    });
}

bool ItemGroupRepository::inUse(const QString& artNo) const
{
    return inTransaction(s_, [&](db::Transaction& tr) { return itemUsesGroup(tr, artNo); });
}

Check ItemGroupRepository::save(const ItemGroup& group, const QString& originalArtNo)
{
    const QString no = group.ARTNO.trimmed();
    const QString name = group.ARTNM.trimmed();
    if (no.isEmpty() || name.isEmpty()) return Check::info(text::incompleteData(), QStringLiteral("ARTNO"));
    const QString old = originalArtNo.trimmed();
    return inTransaction(s_, [&](db::Transaction& tr) {
        const Check taken = Check::error(text::groupExists(), QStringLiteral("ARTNO"));
        try {
            if (old.isEmpty()) {
                tr.execute(QStringLiteral("INSERT INTO MSTOCK (ARTNO, ARTNM) VALUES (:A, :N)"), {{"A", no}, {"N", name}});
                return Check::pass();
            }
            if (no != old && itemUsesGroup(tr, old)) return Check::error(text::usedElsewhere(), QStringLiteral("ARTNO"));
            const int n = tr.execute(QStringLiteral("UPDATE MSTOCK SET ARTNO = :A, ARTNM = :N WHERE ARTNO = :OLD"),
                                     {{"A", no}, {"N", name}, {"OLD", old}});
            if (n == 0) return Check::info(text::noRecordsNoDot());
        } catch (const db::DbError& e) {
            if (isRefusedValue(e)) return taken;
            throw;
        }
        return Check::pass();
    });
}

Check ItemGroupRepository::remove(const QString& artNo)
{
    return inTransaction(s_, [&](db::Transaction& tr) {
        const QString no = artNo.trimmed();
        if (!groupExists(tr, no)) return Check::info(text::noRecordsNoDot());
        const int n = tr.execute(QStringLiteral("DELETE FROM MSTOCK WHERE ARTNO = :A "
                                                "AND NOT EXISTS (SELECT 1 FROM STOCK WHERE ARTNO = :A)"),
                                 {{"A", no}});
        return n > 0 ? Check::pass() : Check::info(text::usedElsewhere());
    });
}

// ---------------------------------------------------------------------------------------------

BarcodeRepository::BarcodeRepository(const core::Session& s) : s_(s) {}

QStringList BarcodeRepository::list(const QString& itemNo) const
{
    return inTransaction(s_, [&](db::Transaction& tr) {
        db::Query q(tr, QStringLiteral("SELECT BCODE FROM ITEMBC WHERE ITEMNO = :I ORDER BY BCODE"));
        q.bind(QStringLiteral("I"), itemNo.trimmed());
        q.execute();
        QStringList r;
        while (q.next()) r << q.text(QStringLiteral("BCODE")).trimmed();
        return r;
    });
}

Check BarcodeRepository::add(const QString& barcode, const QString& itemNo)
{
    const QString code = barcode.trimmed();
    if (code.isEmpty()) return Check::info(text::incompleteData());
    const Check taken = Check::error(text::barcodeExists());
    if (code.size() > 30) return taken;
    return inTransaction(s_, [&](db::Transaction& tr) {
        try {
            tr.execute(QStringLiteral("INSERT INTO ITEMBC (BCODE, ITEMNO) VALUES (:B, :I)"),
                       {{"B", code}, {"I", itemNo.trimmed()}});
        } catch (const db::DbError& e) {
            if (isRefusedValue(e)) return taken;
            throw;
        }
        return Check::pass();
    });
}

void BarcodeRepository::remove(const QString& barcode)
{
    inTransaction(s_, [&](db::Transaction& tr) {
        tr.execute(QStringLiteral("DELETE FROM ITEMBC WHERE BCODE = :B"), {{"B", barcode.trimmed()}});
    });
}

std::optional<QString> BarcodeRepository::itemFor(const QString& barcode) const
{
    const QString code = barcode.trimmed();
    if (code.isEmpty() || code.size() > 30) return std::nullopt;
    return inTransaction(s_, [&](db::Transaction& tr) -> std::optional<QString> {
        const db::Value v = db::scalar(tr, QStringLiteral("SELECT ITEMNO FROM ITEMBC WHERE BCODE = :B"), {{"B", code}});
        if (std::holds_alternative<QString>(v)) return std::get<QString>(v).trimmed();
        return std::nullopt;
    });
}

QList<Manufacturer> manufacturers(const core::Session& s)
{
    return inTransaction(s, [&](db::Transaction& tr) {
        db::Query q(tr, QStringLiteral("SELECT MFRID, MFRNM FROM MFR ORDER BY MFRID"));
        q.execute();
        QList<Manufacturer> r;
        while (q.next()) r << Manufacturer{int(q.integer(QStringLiteral("MFRID"))), q.text(QStringLiteral("MFRNM"))};
        return r;
    });
}

} // namespace kv::masters
