#pragma once
// Helpers of the tools tests: the GUI application fonts and painting need, external tools run
// through QProcess, and a small item list.
#include "tools/Table.h"
#include <QByteArray>
#include <QString>
#include <QStringList>

class QGuiApplication;

namespace kv::test {

// The one QGuiApplication of the test process (offscreen platform).
QGuiApplication& guiApp();

// Runs `program` with `args`; its standard output, or an empty array with *ok false on failure.
QByteArray runTool(const QString& program, const QStringList& args, bool* ok = nullptr);

// `n` generated items: number, Arabic name, group, quantity (Qty), cost (Money), date.
tools::Table itemTable(int n);

} // namespace kv::test
