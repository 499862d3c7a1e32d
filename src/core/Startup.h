#pragma once
// Start-up and year services over the session: the steps that need a database.
#include "core/Session.h"
#include <QDate>
#include <QString>
#include <QStringList>
#include <optional>

namespace kv::core {

struct AcDbLines; // core/TextFiles.h

// Failure of a start-up step, with the text to show before ending the program.
struct StartupError {
    QString message;
    bool silent = false; // end without a message
    bool information = false; // shown as information rather than error
};

class Startup {
public:
    explicit Startup(Session& s) : s_(s) {}

    // Steps 6..13 and 15..16 of the start-up sequence: from the AcDb.txt values already in the
    // session (mServer, mIBMain, mIBPath, mAppDir) to both connections open, settings loaded,
    // LastYr/CurrYr, mTrNo. Returns an error instead of throwing. The Hijri dialog (step 14) is
    // the caller's: call needsHijriConfirmation() between openDatabases() and finish().
    std::optional<StartupError> openDatabases();
    bool needsHijriConfirmation() const { return s_.isHijriYear(); }
    // Schema upgrade of the open year and LTrDate.
    std::optional<StartupError> finish();

    // Year database of a year: mIBPath joined with "AC<year>.FDB" by the path's own separator.
    QString yearDatabasePath(const QString& year) const;
    // Close MainDB and open the year database of `year`; sets CurrYr and runs AddFields.
    void openYear(const QString& year);
    QStringList years() const; // YEARS.CYEAR in key order
    void loadFirmSettings();   // FIRM and BRANCH rows into the session fields
    void computeLTrDate();

private:
    Session& s_;
};

// Hijri date confirmation over FIRM.GDATE/HDATE.
struct HijriProposal { QDate gdate; QDate hdate; };
// What the dialog shows on open: HDATE advanced by the days since GDATE, GDATE today.
// When GDATE was empty the row is written at once with GDATE = today and HDATE empty.
HijriProposal beginHijriConfirmation(Session& s, const QDate& today);
// OK: stores HDATE (and GDATE) and sets mcHDate. Returns false with the invalid-date
// message when the Hijri date cannot be stored.
bool confirmHijriDate(Session& s, const QDate& gdate, const QDate& hdate, QString* error);

} // namespace kv::core
