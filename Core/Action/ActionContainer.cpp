#include "Core/Action/ActionContainer.h"

#include <stdexcept>

namespace Core::Action {
const char* const kSourceFile = "Core/Action/ActionContainer";

CContainer& CContainer::instance() {
    // Never destroyed: tokens held by modules may be withdrawn after static destruction began.
    static auto* container = new CContainer;
    return *container;
}

Token CContainer::add(const std::string& guid, Entry entry) {
    std::lock_guard lock(mutex_);
    if (entries_.contains(guid))
        throw std::logic_error("Akcja " + guid + " jest już zarejestrowana.");
    entries_.emplace(guid, std::move(entry));
    return Token([this, guid] {
        std::lock_guard relock(mutex_);
        entries_.erase(guid);
    });
}

Token CContainer::registerCreator(const std::string& guid, Creator creator, const SrcInfo& source) {
    return add(guid, Entry{std::move(creator), source});
}

Token CContainer::registerAction(std::shared_ptr<IExecutor> action, const SrcInfo& source) {
    const std::string guid = action->guid();
    return add(guid, Entry{[action] { return action; }, source});
}

IUnknownPtr CContainer::get(const std::string& guid) const {
    Creator creator;
    {
        std::lock_guard lock(mutex_);
        auto found = entries_.find(guid);
        if (found == entries_.end())
            throw std::runtime_error("Brak akcji zarejestrowanej pod identyfikatorem " + guid + ".");
        creator = found->second.creator;
    }
    // Called outside the lock: a creator may itself use the registry.
    return creator();
}

bool CContainer::contains(const std::string& guid) const {
    std::lock_guard lock(mutex_);
    return entries_.contains(guid);
}

std::vector<RegistrationInfo> CContainer::registrations() const {
    std::lock_guard lock(mutex_);
    std::vector<RegistrationInfo> result;
    for (const auto& [guid, entry] : entries_) result.push_back({guid, entry.source});
    return result;
}

void logInvoke(const std::string& guid) {
    if (Debug::loggingEnabled())
        Debug::logLine("Invoking action: " + guid, {kSourceFile, __LINE__, "CContainer::invoke<T,Caller>"});
}

}  // namespace Core::Action

namespace Core {

Token regActionCreator(const std::string& guid, Action::Creator creator, const SrcInfo& source) {
    if (Debug::loggingEnabled())
        Debug::logLine("Registering action creator: " + guid,
                       {Action::kSourceFile, 148, "regActionCreator"});
    return Action::CContainer::instance().registerCreator(guid, std::move(creator), source);
}

Token regAction(std::shared_ptr<IExecutor> action, const SrcInfo& source) {
    if (Debug::loggingEnabled())
        Debug::logLine("Registering action: " + action->guid(), {Action::kSourceFile, __LINE__, "regAction"});
    return Action::CContainer::instance().registerAction(std::move(action), source);
}

}  // namespace Core
