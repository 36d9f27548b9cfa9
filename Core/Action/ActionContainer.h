#pragma once
// The host's process-wide action registry: actions and action creators
// registered under GUIDs, looked up and invoked by GUID.

#include "Core/Debug/Debug.h"
#include "Core/IUnknown.h"
#include "Core/SrcInfo.h"
#include "Core/Token.h"

#include <boost/function.hpp>

#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace Core::Action {

// Makes a new action object; called anew for every request.
using Creator = std::function<std::shared_ptr<IExecutor>()>;

// One registration as the registry holds it, for listing.
struct RegistrationInfo {
    std::string guid;
    SrcInfo source;  // the registering function
};

class CContainer {
public:
    static CContainer& instance();

    // Registers a creator; the token withdraws it. A GUID registers once.
    Token registerCreator(const std::string& guid, Creator creator, const SrcInfo& source);
    // Registers a ready-made action under its own GUID; it lives as long as the token.
    Token registerAction(std::shared_ptr<IExecutor> action, const SrcInfo& source);

    // The action for a GUID: a new one from a creator, or the registered object.
    // Throws std::runtime_error when nothing is registered under the GUID.
    IUnknownPtr get(const std::string& guid) const;
    bool contains(const std::string& guid) const;
    // Every registration, in GUID order.
    std::vector<RegistrationInfo> registrations() const;

    // Looks up the action, executes it with the arguments and returns its
    // result as the interface T (an empty result stays empty).
    template <class T, class Caller>
    static std::shared_ptr<T> invoke(const Caller& caller, const std::string& guid, const IUnknownPtr& args);

private:
    struct Entry {
        Creator creator;
        SrcInfo source;
    };
    Token add(const std::string& guid, Entry entry);

    mutable std::mutex mutex_;
    std::map<std::string, Entry> entries_;
};

// The source file the registry's log lines name.
extern const char* const kSourceFile;

// Logs "Invoking action: " + GUID when logging is on.
void logInvoke(const std::string& guid);

template <class T, class Caller>
std::shared_ptr<T> CContainer::invoke(const Caller&, const std::string& guid, const IUnknownPtr& args) {
    logInvoke(guid);
    auto executor = interface_cast<IExecutor>(instance().get(guid));
    if (!executor) throw castError();
    return interface_cast<T>(executor->execute(args));
}

}  // namespace Core::Action

namespace Core {

// Registers a creator with the process-wide registry, logging the registration.
Token regActionCreator(const std::string& guid, Action::Creator creator, const SrcInfo& source);
// Registers a ready-made action object, logging the registration.
Token regAction(std::shared_ptr<IExecutor> action, const SrcInfo& source);

// Registers a plain factory function of an action class as its creator.
template <class ActionT>
Token regActionCreator(const std::string& guid, boost::function<boost::shared_ptr<ActionT>()> factory,
                       const SrcInfo& source) {
    return regActionCreator(
        guid, Action::Creator([factory]() -> std::shared_ptr<IExecutor> { return toStd(factory()); }), source);
}

// The creator of an action class built by its default constructor.
template <class ActionT>
Action::Creator creatorOf() {
    return [] { return std::make_shared<ActionT>(); };
}

}  // namespace Core
