// Enter moves to the next field on an entry screen.
#include "UiTest.h"

#include "ui/common/EnterMovesNext.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QVBoxLayout>

TEST(EnterKey, MovesThroughTheFieldsAndClicksAFocusedButton)
{
    kv::test::uiApp();
    QDialog screen;
    auto* layout = new QVBoxLayout(&screen);
    auto* name = new QLineEdit(&screen);
    auto* city = new QComboBox(&screen);
    city->setEditable(true);
    city->addItems({QStringLiteral("جدة"), QStringLiteral("مكة")});
    auto* flag = new QCheckBox(QStringLiteral("إضافة"), &screen);
    auto* disabled = new QLineEdit(&screen);
    disabled->setEnabled(false);
    auto* ok = new QPushButton(QStringLiteral("موافق"), &screen);
    ok->setDefault(true);
    for (QWidget* w : std::initializer_list<QWidget*>{name, city, flag, disabled, ok})
        layout->addWidget(w);
    int clicks = 0;
    QObject::connect(ok, &QPushButton::clicked, [&] { ++clicks; });
    kv::ui::EnterMovesNext::install(&screen);
    screen.show();
    QApplication::setActiveWindow(&screen);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&screen));

    const struct {
        QWidget* from;
        Qt::Key key;
        QWidget* to;
    } steps[] = {
        {name, Qt::Key_Return, city},
        {city, Qt::Key_Enter, flag}, // keypad Enter as well; the editable combo adds no item
        {flag, Qt::Key_Return, ok},  // the disabled edit is skipped
    };
    city->setEditText(QStringLiteral("الرياض")); // Enter would add it as an item
    for (const auto& s : steps) {
        s.from->setFocus();
        QTest::keyClick(s.from, s.key, s.key == Qt::Key_Enter ? Qt::KeypadModifier : Qt::NoModifier);
        EXPECT_EQ(QApplication::focusWidget(), s.to) << s.from->metaObject()->className();
    }
    EXPECT_EQ(city->count(), 2);
    EXPECT_FALSE(flag->isChecked());
    EXPECT_EQ(clicks, 0);
    EXPECT_FALSE(ok->autoDefault());

    QTest::keyClick(ok, Qt::Key_Return);
    EXPECT_EQ(clicks, 1);
}
