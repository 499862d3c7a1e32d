#include "ui/app/SMain.h"

#include "core/Messages.h"
#include "core/Paths.h"
#include "core/TextFiles.h"
#include "core/Users.h"
#include "db/Error.h"
#include "ui/app/Commands.h"
#include "ui/app/Logo.h"
#include "ui/common/ClickableLabel.h"
#include "ui/common/Look.h"
#include "ui/common/MessageBox.h"
#include "ui/core/SLogin.h"
#include "ui/core/SelYear.h"
#include "ui/tools/PrintOpt.h"

#include <QAction>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QPushButton>
#include <QTimer>
#include <QToolBar>
#include <QVBoxLayout>
#include <algorithm>
#include <map>

namespace kv::ui {

namespace {

QString u8(const char* s) { return QString::fromUtf8(s); }

// The large logo in the middle of the window.
class LogoArea : public QWidget {
public:
    using QWidget::QWidget;
    QSize sizeHint() const override { return {220, 220}; }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        const int side = qMin(width(), height());
        paintProductLogo(p, QRectF((width() - side) / 2.0, (height() - side) / 2.0, side, side));
    }
};

QString errorText(const std::exception& e)
{
    if (const auto* db = dynamic_cast<const db::DbError*>(&e))
        return db->text();
    return QString::fromUtf8(e.what());
}

} // namespace

TSMainF::TSMainF(core::Session& session, QWidget* parent)
    : QMainWindow(parent)
    , s_(session)
    , endProgram_([] { QCoreApplication::exit(0); })
{
    setObjectName(QStringLiteral("TSMainF"));
    setWindowTitle(QStringLiteral("Kordavan Stock Control"));
    buildMenus();
    buildToolBar();
    buildCentre();
    setCommandsEnabled(false);
    resize(1000, 680);
}

void TSMainF::buildMenus()
{
    std::map<MenuId, QMenu*> menus;
    std::map<std::pair<MenuId, QString>, QMenu*> subMenus;
    for (MenuId id : {MenuId::Transactions, MenuId::Accounts, MenuId::Reports, MenuId::Files, MenuId::Settings}) {
        QMenu* m = menuBar()->addMenu(menuCaption(id));
        menus[id] = m;
        menus_.push_back(m);
    }
    for (const CommandDef& c : commandTable()) {
        QMenu* into = menus[c.menu];
        if (*c.subMenu) {
            QMenu*& sub = subMenus[{c.menu, u8(c.subMenu)}];
            if (!sub)
                sub = into->addMenu(u8(c.subMenu));
            into = sub;
        }
        QAction* a = into->addAction(u8(c.caption));
        a->setObjectName(QStringLiteral("mi%1").arg(QString::fromLatin1(c.screen)));
        if (*c.key) {
            a->setShortcut(QKeySequence(QString::fromLatin1(c.key)));
            a->setShortcutContext(Qt::WindowShortcut);
        }
        const CommandDef* def = &c;
        connect(a, &QAction::triggered, this, [this, def] { runCommand(*def); });
        actions_.push_back(a);
        // The documents end before log off and exit.
        if (c.menu == MenuId::Transactions && QLatin1String(c.screen) == QLatin1String("TNoticeF"))
            into->addSeparator();
    }
}

void TSMainF::buildToolBar()
{
    QToolBar* bar = addToolBar(QStringLiteral("ToolBar"));
    bar->setObjectName(QStringLiteral("ToolBar"));
    bar->setMovable(false);
    bar->setToolButtonStyle(Qt::ToolButtonTextOnly);
    bar->setFont(titleFont(11));
    std::vector<const CommandDef*> onBar;
    for (const CommandDef& c : commandTable())
        if (c.toolbarPos > 0)
            onBar.push_back(&c);
    std::sort(onBar.begin(), onBar.end(), [](auto* a, auto* b) { return a->toolbarPos < b->toolbarPos; });
    for (const CommandDef* c : onBar) {
        QAction* a = bar->addAction(u8(c->toolbar));
        a->setObjectName(QStringLiteral("sb%1").arg(QString::fromLatin1(c->screen)));
        connect(a, &QAction::triggered, this, [this, c] { runCommand(*c); });
        actions_.push_back(a);
        bar->addSeparator();
    }

    // The year caption: clicking either label opens the fiscal-year dialog.
    auto* spacer = new QWidget(bar);
    spacer->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    bar->addWidget(spacer);
    LblYearCaption = new ClickableLabel(QStringLiteral("المبيعات لسنة"), bar);
    LblYearCaption->setObjectName(QStringLiteral("LblYearCaption"));
    LblYearCaption->setFont(titleFont(12));
    LblYear = new ClickableLabel(s_.CurrYr, bar);
    LblYear->setObjectName(QStringLiteral("LblYear"));
    LblYear->setFont(titleFont(14));
    LblYear->setStyleSheet(QStringLiteral("color: #a0560c; padding: 0 10px;"));
    bar->addWidget(LblYearCaption);
    bar->addWidget(LblYear);
    for (ClickableLabel* l : {LblYearCaption, LblYear})
        connect(l, &ClickableLabel::clicked, this, [this] {
            if (commandsEnabled_)
                chooseYear();
        });
}

void TSMainF::buildCentre()
{
    auto* centre = new QWidget(this);
    centre->setObjectName(QStringLiteral("Centre"));
    centre->setAutoFillBackground(true);
    QPalette pal = centre->palette();
    pal.setColor(QPalette::Window, QColor(0xf6, 0xf1, 0xe6));
    centre->setPalette(pal);
    auto* layout = new QVBoxLayout(centre);
    layout->setContentsMargins(0, 0, 0, 8);

    auto* banner = new TBanner(QStringLiteral("Software"), centre);
    layout->addWidget(banner);
    layout->addSpacing(18);

    auto* title = new QLabel(QStringLiteral("نـظـام المخـازن والمبيعات"), centre);
    title->setObjectName(QStringLiteral("LblTitle"));
    title->setAlignment(Qt::AlignCenter);
    title->setFont(titleFont(26));
    title->setStyleSheet(QStringLiteral("color: #163a6b;"));
    layout->addWidget(title);
    auto* titleEn = new QLabel(QStringLiteral("Stock Control System - Client/Server Edition"), centre);
    titleEn->setObjectName(QStringLiteral("LblTitleEn"));
    titleEn->setAlignment(Qt::AlignCenter);
    titleEn->setFont(titleFont(14, QFont::DemiBold));
    titleEn->setStyleSheet(QStringLiteral("color: #a0560c;"));
    layout->addWidget(titleEn);

    layout->addWidget(new LogoArea(centre), 1);

    LblUser = new QLabel(centre);
    LblUser->setObjectName(QStringLiteral("LblUser"));
    LblUser->setLayoutDirection(Qt::LeftToRight);
    LblUser->setAlignment(Qt::AlignCenter);
    LblUser->setFont(titleFont(12));
    layout->addWidget(LblUser);
    setCentralWidget(centre);
}

void TSMainF::setCommandsEnabled(bool on)
{
    commandsEnabled_ = on;
    for (QAction* a : actions_)
        a->setEnabled(on);
    for (QMenu* m : menus_)
        m->menuAction()->setEnabled(on);
    LblYearCaption->setEnabled(on);
    LblYear->setEnabled(on);
}

void TSMainF::refreshYear()
{
    LblYear->setText(s_.CurrYr);
}

void TSMainF::endProgram()
{
    showMinimized();
    if (endProgram_)
        endProgram_();
}

void TSMainF::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    if (shownOnce_ || !loginOnShow_)
        return;
    shownOnce_ = true;
    // After the window is on the screen, so that the login dialog stands in front of it.
    QTimer::singleShot(0, this, [this] { logIn(); });
}

bool TSMainF::logIn()
{
    setCommandsEnabled(false);
    setWindowTitle(s_.mFirmN + QStringLiteral(" - ") + s_.mAddrs + QStringLiteral(" - ") + s_.mTelNo);
    refreshYear();
    s_.SalOnly = 1;

    std::optional<core::User> user;
    try {
        TSLoginF login(s_, this);
        login.exec();
        if (!login.vClose())
            user = login.loggedInUser();
    } catch (const std::exception& e) {
        showError(this, errorText(e));
    }
    if (!user) {
        endProgram();
        return false;
    }
    if (isMinimized())
        showNormal();

    try {
        core::applyLogin(s_, *user);
    } catch (const std::exception& e) {
        showError(this, errorText(e));
        endProgram();
        return false;
    }
    LblUser->setText(QStringLiteral(" User: ") + s_.UNM);
    TPrintOptF::shared().setUser(s_.UNM); // the printer this user chose last
    setCommandsEnabled(true);
    return true;
}

void TSMainF::logOff()
{
    logIn();
}

void TSMainF::chooseYear()
{
    TSelYearF dialog(s_, this);
    if (dialog.exec() != QDialog::Accepted) {
        endProgram();
        return;
    }
    refreshYear();
}

void TSMainF::showAbout()
{
    QDialog box(this);
    box.setObjectName(QStringLiteral("TAboutF"));
    box.setWindowTitle(QStringLiteral("حـول البرنامج"));
    auto* layout = new QVBoxLayout(&box);
    auto* banner = new TBanner(QStringLiteral("Software"), &box);
    layout->addWidget(banner);
    const char* lines[] = {"نظام المخازن والمبيعات", "Stock Control System", "الإصدار رقم 3.0", "Version 3.0"};
    for (const char* line : lines) {
        auto* l = new QLabel(u8(line), &box);
        l->setAlignment(Qt::AlignCenter);
        l->setFont(titleFont(12, QFont::DemiBold));
        layout->addWidget(l);
    }
    auto* ok = new QPushButton(QStringLiteral("OK"), &box);
    ok->setObjectName(QStringLiteral("BBOk"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, &box, &QDialog::accept);
    auto* row = new QHBoxLayout;
    row->addStretch(1);
    row->addWidget(ok);
    row->addStretch(1);
    layout->addLayout(row);
    box.exec();
}

void TSMainF::runCommand(const CommandDef& c)
{
    if (!commandsEnabled_)
        return;
    switch (c.guard) {
    case Guard::None:
        break;
    case Guard::Silent:
        if (c.right && !s_.allowed(*c.right))
            return;
        break;
    case Guard::Message:
        if (c.right && !s_.allowed(*c.right)) {
            showError(this, QString::fromUtf8(core::text::noRights()));
            return;
        }
        break;
    case Guard::AdminOnly:
        if (!s_.isAdmin()) {
            showInformation(this, s_.msg.mAdmnP);
            return;
        }
        break;
    }
    try {
        if (c.open)
            c.open(*this);
        else
            showNotAvailableYet(this, QString::fromUtf8(c.caption));
    } catch (const std::exception& e) {
        // The screen is gone (it lived on the stack of its opener); the main window goes on.
        showError(this, errorText(e));
    }
    // A command may have changed the open year (fiscal-year choice, new year).
    refreshYear();
}

QAction* TSMainF::menuAction(const QString& caption) const
{
    for (QAction* a : actions_)
        if (a->text() == caption && a->objectName().startsWith(QLatin1String("mi")))
            return a;
    return nullptr;
}

bool TSMainF::startAutomaticBackup()
{
    return true;
}

void TSMainF::closeEvent(QCloseEvent* event)
{
    if (!startAutomaticBackup()) {
        event->ignore();
        return;
    }
    if (s_.FirmDB)
        s_.FirmDB->close();
    if (s_.MainDB)
        s_.MainDB->close();
    core::LastUser last;
    last.user = s_.UNM;
    last.mRVPFrm = s_.mRVPFrm;
    last.mPVPFrm = s_.mPVPFrm;
    core::writeLastUser(core::lastUserFile(), last);
    event->accept();
}

} // namespace kv::ui
