#pragma once
// Plu::TPluConfig: the store's PLU rules, an ordered list of code masks read
// from the store's settings (docs/plu-codes.md). It turns the text of a code
// into its canonical form and the type of the first mask the code fits, and
// completes a number typed by a user to a full code of a mask.
// Plu::pluConfig() is the configuration of the current store, read afresh
// from its settings at every call: take it once for a run over many codes.

#include "Core/Export.h"

#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace Orvel {
class TKey;
}

namespace Plu {

// The kind of codes a mask describes (the letters of the settings):
//   W weighed goods: 13-digit restricted-circulation code, the weight in it;
//   C article code: a GS1 EAN-13 (UPC-A with a leading 0) or EAN-8;
//   S special price: 13-digit restricted-circulation code, the price in it;
//   P price-embedded goods: 13-digit restricted-circulation code, the price
//     printed by the store's label printer;
//   G the store's short internal codes, typed at the till.
enum class PluType : char { W = 'W', C = 'C', S = 'S', P = 'P', G = 'G' };

// A text that cannot be a code of the store, with a message a user can act on.
class TOWARY_EXPORT EInvalidPlu : public std::runtime_error {
public:
    explicit EInvalidPlu(const std::string& message);
    ~EInvalidPlu() override;
};

class TOWARY_EXPORT TPluConfig {
public:
    struct TMask {
        std::string text;  // the digits every code of the mask starts with ("" for any)
        bool flag = false;  // the mask completes numbers typed in the identifier search
        PluType type = PluType::C;
        // C and G: the most digits of a whole code; W, S and P: the digits of
        // the item number that follows the prefix.
        int length = 0;
    };

    // A canonical code and the type of its mask.
    struct TCode {
        std::string raw;
        PluType type;
    };

    // Throws std::invalid_argument, naming the mask, for a mask that cannot
    // describe codes (an unknown letter, a prefix of other than digits, a
    // length that leaves no room).
    explicit TPluConfig(std::vector<TMask> masks);
    // The masks under "Parametry programu / Towary / Kody PLU / Maski", in the
    // order of the settings file.
    static TPluConfig fromSettings(const Orvel::TKey& root);

    const std::vector<TMask>& getMasks() const { return masks_; }

    // The canonical form of a code text and its type; throws EInvalidPlu.
    TCode canonical(std::string_view text) const;
    // The full canonical code of a mask with an item number (W, S and P masks)
    // for a typed number of at most the mask's length. Throws
    // std::invalid_argument when the mask has no item number or the number
    // does not fit it.
    std::string complete(const std::string& number, const TMask& mask) const;

private:
    std::vector<TMask> masks_;
};

// The configuration of the current store, read from its settings now.
TOWARY_EXPORT std::shared_ptr<const TPluConfig> pluConfig();

}  // namespace Plu
