#pragma once
// The statements the host's product editor saves a product with: update by
// the id before the edit, insert, and delete.

#include "Core/BaseDBObjects/TOraUpdateSQL.h"
#include "Core/Export.h"

#include <boost/shared_ptr.hpp>

namespace Towar {

// A new statement set; the caller owns it.
TOWARY_EXPORT boost::shared_ptr<TOraUpdateSQL> getProductUpdateSql();

}  // namespace Towar
