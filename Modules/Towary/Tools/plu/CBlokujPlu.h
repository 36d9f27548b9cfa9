#pragma once
// Plu::CBlokujPlu: locks the row of a code for the session's transaction, so
// that work on one code is done by one session at a time. The lock does not
// wait: while another session (of this process or another) holds it, the
// call fails at once. It lasts until the session commits or rolls back. On a
// session without a transaction the call opens one to hold the lock in, and
// rolls it back again when it takes no lock (results 1 and 2); a transaction
// the session had before the call stays open whatever the result.

#include "Core/Database/TSessionHolder.h"
#include "Core/Export.h"

#include <string>

namespace Plu {

class TOWARY_EXPORT CBlokujPlu {
public:
    static constexpr unsigned char kLocked = 0;
    static constexpr unsigned char kFailed = 1;  // held by another session, or any other error
    static constexpr unsigned char kNoCode = 2;  // no row carries the code; pluRef unchanged

    // Never throws: errors are kFailed.
    unsigned char operator()(const std::string& plu, TSessionHolder& session, int& pluRef) const;
};

}  // namespace Plu
