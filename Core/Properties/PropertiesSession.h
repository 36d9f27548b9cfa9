#pragma once
// Core::PropertiesSession: the store's persistent properties (table
// Properties), named texts that a module keeps once per database, such as a
// one-time job done. Every call works in the caller's session and, for lock
// and set, inside its transaction, so a property set with work that is
// rolled back is rolled back with it.

#include "Core/Database/TSessionHolder.h"

#include <string>

namespace Core {

class PropertiesSession {
public:
    explicit PropertiesSession(TSessionHolder session);

    // Locks the property for the rest of the session's transaction: another
    // session locking or setting it waits until then. Throws std::logic_error
    // outside a transaction, where the lock would end at once.
    void lock(const std::string& key);
    // The property's value; "" when it was never set.
    std::string get(const std::string& key) const;
    // Sets the property; throws std::logic_error outside a transaction.
    void set(const std::string& key, const std::string& value);

private:
    void requireTransaction(const char* operation) const;

    TSessionHolder session_;
};

}  // namespace Core
