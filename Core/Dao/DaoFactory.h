#pragma once
// Orvel::Dao::DaoFactory: the host's process-wide registry of data-access
// objects by name. Whoever knows how an object is stored registers a creator
// under its name and keeps the token; a caller asks for a new data-access
// object by name and the interface it expects:
//
//     auto dao = DaoFactory::instance().create<Orvel::Products::PluDiscountDao>("PluDiscount");

#include "Core/Export.h"
#include "Core/Token.h"

#include <functional>
#include <map>
#include <memory>
#include <stdexcept>
#include <string>

namespace Orvel::Dao {

// The base of every data-access object.
class TOWARY_EXPORT IDao {
public:
    virtual ~IDao();
};

class TOWARY_EXPORT DaoFactory {
public:
    using Creator = std::function<std::shared_ptr<IDao>()>;

    static DaoFactory& instance();

    // Registers the creator under the name while the token lives; a second
    // creator under a registered name is a std::logic_error.
    Core::Token registerDao(const std::string& name, Creator creator);

    // A new object of the name; std::runtime_error when none is registered.
    std::shared_ptr<IDao> create(const std::string& name) const;

    // A new object of the name with the interface T; std::runtime_error when
    // the registered object does not offer it.
    template <class T>
    std::shared_ptr<T> create(const std::string& name) const {
        auto dao = std::dynamic_pointer_cast<T>(create(name));
        if (!dao) throw std::runtime_error(wrongInterface(name));
        return dao;
    }

    DaoFactory(const DaoFactory&) = delete;
    DaoFactory& operator=(const DaoFactory&) = delete;

private:
    DaoFactory() = default;
    static std::string wrongInterface(const std::string& name);

    std::map<std::string, Creator> creators_;
};

}  // namespace Orvel::Dao
