#include "Modules/Towary/Tools/rights/Rights.h"

#include <stdexcept>

namespace GroupRights {

Right::Right(int code) : granted_(code == 2 || code == 4), inherited_(code != 1 && code != 2) {}

const std::array<const char*, Rights::kCount>& Rights::columns() {
    static const std::array<const char*, kCount> names{"przegladaniegrupy", "dodawanietowaru",  "dodawaniegrupy",
                                                       "modyfikacjatowaru", "modyfikacjagrupy", "usuwanietowaru",
                                                       "usuwaniegrupy"};
    return names;
}

Rights Rights::allGranted() {
    Rights rights;
    for (auto& right : rights.rights_) right.granted(true);
    return rights;
}

Rights Rights::fromText(const std::string& text) {
    Rights rights;
    bool valid = text.size() == 2 * kCount;
    for (std::size_t i = 0; valid && i < kCount; ++i) {
        const char granted = text[2 * i];
        const char inherited = text[2 * i + 1];
        valid = (granted == 'Y' || granted == 'N') && (inherited == 'I' || inherited == 'O');
        rights.rights_[i].granted(granted == 'Y');
        rights.rights_[i].inherited(inherited == 'I');
    }
    if (!valid)
        throw std::invalid_argument("Niepoprawny zapis uprawnień \"" + text +
                                    "\": oczekiwano 14 znaków, dwóch na każde z siedmiu uprawnień (Y lub N, potem I "
                                    "lub O).");
    return rights;
}

std::string Rights::text() const {
    std::string text;
    for (const auto& right : rights_) {
        text += right.granted() ? 'Y' : 'N';
        text += right.inherited() ? 'I' : 'O';
    }
    return text;
}

}  // namespace GroupRights
