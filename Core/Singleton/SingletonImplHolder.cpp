#include "Core/Singleton/SingletonImplHolder.h"

#include "Core/tools/TypeName.h"

#include <map>
#include <stdexcept>

namespace Core {

struct HolderRegistry {
    std::mutex mutex;
    std::map<std::type_index, std::unique_ptr<SingletonImplHolder>> holders;

    SingletonImplHolder& get(std::type_index type) {
        std::lock_guard lock(mutex);
        auto& slot = holders[type];
        if (!slot) slot.reset(new SingletonImplHolder(type));
        return *slot;
    }
};

SingletonImplHolder& SingletonImplHolder::holder(std::type_index type) {
    // Never destroyed: tokens held by modules may outlive static destruction order.
    static auto* registry = new HolderRegistry;
    return registry->get(type);
}

Token SingletonImplHolder::reg(Slot& slot, SingletonCreator creator, const char* kind) {
    std::lock_guard lock(mutex_);
    if (creator.type() != type_)
        throw std::logic_error("Kreator klasy " + typeName(creator.type()) + " zgłoszony dla klasy " + typeName(type_) + ".");
    if (slot.creator)
        throw std::logic_error(std::string(kind) + " klasy " + typeName(type_) + " jest już zarejestrowana.");
    slot.creator = std::make_unique<SingletonCreator>(std::move(creator));
    return Token([this, &slot] { withdraw(slot); });
}

Token SingletonImplHolder::regImpl(SingletonCreator creator) {
    // An instance made by the default gives way to the implementation.
    std::lock_guard lock(mutex_);
    Token token = reg(impl_, std::move(creator), "Implementacja");
    if (defImpl_.instance) {
        defImpl_.creator->destroy(defImpl_.instance);
        defImpl_.instance = nullptr;
    }
    return token;
}

Token SingletonImplHolder::regDefImpl(SingletonCreator creator) {
    return reg(defImpl_, std::move(creator), "Domyślna implementacja");
}

void SingletonImplHolder::withdraw(Slot& slot) {
    std::lock_guard lock(mutex_);
    if (slot.instance) slot.creator->destroy(slot.instance);
    slot.instance = nullptr;
    slot.creator.reset();
}

bool SingletonImplHolder::hasImpl() const {
    std::lock_guard lock(mutex_);
    return impl_.creator || defImpl_.creator;
}

void* SingletonImplHolder::instance() {
    std::lock_guard lock(mutex_);
    Slot& slot = impl_.creator ? impl_ : defImpl_;
    if (!slot.creator) throw std::logic_error("Brak implementacji klasy " + typeName(type_) + ".");
    if (!slot.instance) slot.instance = slot.creator->create();
    return slot.instance;
}

}  // namespace Core
