#pragma once
// The host's process-wide singleton holder: for each class, the module that
// implements it registers a creator; the instance is made on first use.
// A default implementation (regDefImpl) gives way to a proper one (regImpl).

#include "Core/Token.h"

#include <functional>
#include <memory>
#include <mutex>
#include <typeindex>

namespace Core {

class SingletonCreator {
public:
    SingletonCreator(std::function<void*()> create, std::function<void(void*)> destroy, std::type_index type)
        : create_(std::move(create)), destroy_(std::move(destroy)), type_(type) {}

    // The creator of class Impl, registered as the implementation of Interface.
    template <class Interface, class Impl = Interface>
    static SingletonCreator of() {
        return SingletonCreator([]() -> void* { return static_cast<Interface*>(new Impl()); },
                                [](void* p) { delete static_cast<Interface*>(p); }, typeid(Interface));
    }

    void* create() const { return create_(); }
    void destroy(void* instance) const { destroy_(instance); }
    std::type_index type() const { return type_; }

private:
    std::function<void*()> create_;
    std::function<void(void*)> destroy_;
    std::type_index type_;
};

class SingletonImplHolder {
public:
    // The holder of one class; holders live for the whole process.
    static SingletonImplHolder& holder(std::type_index type);

    // Registers the implementation; a second one while the first is held is an error.
    Token regImpl(SingletonCreator creator);
    // Registers a default, used while no implementation is registered.
    Token regDefImpl(SingletonCreator creator);

    bool hasImpl() const;
    // The instance, made on first use by the implementation or else the default.
    // Throws std::logic_error when neither is registered.
    void* instance();

    // The instance of class T.
    template <class T>
    static T& get() {
        // Holders live for the whole process, so each class's is looked up once.
        static SingletonImplHolder& of = holder(typeid(T));
        return *static_cast<T*>(of.instance());
    }

    SingletonImplHolder(const SingletonImplHolder&) = delete;
    SingletonImplHolder& operator=(const SingletonImplHolder&) = delete;

private:
    explicit SingletonImplHolder(std::type_index type) : type_(type) {}
    friend struct HolderRegistry;

    struct Slot {
        std::unique_ptr<SingletonCreator> creator;
        void* instance = nullptr;
    };
    Token reg(Slot& slot, SingletonCreator creator, const char* kind);
    void withdraw(Slot& slot);

    std::type_index type_;
    mutable std::recursive_mutex mutex_;
    Slot impl_;
    Slot defImpl_;
};

// Registers Impl as the implementation of Interface while it lives, the way
// a host provides its services: SingletonImplHolder::get<Interface>() makes
// the instance on first use, and it is destroyed with the registration.
template <class Interface, class Impl = Interface>
class ImplRegistration {
public:
    ImplRegistration()
        : token_(SingletonImplHolder::holder(typeid(Interface)).regImpl(SingletonCreator::of<Interface, Impl>())) {}

private:
    Token token_;
};

}  // namespace Core
