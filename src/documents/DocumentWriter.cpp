#include "documents/DocumentWriter.h"
#include <stdexcept>

namespace kv::documents {

void DocumentWriter::voidDocument(db::Transaction&, int) {
    throw std::logic_error("this kind of document cannot be deleted");
}

} // namespace kv::documents
