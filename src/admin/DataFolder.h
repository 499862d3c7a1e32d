#pragma once
// Creating a firm's data folder: MAIN.FDB, the template AC.FDB and the first year AC<year>.FDB.
#include <QString>
#include <QStringList>

namespace kv::admin {

struct InitOptions {
    QString dir;            // data folder (local path; created when missing)
    QString year;           // first fiscal year, e.g. "2026" or "1447"
    QString adminPassword;  // password of "<المشرف>" (at most 6 characters)
    bool demo = false;      // fill a small demo firm
    QString server;         // empty: embedded engine; else host or host/port, dir as seen by the server
};

struct InitResult {
    bool ok = false;
    QString error;          // why nothing was created
    QStringList acDbLines;  // the four lines of AcDb.txt that point at the folder
};

// Refuses, changing nothing, when the folder already holds MAIN.FDB, AC.FDB or AC<year>.FDB.
InitResult createDataFolder(const InitOptions& options);

// Fills the demo firm into an already created folder (the FIRM and BRANCH rows, an operator
// with a few rights). Later steps add items, accounts and documents.
void fillDemo(const QString& mainDb, const QString& yearDb, const QString& server = {});

} // namespace kv::admin
