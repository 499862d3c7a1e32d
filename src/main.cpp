// Program entry: one copy per user session, splash, database location, connections, the
// Hijri date when the open year is Hijri, then the main window, whose first show runs the login.
//
// Environment:
//   KV_AUTOLOGIN_EXIT=1  for the start-up benchmark: the program ends with status 0 as soon as
//                        the login dialog is shown (nothing is written).
//   KV_CONFIG_DIR, KV_PUBLIC_DIR, KV_BACKUP_DIR  see core/Paths.h.
#include "core/Paths.h"
#include "core/Session.h"
#include "core/Startup.h"
#include "core/StartupRules.h"
#include "core/TextFiles.h"
#include "db/Error.h"
#include "ui/app/IBDb.h"
#include "ui/app/Logo.h"
#include "ui/app/SMain.h"
#include "ui/common/Look.h"
#include "ui/common/MessageBox.h"
#include "ui/core/HDate.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QLockFile>
#include <QRandomGenerator>
#include <QStandardPaths>
#include <QTimer>

#include <memory>

namespace {

// Ends the run as soon as the login dialog appears (KV_AUTOLOGIN_EXIT=1).
class ExitOnLogin : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Show && watched->objectName() == QLatin1String("TSLoginF")) {
            QTimer::singleShot(0, [] { QCoreApplication::exit(0); });
        }
        return false;
    }
};

QString lockFolder()
{
    const QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    return runtime.isEmpty() ? QDir::tempPath() : runtime;
}

void showStartupError(const kv::core::StartupError& e)
{
    if (e.silent)
        return;
    if (e.information)
        kv::ui::showInformation(nullptr, e.message);
    else
        kv::ui::showError(nullptr, e.message);
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    kv::ui::applyApplicationLook(app);

    // A second copy for the same user ends at once, silently.
    QLockFile instance(lockFolder() + QStringLiteral("/KVSales.lock"));
    instance.setStaleLockTime(0); // a lock left by a crashed copy is taken over (its pid is gone)
    if (!instance.tryLock(0))
        return 0;

    auto splash = std::make_unique<kv::ui::TLogoF>();
    splash->showAndPaint();

    kv::core::Session session;
    session.mSysID = kv::core::makeSysId(QRandomGenerator::global()->generate());
    if (kv::core::publicFolder().isEmpty()) {
        splash->hide();
        kv::ui::showError(nullptr, QStringLiteral("Cannot create directory"));
        return 1;
    }
    session.AppPath = kv::core::appPath();

    // The server and database location, asked for on the first run.
    const QString acDb = kv::core::programFile(QStringLiteral("AcDb.txt"));
    if (!QFileInfo::exists(acDb)) {
        splash->hide();
        kv::ui::TIBDbF location(QCoreApplication::applicationDirPath());
        location.exec();
        if (!location.databaseChosen())
            return 0;
        if (!kv::core::writeAcDb(acDb, location.values())) {
            kv::ui::showError(nullptr, QStringLiteral("Cannot create file ") + QDir::toNativeSeparators(acDb));
            return 1;
        }
        kv::ui::showInformation(nullptr, QStringLiteral("Run the Program again please"));
        return 0;
    }
    const auto lines = kv::core::readAcDb(acDb);
    if (lines) {
        session.mServer = lines->mServer;
        session.mIBMain = lines->mIBMain;
        session.mIBPath = lines->mIBPath;
        session.mAppDir = lines->mAppDir;
    }

    kv::core::Startup startup(session);
    try {
        if (const auto error = startup.openDatabases()) {
            splash->hide();
            showStartupError(*error);
            return 1;
        }
        if (startup.needsHijriConfirmation()) {
            splash->hide();
            kv::ui::THDateF confirm(session, QDate::currentDate());
            confirm.exec();
        }
        if (const auto error = startup.finish()) {
            splash->hide();
            showStartupError(*error);
            return 1;
        }
    } catch (const kv::db::DbError& e) {
        splash->hide();
        kv::ui::showError(nullptr, e.text());
        return 1;
    } catch (const std::exception& e) {
        splash->hide();
        kv::ui::showError(nullptr, QString::fromUtf8(e.what()));
        return 1;
    }

    kv::ui::TSMainF mainWindow(session);
    if (qEnvironmentVariable("KV_AUTOLOGIN_EXIT") == QLatin1String("1"))
        app.installEventFilter(new ExitOnLogin(&app));
    splash.reset();
    mainWindow.show();
    return app.exec();
}
