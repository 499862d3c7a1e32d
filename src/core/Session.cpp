#include "core/Session.h"

#include "core/Dates.h"

namespace kv::core {

bool Session::isHijriYear() const
{
    return core::isHijriYear(CurrYr);
}

} // namespace kv::core
