#pragma once
// GroupRights::Right and GroupRights::Rights: what a user may do in one
// product group. A Right is granted or not, and inherited (taken over from
// the group's owner, a user group) or not; Rights are the seven rights of a
// group in their fixed order, each named by its column of uzytkgrouprights.

#include "Core/Export.h"

#include <array>
#include <cstddef>
#include <string>

namespace GroupRights {

class TOWARY_EXPORT Right {
public:
    // Not granted, inherited.
    Right() = default;
    // From the stored code: 1 not granted and not inherited, 2 granted and
    // not inherited, 3 not granted and inherited, 4 granted and inherited;
    // any other code (0 and NULL included) reads as not granted, inherited.
    explicit Right(int code);

    bool granted() const { return granted_; }
    void granted(bool value) { granted_ = value; }
    bool inherited() const { return inherited_; }
    void inherited(bool value) { inherited_ = value; }

    bool operator==(const Right&) const = default;

private:
    bool granted_ = false;
    bool inherited_ = true;
};

class TOWARY_EXPORT Rights {
public:
    // The seven rights, in the order of their columns and of the text form.
    enum Kind : std::size_t {
        browseGroup,    // przegladaniegrupy
        addProduct,     // dodawanietowaru
        addGroup,       // dodawaniegrupy
        modifyProduct,  // modyfikacjatowaru
        modifyGroup,    // modyfikacjagrupy
        deleteProduct,  // usuwanietowaru
        deleteGroup,    // usuwaniegrupy
    };
    static constexpr std::size_t kCount = 7;
    // The columns of uzytkgrouprights, by Kind.
    static const std::array<const char*, kCount>& columns();

    // Seven default rights: nothing granted, all inherited.
    Rights() = default;
    // The seven rights granted (and inherited): what a user without entries has.
    static Rights allGranted();
    // Reads the 14-character text form; throws std::invalid_argument with a
    // Polish message for any other text.
    static Rights fromText(const std::string& text);

    Right& operator[](Kind kind) { return rights_[kind]; }
    const Right& operator[](Kind kind) const { return rights_[kind]; }

    // The text form the store's procedures take ("upr"): two characters per
    // right in order, "Y" granted or "N" not, then "I" inherited or "O" not.
    std::string text() const;

    bool operator==(const Rights&) const = default;

private:
    std::array<Right, kCount> rights_{};
};

}  // namespace GroupRights
