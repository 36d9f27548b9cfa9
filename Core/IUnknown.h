#pragma once
// The host's object interfaces: Core::IUnknown, the root every registered
// object derives from, and Core::IExecutor, the interface of actions.

#include <boost/shared_ptr.hpp>
#include <memory>
#include <stdexcept>
#include <string>
#include <utility>

namespace Core {

class IUnknown {
public:
    virtual ~IUnknown();
};

// The host's reference-counted pointer to an interface.
using IUnknownPtr = std::shared_ptr<IUnknown>;

// Thrown when a registry object does not implement the interface asked for.
std::logic_error castError();

// Casts an object to the interface T; an empty pointer stays empty.
template <class T>
std::shared_ptr<T> interface_cast(const IUnknownPtr& object) {
    if (!object) return nullptr;
    auto cast = std::dynamic_pointer_cast<T>(object);
    if (!cast) throw castError();
    return cast;
}

// Conversions between the host's pointer and boost::shared_ptr, sharing ownership.
boost::shared_ptr<IUnknown> toBoost(const IUnknownPtr& object);
IUnknownPtr fromBoost(const boost::shared_ptr<IUnknown>& object);

// A boost pointer of any class as a std pointer sharing its ownership.
template <class T>
std::shared_ptr<T> toStd(const boost::shared_ptr<T>& object) {
    if (!object) return {};
    return std::shared_ptr<T>(object.get(), [keep = object](T*) mutable { keep.reset(); });
}

// An action. Subclasses override exactly one of execute and execute2.
class IExecutor : public virtual IUnknown {
public:
    // Passes the arguments on to execute2.
    virtual IUnknownPtr execute(const IUnknownPtr& args);
    // Throws "IExecutor::execute illegal function call." unless overridden.
    virtual IUnknownPtr execute2(const boost::shared_ptr<IUnknown>& args);
    // The GUID of a ready-made action; "Operation not supported." unless overridden.
    virtual std::string guid() const;
};

// A value of any copyable type carried as an action argument or result.
template <class T>
class Value : public virtual IUnknown {
public:
    explicit Value(T value) : value_(std::move(value)) {}
    const T& get() const { return value_; }
    T& get() { return value_; }

private:
    T value_;
};

template <class T>
IUnknownPtr wrap(T value) {
    return std::make_shared<Value<T>>(std::move(value));
}

// The value carried by an argument wrapped with wrap<T>; the cast error otherwise.
template <class T>
const T& unwrap(const IUnknownPtr& object) {
    auto value = interface_cast<Value<T>>(object);
    if (!value) throw castError();
    return value->get();
}

// Throws "Operation not supported." for an interface operation a class lacks.
[[noreturn]] void operationNotSupported();

}  // namespace Core
