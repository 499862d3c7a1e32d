#include "core/Rights.h"

#include <stdexcept>

namespace kv::core {

QString rightColumn(Right r)
{
    const int i = int(rightAt(int(r)));
    const bool t = i < 30;
    return QStringLiteral("%1%2").arg(t ? QLatin1Char('T') : QLatin1Char('R')).arg(i % 30 + 1, 2, 10, QLatin1Char('0'));
}

Right rightAt(int index)
{
    if (index < 0 || index >= RightCount)
        throw std::out_of_range("right index out of range 0..59");
    return Right(index);
}

bool allowed(const QString& vAdmin, const RightFlags& flags, Right r)
{
    return vAdmin != QLatin1String("OP") || flags[r] == QLatin1String("T");
}

QString adminClassFor(const QString& userName)
{
    return userName == adminName() ? QStringLiteral("SV") : QStringLiteral("OP");
}

} // namespace kv::core
