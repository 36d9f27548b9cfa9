#include "Core/Properties/PropertiesSession.h"

#include "Core/Database/Query.h"

#include <stdexcept>
#include <utility>

namespace Core {

PropertiesSession::PropertiesSession(TSessionHolder session) : session_(std::move(session)) {}

void PropertiesSession::requireTransaction(const char* operation) const {
    if (!session_.InTransaction())
        throw std::logic_error(std::string("PropertiesSession::") + operation + " poza transakcją sesji.");
}

void PropertiesSession::lock(const std::string& key) {
    requireTransaction("lock");
    // The store locks as a whole: the row need not exist for the lock to hold.
    DBKernel::Sql::PreparedQuery query("select sValue from Properties where sKey = :key for update", session_);
    query.Params["key"] = key;
    query.execute();
}

std::string PropertiesSession::get(const std::string& key) const {
    DBKernel::Sql::PreparedQuery query("select sValue from Properties where sKey = :key", session_);
    query.Params["key"] = key;
    query.execute();
    return query.next() ? query["sValue"].asString() : std::string();
}

void PropertiesSession::set(const std::string& key, const std::string& value) {
    requireTransaction("set");
    DBKernel::Sql::Command update("update Properties set sValue = :value where sKey = :key", session_);
    update.Params["key"] = key;
    update.Params["value"] = value;
    if (update.execute() > 0) return;
    DBKernel::Sql::Command insert("insert into Properties (sKey, sValue) values (:key, :value)", session_);
    insert.Params["key"] = key;
    insert.Params["value"] = value;
    insert.execute();
}

}  // namespace Core
