#pragma once
// Orvel::TKey: a handle on one node of the host's setup-key store. A key is
// reached from the root by names (GetKey); a node that does not exist still
// yields a key, an empty one, which holds no value. Typed lookups (GetVal)
// never fall back to a default: a missing or mistyped value throws.
//
// A key remembers its path, not the node: every lookup reads the store as it
// is now, so an edit of the settings file is seen by the next lookup.

#include "Core/System/AnsiString.h"
#include "Core/tools/TypeName.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <iterator>
#include <memory>
#include <mutex>
#include <string>
#include <type_traits>
#include <variant>
#include <vector>

namespace Core::Setup {
class SettingsStore;
}

namespace Orvel {

// A stored value; std::monostate when the node holds none. Text is kept as
// std::string and answers reads as std::string and as System::AnsiString.
using TValue = std::variant<std::monostate, int, bool, double, std::string>;

template <class T>
inline constexpr bool isKeyValueType = std::is_same_v<T, int> || std::is_same_v<T, bool> ||
                                       std::is_same_v<T, double> || std::is_same_v<T, std::string> ||
                                       std::is_same_v<T, System::AnsiString>;

// A path written as its names joined by " / ", names unquoted:
// "Parametry programu / Towary / Indeksy / Departament". The root's path is "".
std::string pathText(const std::vector<std::string>& names);
// The names of a path written as above; blanks around each name are dropped.
std::vector<std::string> splitPath(const std::string& text);

// The readable name of a value's type ("int", "std::string", ...); "" for none.
std::string valueTypeName(const TValue& value);

// The representation of a node at the moment it was read.
struct TRep {
    std::string Name;     // "" for the root
    std::string strPath;  // see pathText
    TValue Value;

    bool empty() const { return std::holds_alternative<std::monostate>(Value); }

    // True when the node holds a value of exactly type T (text for both string types).
    template <class T>
    bool has_val() const {
        static_assert(isKeyValueType<T>, "settings hold int, bool, double and text only");
        if constexpr (std::is_same_v<T, System::AnsiString>)
            return std::holds_alternative<std::string>(Value);
        else
            return std::holds_alternative<T>(Value);
    }

    // The value as T; only when has_val<T>() is true.
    template <class T>
    T get_val() const {
        if constexpr (std::is_same_v<T, System::AnsiString>)
            return System::AnsiString(std::get<std::string>(Value));
        else
            return std::get<T>(Value);
    }

    std::string valueTypeName() const { return Orvel::valueTypeName(Value); }
};

// Throws std::logic_error carrying the text.
[[noreturn]] void raise_logic_error(const std::string& text);

// The text of a read of type `typeName` from a key with no value at `path`.
inline std::string emptyKeyText(const std::string& typeName, const std::string& path) {
    return "próba pobrania wartości typu (" + typeName + ") z pustego klucza\n" + path;
}

class TKey {
public:
    class iterator;
    // A key's last value and the version of the store's tree it was read from; 0: none yet.
    struct Cache {
        std::uint64_t version = 0;
        TValue value;
    };

    TKey(std::shared_ptr<Core::Setup::SettingsStore> store, std::vector<std::string> path);

    // The child of that name; an empty key when there is none.
    TKey GetKey(const std::string& name) const;
    // The key reached by GetKey once per name.
    TKey GetSubKey(const std::vector<std::string>& names) const;

    // The value as T. Throws std::logic_error when the key holds a value of
    // another type or none; the store's mutex is held for the whole lookup.
    template <class T>
    T GetVal() const {
        std::lock_guard lock(mutex());
        // The name and path text are composed only for a refusal: a lookup is often a hot loop's.
        TRep rep{{}, {}, valueLocked()};
        if (rep.has_val<T>()) return rep.get_val<T>();
        rep.strPath = pathText(path_);
        if (!rep.empty())
            raise_logic_error("nie można rzutować wartości klucza\n" + rep.strPath + "\ntypu (" + rep.valueTypeName() +
                              ") na (" + Core::typeName<T>() + ")");
        raise_logic_error(emptyKeyText(Core::typeName<T>(), rep.strPath));
    }

    template <class T>
    bool has_val() const {
        return GetRep().has_val<T>();
    }
    // The value as T; throws std::bad_variant_access unless has_val<T>().
    template <class T>
    T get_val() const {
        return GetRep().get_val<T>();
    }

    // The node as the store holds it now.
    TRep GetRep() const;

    std::string GetName() const;
    std::string Name() const { return GetName(); }
    // The settings file the key is read from, for messages that send the user to it.
    const std::filesystem::path& file() const;

    // The child nodes in the order of the settings file, as they are when begin() is called.
    iterator begin() const;
    iterator end() const;

    // The store's mutex, the one lock taken by setting lookups.
    std::mutex& mutex() const;

    // Whether both keys read the same store.
    bool sameStore(const TKey& other) const { return store_ == other.store_; }

private:
    // The caller holds mutex().
    TRep repLocked() const;
    const TValue& valueLocked() const;

    std::shared_ptr<Core::Setup::SettingsStore> store_;
    std::vector<std::string> path_;
    // Spares a key that is kept and read again and again the walk of the tree while the file is unchanged.
    mutable Cache cache_;
};

// Walks the children listed when the iteration began.
class TKey::iterator {
public:
    using iterator_category = std::input_iterator_tag;
    using value_type = TKey;
    using difference_type = std::ptrdiff_t;
    using pointer = const TKey*;
    using reference = const TKey&;

    iterator() = default;
    explicit iterator(std::shared_ptr<const std::vector<TKey>> children) : children_(std::move(children)) {}

    const TKey& operator*() const { return (*children_)[index_]; }
    const TKey* operator->() const { return &(*children_)[index_]; }
    iterator& operator++() {
        ++index_;
        return *this;
    }
    iterator operator++(int) {
        iterator before = *this;
        ++index_;
        return before;
    }
    friend bool operator==(const iterator& a, const iterator& b) {
        if (a.atEnd() || b.atEnd()) return a.atEnd() == b.atEnd();
        return a.children_ == b.children_ && a.index_ == b.index_;
    }

private:
    bool atEnd() const { return !children_ || index_ >= children_->size(); }

    std::shared_ptr<const std::vector<TKey>> children_;
    std::size_t index_ = 0;
};

}  // namespace Orvel
