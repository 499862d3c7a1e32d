#pragma once
#include <QString>
#include <optional>

namespace kv::cli {

bool stdinIsTerminal();
// Shows `prompt` on stderr and reads one line from stdin without echoing it.
// nullopt at the end of input.
std::optional<QString> readHidden(const QString& prompt);

} // namespace kv::cli
