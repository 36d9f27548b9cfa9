#include "Core/Dao/DaoFactory.h"

namespace Orvel::Dao {

IDao::~IDao() = default;

DaoFactory& DaoFactory::instance() {
    static DaoFactory factory;
    return factory;
}

Core::Token DaoFactory::registerDao(const std::string& name, Creator creator) {
    if (!creators_.emplace(name, std::move(creator)).second)
        throw std::logic_error("Obiekt dostępu do danych \"" + name + "\" jest już zarejestrowany.");
    return Core::Token([this, name] { creators_.erase(name); });
}

std::shared_ptr<IDao> DaoFactory::create(const std::string& name) const {
    const auto creator = creators_.find(name);
    if (creator == creators_.end())
        throw std::runtime_error("Nie zarejestrowano obiektu dostępu do danych \"" + name + "\".");
    return creator->second();
}

std::string DaoFactory::wrongInterface(const std::string& name) {
    return "Obiekt dostępu do danych \"" + name + "\" nie obsługuje żądanego rodzaju obiektów.";
}

}  // namespace Orvel::Dao
