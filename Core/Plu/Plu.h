#pragma once
// Plu::TPlu: a code of the store (a barcode or a short code) in its canonical
// form. It is built from a code text and a PLU configuration, by default the
// current store's (Plu::pluConfig()); a text that cannot be a code of the
// store throws Plu::EInvalidPlu. The rules are in docs/plu-codes.md.

#include "Core/Export.h"
#include "Core/Plu/PluConfig.h"

#include <memory>
#include <string>
#include <string_view>

namespace Plu {

class TOWARY_EXPORT TPlu {
public:
    using TType = PluType;

    explicit TPlu(std::string_view text);
    TPlu(std::string_view text, std::shared_ptr<const TPluConfig> config);

    // The canonical text.
    const std::string& raw() const { return code_.raw; }
    // The type letter of the mask the code fits.
    TType type() const { return code_.type; }
    const TPluConfig& config() const { return *config_; }

    friend bool operator==(const TPlu& a, const TPlu& b) { return a.raw() == b.raw(); }

private:
    std::shared_ptr<const TPluConfig> config_;
    TPluConfig::TCode code_;
};

}  // namespace Plu
