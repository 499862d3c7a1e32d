#pragma once
// Where the program's files live on this platform.
#include <QString>

namespace kv::core {

// Folder of a program-folder file (AcDb.txt, BCParam.txt): $KV_CONFIG_DIR when set; else the
// executable's folder when writable; else the user's configuration folder ("kordavan").
// Ends with a separator.
QString appPath();
QString programFile(const QString& fileName); // appPath() + fileName

// The shared public folder (the last-user file lives here): $KV_PUBLIC_DIR, else
// ~/.local/share/kordavan/public. Created on demand; empty when it cannot be created.
QString publicFolder();
QString lastUserFile(); // publicFolder() + "KVLSTUNM.txt"

// The backup folder: $KV_BACKUP_DIR, else ~/KVBackup.
QString backupFolder();

// Joins a server-side folder and a file name with "\" when the folder uses "\", else with "/".
QString joinServerPath(const QString& folder, const QString& fileName);

} // namespace kv::core
