#pragma once
// The demo firm's documents: sales invoices saved through the document workflow, so that the
// items' running quantities and the customers' totals follow from them.
#include <QString>

namespace kv::admin {

// Saves a few dozen sales invoices (cash and credit, cartons and pieces, customers with and without
// a VAT number) into a demo year whose master files and firm row are already filled.
void fillDemoDocuments(const QString& mainDb, const QString& yearDb, const QString& server = {});

} // namespace kv::admin
