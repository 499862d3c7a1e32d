#pragma once
// Loading and saving the item file and the account file as CSV (UTF-8, a header row naming the
// columns by their table names, e.g. ITEMNO,DESCR,UNIT,SUBUNIT,QUNITS,UPRICE). This is how a firm
// moving from another program brings its master files in. Every row is checked before anything is
// written; then all rows go in one transaction, or none do.
#include <QString>
#include <QStringList>
#include <vector>

namespace kv::db { class Connection; }

namespace kv::admin {

enum class MasterFile { Items, Accounts };

struct RowProblem {
    int line = 0;    // line of the file, the header being line 1
    QString reason;
};

struct ImportResult {
    bool ok = false;
    int imported = 0;
    std::vector<RowProblem> problems; // nothing was imported when not empty
    QString error;                    // a failure that is not one row's (file, header, database)
};

struct ImportSettings {
    bool largeUnitOnly = false; // the firm sells by the large unit only: QUNITS must be 1
};

// The columns a file may name, in the order export writes them. Running quantities, costs of
// movement and balances are not loaded this way (opening balances have their own screens).
QStringList importableColumns(MasterFile kind);
// Columns every file must have.
QStringList requiredColumns(MasterFile kind);

ImportResult importCsv(db::Connection& year, MasterFile kind, const QString& csvText, const ImportSettings& settings = {});
// Writes every row with the importable columns; returns an empty string or the error.
QString exportCsv(db::Connection& year, MasterFile kind, const QString& path, int* rows = nullptr);

} // namespace kv::admin
