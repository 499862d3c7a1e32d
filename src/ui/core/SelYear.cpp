#include "ui/core/SelYear.h"

#include "core/Startup.h"
#include "db/Error.h"
#include "ui/common/EnterMovesNext.h"
#include "ui/common/Look.h"
#include "ui/common/MessageBox.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace kv::ui {

TSelYearF::TSelYearF(core::Session& session, QWidget* parent)
    : QDialog(parent)
    , s_(session)
{
    setObjectName(QStringLiteral("TSelYearF"));
    setWindowTitle(QStringLiteral("إختيار سـنة ماليـة"));

    auto* top = new QVBoxLayout(this);
    auto* firm = new QLabel(s_.mFirmN, this);
    firm->setObjectName(QStringLiteral("LblFirm"));
    firm->setAlignment(Qt::AlignCenter);
    firm->setFont(titleFont(13));
    top->addWidget(firm);

    DBLCYears = new QComboBox(this);
    DBLCYears->setObjectName(QStringLiteral("DBLCYears"));
    DBLCYears->setMaxVisibleItems(10);
    DBLCYears->setToolTip(QStringLiteral("إختيار السنة المالية"));
    DBLCYears->setLayoutDirection(Qt::LeftToRight);
    DBLCYears->setMinimumWidth(160);
    auto* row = new QHBoxLayout;
    row->addStretch(1);
    row->addWidget(DBLCYears);
    row->addStretch(1);
    top->addLayout(row);

    auto* buttons = new QHBoxLayout;
    auto* BBOk = new QPushButton(QStringLiteral("&موافق  - Ok"), this);
    BBOk->setObjectName(QStringLiteral("BBOk"));
    BBOk->setDefault(true);
    auto* BBCancel = new QPushButton(QStringLiteral("إلغاء الأمر - Cancel"), this);
    BBCancel->setObjectName(QStringLiteral("BBCancel"));
    buttons->addWidget(BBOk);
    buttons->addWidget(BBCancel);
    top->addLayout(buttons);
    connect(BBOk, &QPushButton::clicked, this, &TSelYearF::okClicked);
    connect(BBCancel, &QPushButton::clicked, this, &TSelYearF::reject);
    EnterMovesNext::install(this);

    const QStringList years = core::Startup(s_).years();
    DBLCYears->addItems(years);
    if (!years.isEmpty()) {
        s_.LastYr = years.last();
        DBLCYears->setCurrentIndex(years.size() - 1);
    }
    DBLCYears->setFocus();
}

void TSelYearF::okClicked()
{
    if (DBLCYears->currentIndex() < 0)
        return;
    try {
        core::Startup(s_).openYear(DBLCYears->currentText());
    } catch (const db::DbError& e) {
        showError(this, e.text());
        return;
    } catch (const std::exception& e) {
        showError(this, QString::fromUtf8(e.what()));
        return;
    }
    accept();
}

} // namespace kv::ui
