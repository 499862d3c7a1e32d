// Item card rules: numbering with the group, the order of the checks, QUNITS with large-unit-only
// firms, delete refusals, saves that leave the running values alone, groups, extra barcodes.
#include "MastersFixture.h"
#include "masters/Items.h"

using namespace kv;
using masters::Check;
using masters::Item;
using masters::ItemRepository;
namespace text = masters::text;

namespace {

class Items : public test::MastersTest {
protected:
    void SetUp() override
    {
        MastersTest::SetUp();
        exec({"INSERT INTO MSTOCK (ARTNO, ARTNM) VALUES ('12', 'أقلام')",
              "INSERT INTO MSTOCK (ARTNO, ARTNM) VALUES ('LB', 'خدمات')"});
    }
    Item item(const QString& group = QStringLiteral("12"))
    {
        Item it = ItemRepository::newItem(group);
        it.DESCR = QStringLiteral("قلم أزرق");
        return it;
    }
};

} // namespace

TEST_F(Items, NewItemNumberFollowsTheGroupLinkSetting)
{
    struct Row {
        const char* linkArt;
        const char* group;
        const char* typed;
        const char* stored;
    } rows[] = {{"T", "12", "5", "125"}, {"F", "12", "5", "5"}, {"T", "12", " 7 ", "127"}, {"T", "LB", "01", "LB01"}};
    for (const Row& r : rows) {
        SCOPED_TRACE(r.stored);
        session->gLinkArt = QString::fromLatin1(r.linkArt);
        ItemRepository items(*session);
        Item it = item(QString::fromLatin1(r.group));
        ASSERT_TRUE(items.insert(it, QString::fromLatin1(r.typed)).ok());
        EXPECT_EQ(it.ITEMNO, QString::fromLatin1(r.stored));
        EXPECT_TRUE(items.exists(QString::fromLatin1(r.stored)));
    }
}

TEST_F(Items, InsertChecksComeInTheCardsOrder)
{
    ItemRepository items(*session);
    Item existing = item();
    ASSERT_TRUE(items.insert(existing, "9").ok());

    struct Row {
        const char* name;
        const char* qunits;
        const char* descr;
        const char* group;
        const char* typed;
        QString message;
        const char* field;
    } rows[] = {
        {"QUNITS 0 before an empty description", "0", "", "99", "", text::badUnitCount(), "QUNITS"},
        {"negative QUNITS", "-2", "x", "12", "1", text::badUnitCount(), "QUNITS"},
        {"empty description", "1", "  ", "99", "1", text::enterItemDescription(), "DESCR"},
        {"unknown group", "1", "x", "99", "1", text::groupNotFound(), "ARTNO"},
        {"existing number", "1", "x", "12", "9", text::itemExists(), "ITEMNO"},
        {"empty number", "1", "x", "12", "", text::itemExists(), "ITEMNO"},
        {"number too long", "1", "x", "12", "123456789012345", text::itemExists(), "ITEMNO"},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        Item it = item(QString::fromLatin1(r.group));
        it.QUNITS = *masters::StockQty::parse(QString::fromLatin1(r.qunits));
        it.DESCR = QString::fromUtf8(r.descr);
        const Check c = items.insert(it, QString::fromLatin1(r.typed));
        EXPECT_EQ(c.message, r.message);
        EXPECT_EQ(c.field, QString::fromLatin1(r.field));
    }
    EXPECT_EQ(value("SELECT COUNT(*) FROM STOCK"), "1");
}

TEST_F(Items, LargeUnitOnlyFirmsKeepQunitsOneOnNewItems)
{
    struct Row {
        const char* selUnit;
        int typed;
        const char* stored;
        bool editable;
    } rows[] = {{"1", 12, "1.00", false}, {"2", 12, "12.00", true}};
    int n = 0;
    for (const Row& r : rows) {
        session->gSelUnit = QString::fromLatin1(r.selUnit);
        ItemRepository items(*session);
        EXPECT_EQ(items.unitsEditable(true), r.editable);
        EXPECT_TRUE(items.unitsEditable(false));
        Item it = item();
        it.QUNITS = masters::StockQty::fromInt(r.typed);
        const QString no = QString::number(++n);
        ASSERT_TRUE(items.insert(it, no).ok());
        EXPECT_EQ(value("SELECT QUNITS FROM STOCK WHERE ITEMNO = '" + no + "'"), QString::fromLatin1(r.stored));
    }
}

TEST_F(Items, DeleteIsRefusedWhileStockIsOnHand)
{
    exec({"INSERT INTO STOCK (ITEMNO, DESCR, QTYIN, ONHAND) VALUES ('A', 'x', 0.01, 0.01)",
          "INSERT INTO STOCK (ITEMNO, DESCR, QTYSOLD, ONHAND) VALUES ('B', 'x', 3, -3)",
          "INSERT INTO STOCK (ITEMNO, DESCR, QTYIN, QTYSOLD, ONHAND) VALUES ('C', 'x', 5, 5, 0)",
          "INSERT INTO TRANS3D (INVSEL, LNO, ITEMNO, UINDEX) VALUES (1, 1, 'C', 2)",
          "INSERT INTO ITEMBC (BCODE, ITEMNO) VALUES ('628100', 'C')"});
    ItemRepository items(*session);
    for (const char* no : {"A", "B"}) {
        EXPECT_EQ(items.canRemove(no).message, text::itemHasMovement()) << no;
        EXPECT_EQ(items.remove(no).message, text::itemHasMovement()) << no;
        EXPECT_TRUE(items.exists(no));
    }
    EXPECT_TRUE(items.canRemove("C").ok());
    EXPECT_TRUE(items.remove("C").ok()); // documents naming it do not matter
    EXPECT_FALSE(items.exists("C"));
    EXPECT_EQ(value("SELECT ITEMNO FROM ITEMBC WHERE BCODE = '628100'"), "C");
    EXPECT_EQ(items.remove("C").message, text::noRecords());
}

TEST_F(Items, SavingTheCardLeavesRunningValuesToDocuments)
{
    ItemRepository items(*session);
    Item it = item();
    it.UCOST = *core::Money::parse(u"1.50");
    ASSERT_TRUE(items.insert(it, "1").ok());
    const Item shown = *items.find("1");

    // A purchase saved at another workstation while the card is open.
    {
        db::Transaction tr(*session->MainDB);
        masters::StockLine line{"1", 2, core::Qty::fromInt(10), core::Price::fromInt(3), core::Money::fromInt(30),
                                QDate(2026, 2, 1), {}};
        ASSERT_TRUE(masters::applyStockEffect(tr, *session, masters::DocKind::Purchase, masters::Direction::Save, line));
        tr.commit();
    }
    Item edited = shown;
    edited.DESCR = QStringLiteral("قلم أحمر");
    edited.UPRICE = core::Money::fromInt(5);
    ASSERT_TRUE(items.update(shown, edited).ok());
    Item now = *items.find("1");
    EXPECT_EQ(now.DESCR, edited.DESCR);
    EXPECT_EQ(now.UPRICE, core::Money::fromInt(5));
    EXPECT_EQ(now.ONHAND, masters::StockQty::fromInt(10));
    EXPECT_EQ(now.TOTCOST, core::Money::fromInt(30));
    EXPECT_EQ(now.UCOST, core::Money::fromInt(3)); // the purchase's cost, not the card's 1.50
    EXPECT_EQ(now.LQTYIN, QDate(2026, 2, 1));

    // A cost edited on the card is written.
    Item costed = now;
    costed.UCOST = *core::Money::parse(u"2.75");
    ASSERT_TRUE(items.update(now, costed).ok());
    EXPECT_EQ(items.find("1")->UCOST, *core::Money::parse(u"2.75"));
}

TEST_F(Items, DerivedQuantitiesOfTheItemDatasets)
{
    Item it;
    it.QUNITS = masters::StockQty::fromInt(12);
    it.ONHAND = masters::StockQty::fromInt(30);
    it.UCOST = *core::Money::parse(u"1.5");
    it.MINSTOCK = 3;
    const core::ItemQuantities q = it.quantities();
    EXPECT_EQ(q.QONHND, *core::Qty::parse(u"2.5"));
    EXPECT_EQ(q.UCST, *core::Price::parse(u"18"));
    EXPECT_EQ(q.CURVAL, *core::Money::parse(u"45"));
    EXPECT_EQ(it.belowMinimumFlag(), "?");
    it.MINSTOCK = 2;
    EXPECT_EQ(it.belowMinimumFlag(), "");
}

TEST_F(Items, GroupsInUseKeepTheirNumber)
{
    exec("INSERT INTO STOCK (ITEMNO, DESCR, ARTNO) VALUES ('1', 'x', '12')");
    masters::ItemGroupRepository groups(*session);
    EXPECT_TRUE(groups.inUse("12"));
    EXPECT_TRUE(groups.save({"12", "أقلام حبر"}, "12").ok());
    EXPECT_EQ(groups.find("12")->ARTNM, QStringLiteral("أقلام حبر"));
    EXPECT_EQ(groups.save({"13", "أقلام"}, "12").message, text::usedElsewhere());
    EXPECT_EQ(groups.remove("12").message, text::usedElsewhere());
    EXPECT_TRUE(groups.save({"LC", "أدوات"}, "LB").ok()); // unused: may be renumbered
    EXPECT_TRUE(groups.remove("LC").ok());
    EXPECT_EQ(groups.remove("LC").message, text::noRecordsNoDot());
    EXPECT_EQ(groups.save({"12", "مكرر"}).message, text::groupExists());
    EXPECT_EQ(groups.save({" ", "اسم"}).message, text::incompleteData());
    EXPECT_EQ(groups.save({"14", " "}).message, text::incompleteData());
}

TEST_F(Items, BarcodesAreUniqueOverAllItemsAndFindTheirItem)
{
    exec({"INSERT INTO STOCK (ITEMNO, DESCR) VALUES ('1', 'x')", "INSERT INTO STOCK (ITEMNO, DESCR) VALUES ('2', 'y')"});
    masters::BarcodeRepository codes(*session);
    EXPECT_TRUE(codes.add("6281000000017", "1").ok());
    EXPECT_TRUE(codes.add("6281000000024", "1").ok());
    EXPECT_EQ(codes.add("6281000000017", "2").message, text::barcodeExists());
    EXPECT_EQ(codes.list("1"), QStringList({"6281000000017", "6281000000024"}));
    EXPECT_TRUE(codes.list("2").isEmpty());

    ItemRepository items(*session);
    EXPECT_EQ(items.resolveCode("2").value_or(""), "2");
    EXPECT_EQ(items.resolveCode("6281000000024").value_or(""), "1");
    EXPECT_FALSE(items.resolveCode("0000").has_value());
    codes.remove("6281000000024");
    EXPECT_FALSE(items.resolveCode("6281000000024").has_value());
}
