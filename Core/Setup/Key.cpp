#include "Core/Setup/Key.h"

#include "Core/Setup/SettingsStore.h"
#include "Core/tools/ListText.h"

#include <boost/algorithm/string/join.hpp>

#include <stdexcept>

namespace Orvel {

std::string pathText(const std::vector<std::string>& names) { return boost::algorithm::join(names, " / "); }

std::vector<std::string> splitPath(const std::string& text) {
    std::vector<std::string> names = Core::splitList(text, "/", Core::EmptyItems::keep);
    if (names.size() == 1 && names.front().empty()) names.clear();
    return names;
}

std::string valueTypeName(const TValue& value) {
    return std::visit(
        [](const auto& stored) -> std::string {
            using Stored = std::decay_t<decltype(stored)>;
            if constexpr (std::is_same_v<Stored, std::monostate>)
                return "";
            else
                return Core::typeName<Stored>();
        },
        value);
}

void raise_logic_error(const std::string& text) { throw std::logic_error(text); }

TKey::TKey(std::shared_ptr<Core::Setup::SettingsStore> store, std::vector<std::string> path)
    : store_(std::move(store)), path_(std::move(path)) {}

TKey TKey::GetKey(const std::string& name) const { return GetSubKey({name}); }

TKey TKey::GetSubKey(const std::vector<std::string>& names) const {
    std::vector<std::string> path = path_;
    path.insert(path.end(), names.begin(), names.end());
    return TKey(store_, std::move(path));
}

std::mutex& TKey::mutex() const { return store_->mutex(); }

TRep TKey::repLocked() const { return store_->rep(path_); }
const TValue& TKey::valueLocked() const { return store_->value(path_, cache_); }

TRep TKey::GetRep() const {
    std::lock_guard lock(mutex());
    return repLocked();
}

std::string TKey::GetName() const { return path_.empty() ? std::string() : path_.back(); }

const std::filesystem::path& TKey::file() const { return store_->file(); }

TKey::iterator TKey::begin() const {
    auto children = std::make_shared<std::vector<TKey>>();
    std::lock_guard lock(mutex());
    for (const auto& name : store_->childNames(path_)) children->push_back(GetKey(name));
    return iterator(std::move(children));
}

TKey::iterator TKey::end() const { return iterator(); }

}  // namespace Orvel
