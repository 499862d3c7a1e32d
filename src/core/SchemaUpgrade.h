#pragma once
// Brings an older year database up to the current columns (AddFields).
namespace kv::db { class Connection; }

namespace kv::core {

// Adds what an older year database lacks: CCENT.CENTGNO; ACCT.TEL2 and ISSMS (placed at
// positions 6 and 21); TRANS.CENTGNO (position 13), ZGT_TRANS.CENTGNO and the CCENTG table;
// the item search's table ITEMSRCH with its index and the trigger on STOCK, filled from STOCK.
// Each piece is checked on its own, so a run that stopped half way is completed by the next
// one, and a second run changes nothing. Errors of the server (e.g. no right to alter) are thrown.
void upgradeYearDatabase(db::Connection& year);

} // namespace kv::core
