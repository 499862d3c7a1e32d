// The searches: prefix on numbers, case-insensitive containment on names, typed texts that are
// plain characters (quotes, %, _), Arabic, pages, and the item grid's computed columns.
#include "MastersFixture.h"
#include "masters/Search.h"
#include "masters/SearchModel.h"

using namespace kv;

namespace {

class Search : public test::MastersTest {
protected:
    void SetUp() override
    {
        MastersTest::SetUp();
        exec({"INSERT INTO STOCK (ITEMNO, DESCR, ONHAND, QUNITS, UPRICE, MINSTOCK, LOCATION) VALUES "
              "('12', 'Pen blue', 30, 12, 4.5, 3, 'A-01')",
              "INSERT INTO STOCK (ITEMNO, DESCR, ONHAND, QUNITS, UPRICE, MINSTOCK) VALUES ('125', 'قلم رصاص', 40, 1, 1, 5)",
              "INSERT INTO STOCK (ITEMNO, DESCR, ONHAND, QUNITS) VALUES ('12a', 'O''Brien pen', 0, 1)",
              "INSERT INTO STOCK (ITEMNO, DESCR, ONHAND, QUNITS) VALUES ('130', '50% off_sale', 0, 0)",
              "INSERT INTO STOCK (ITEMNO, DESCR, ONHAND, QUNITS) VALUES ('2', 'PENCIL case', 0, 1)",
              "INSERT INTO STOCK (ITEMNO, DESCR, ONHAND, QUNITS) VALUES ('3', '500 offXsale', 0, 1)"});
    }
    static QStringList keys(const QList<masters::SearchRow>& rows)
    {
        QStringList k;
        for (const auto& r : rows) k << r.key();
        return k;
    }
};

} // namespace

TEST_F(Search, ItemTextsSelectPrefixOrContainment)
{
    auto q = masters::makeItemSearch(*session);
    struct Row {
        const char* typed;
        QStringList expected;
    } rows[] = {
        {"", {"12", "125", "12a", "130", "2", "3"}},       // everything, by number
        {"12", {"12", "125", "12a"}},                       // number prefix
        {"12a", {"12a"}},                                   // still a number: first character a digit
        {"pen", {"12a", "2", "12"}},                        // containment, any case, by description
        {"PEN", {"12a", "2", "12"}},
        {"O'Brien", {"12a"}},                               // a quote is a plain character
        {"'", {"12a"}},
        {"% off", {"130"}},                                 // so are % and _
        {"f_s", {"130"}},
        {"%", {"130"}},
        {"قلم", {"125"}},
        {"رصاص", {"125"}},
        {"zzz", {}},
    };
    for (const Row& r : rows) {
        q->setText(QString::fromUtf8(r.typed));
        EXPECT_EQ(keys(q->fetch(0, 50)), r.expected) << r.typed;
        EXPECT_EQ(q->count(), r.expected.size()) << r.typed;
        if (*r.typed) // the text travels as a parameter
            EXPECT_EQ(q->parameters(), (QList<std::pair<QString, QString>>{{"T", QString::fromUtf8(r.typed)}})) << r.typed;
    }
}

TEST_F(Search, ItemGridShowsLargeUnitsAndTheReorderFlag)
{
    auto q = masters::makeItemSearch(*session);
    EXPECT_EQ(q->caption(), "بحث في بنود الأصـناف");
    QStringList captions;
    for (const auto& c : q->columns()) captions << c.caption;
    EXPECT_EQ(captions, QStringList({"رقم الصنف", "الـبــيــــــــان", "المخـزون", "سعر البيع", "الحد الأدنى", "?",
                                     "الموقع بالمستودع"}));
    q->setText("12");
    const auto rows = q->fetch(0, 2);
    ASSERT_EQ(rows.size(), 2);
    EXPECT_EQ(rows[0].cells, QStringList({"12", "Pen blue", "2.50", "4.50", "3", "?", "A-01"}));
    EXPECT_EQ(rows[1].cells, QStringList({"125", "قلم رصاص", "40.00", "1.00", "5", "", ""}));
    q->setText("130"); // QUNITS 0: no quotient
    EXPECT_EQ(q->fetch(0, 1).value(0).value(q->columnIndex("QONHND")), "0.00");
}

TEST_F(Search, PagesFollowTheOrder)
{
    auto q = masters::makeItemSearch(*session);
    EXPECT_EQ(keys(q->fetch(0, 2)), QStringList({"12", "125"}));
    EXPECT_EQ(keys(q->fetch(2, 2)), QStringList({"12a", "130"}));
    EXPECT_EQ(keys(q->fetch(4, 2)), QStringList({"2", "3"}));
    EXPECT_TRUE(q->fetch(6, 2).isEmpty());

    masters::SearchModel model(masters::makeItemSearch(*session), nullptr, 4);
    EXPECT_EQ(model.rowCount(), 4);
    EXPECT_EQ(model.columnCount(), 6); // LOCATION is outside the grid
    EXPECT_TRUE(model.canFetchMore({}));
    model.fetchMore({});
    EXPECT_EQ(model.rowCount(), 6);
    EXPECT_FALSE(model.canFetchMore({}));
    EXPECT_EQ(model.outsideValue(0, "LOCATION"), "A-01");
    model.setText("pen");
    EXPECT_EQ(model.rowCount(), 3);
    EXPECT_EQ(model.key(0), "12a");
    EXPECT_EQ(model.headerData(0, Qt::Horizontal).toString(), "رقم الصنف");
}

TEST_F(Search, AccountBoxes)
{
    exec({"INSERT INTO ACCT (ACCTNO, ACCTNAME, ACCTTYPE, MACTNO, TEL) VALUES ('120001', 'Nour Trading', '12', '12', '0551')",
          "INSERT INTO ACCT (ACCTNO, ACCTNAME, ACCTTYPE, MACTNO) VALUES ('120002', 'مؤسسة النور', '12', '12')",
          "INSERT INTO ACCT (ACCTNO, ACCTNAME, ACCTTYPE, MACTNO) VALUES ('200001', 'AL NOUR supplies', '20', '20')"});
    masters::AccountSearch q(*session);
    EXPECT_EQ(keys(q.fetch(0, 10)), QStringList({"120001", "120002", "200001"}));
    EXPECT_TRUE(q.setNumberText("12"));
    EXPECT_EQ(keys(q.fetch(0, 10)), QStringList({"120001", "120002"}));
    EXPECT_FALSE(q.setNumberText("nour")); // the number box ignores a text starting with a letter
    EXPECT_EQ(keys(q.fetch(0, 10)), QStringList({"120001", "120002"}));
    q.setNameText("nour");
    EXPECT_EQ(keys(q.fetch(0, 10)), QStringList({"200001", "120001"}));
    q.setNameText("النور");
    EXPECT_EQ(keys(q.fetch(0, 10)), QStringList({"120002"}));
    q.setMainAccount("20");
    EXPECT_EQ(keys(q.fetch(0, 10)), QStringList({"200001"}));
    q.setText("2");
    EXPECT_EQ(keys(q.fetch(0, 10)), QStringList({"200001"}));
    EXPECT_EQ(q.fetch(0, 1).value(0).cells, QStringList({"200001", "AL NOUR supplies", "20", ""}));
}

TEST_F(Search, SalesmenCostCentresAndEarlierCustomers)
{
    exec({"INSERT INTO SALREP (SALRID, NAME) VALUES ('3', 'Khalid')", "INSERT INTO SALREP (SALRID, NAME) VALUES ('31', 'Ali')",
          "INSERT INTO SALREP (SALRID, NAME) VALUES ('04', 'kamal')",
          "INSERT INTO CCENTG (CENTGNO, CENTGNM) VALUES (1, 'فروع')",
          "INSERT INTO CCENT (CENTNO, CENTNM, CENTGNO) VALUES (2, 'فرع جدة', 1)",
          "INSERT INTO CCENT (CENTNO, CENTNM, CENTGNO) VALUES (1, 'فرع الرياض', 1)",
          "INSERT INTO CCENT (CENTNO, CENTNM) VALUES (3, 'الإدارة')",
          "INSERT INTO TRANS3 (INVSEL, TRDATE, CUSTNAME, TAXCODE, CITY) VALUES (7, '2026-02-01', 'محمد O''Neil', '300', 'جدة')",
          "INSERT INTO TRANS3 (INVSEL, TRDATE, CUSTNAME) VALUES (9, '2026-02-03', 'محمد سالم')"});
    auto reps = masters::makeSalesmanSearch(*session);
    reps->setText("3");
    EXPECT_EQ(keys(reps->fetch(0, 10)), QStringList({"3", "31"}));
    reps->setText("K");
    EXPECT_EQ(keys(reps->fetch(0, 10)), QStringList({"3", "04"}));
    EXPECT_EQ(reps->count(), 2);

    masters::CostCentreSearch cc(*session);
    EXPECT_EQ(keys(cc.fetch(0, 10)), QStringList({"1", "2", "3"}));
    cc.setText("فرع");
    EXPECT_EQ(keys(cc.fetch(0, 10)), QStringList({"1", "2"})); // by name: الرياض before جدة
    cc.setText("");
    cc.setGroup(1);
    EXPECT_EQ(cc.count(), 2);
    EXPECT_EQ(masters::costCentreGroups(*session).value(0).CENTGNM, "فروع");
    const auto centre = masters::findCostCentre(*session, 2);
    ASSERT_TRUE(centre.has_value());
    EXPECT_EQ(centre->CENTNM, "فرع جدة");
    EXPECT_EQ(centre->CENTGNO, 1);
    EXPECT_FALSE(masters::findCostCentre(*session, 4).has_value());

    auto earlier = masters::makeEarlierCustomerSearch(*session);
    earlier->setText("محمد");
    EXPECT_EQ(keys(earlier->fetch(0, 10)), QStringList({"9", "7"}));
    earlier->setText("o'neil");
    const auto rows = earlier->fetch(0, 10);
    ASSERT_EQ(rows.size(), 1);
    EXPECT_EQ(rows[0].value(1), "2026/02/01");
    const auto c = masters::earlierCustomer(*session, 7);
    ASSERT_TRUE(c.has_value());
    EXPECT_EQ(c->CUSTNAME, "محمد O'Neil");
    EXPECT_EQ(c->CITY, "جدة");
}
