#include "Modules/Towary/Tools/plu/SpecialPluGenerator.h"

#include "Core/Database/Sql.h"
#include "Core/Plu/Plu.h"
#include "Core/tools/Digits.h"

#include <boost/format.hpp>

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace PLU {
namespace {

// The digits of the number, the price's złote and its grosze in a special code.
constexpr std::size_t kNumberDigits = 5;
constexpr std::size_t kUnitDigits = 3;
constexpr std::size_t kHundredthDigits = 2;
// The least digits a code takes after the number to hold its price (getWolnePLUWagowe).
constexpr int kPriceDigits = 4;
// Keeps the fraction of a price written as 3.10 (0.0999... as a double) from
// giving 9 hundredths instead of 10.
constexpr double kEpsilon = 0.000001;

std::string padded(long long number, std::size_t width) { return Core::padLeft(std::to_string(number), width); }

// Whole złote or grosze of a price, written from the double itself: an
// infinite, NaN or huge price has no integer to convert to. Such a text, or
// one with too many digits or a minus sign, is no special code: the mask
// check refuses it.
std::string padded(double whole, std::size_t width) {
    return Core::padLeft((boost::format("%.0f") % whole).str(), width);
}

}  // namespace

CGeneratorPLUSpecjalnych::CGeneratorPLUSpecjalnych(TSessionHolder session) : session_(std::move(session)) {
    const auto config = Plu::pluConfig();
    const auto& masks = config->getMasks();
    const auto special =
        std::find_if(masks.begin(), masks.end(), [](const auto& mask) { return mask.type == Plu::PluType::S; });
    if (special == masks.end()) throw std::runtime_error("Błąd! Brak masek specjalnych kodów PLU w konfig.!");
    prefix_ = special->text;
}

std::string CGeneratorPLUSpecjalnych::operator()(double price) const {
    DBKernel::Sql::PreparedQuery query("select getWolnePLUWagowe(:sPrefixMaski  , 5, " + std::to_string(kPriceDigits) +
                                           ", :iStartPLU) as pluNo from dual",
                                       session_);
    query.Params["sPrefixMaski"] = prefix_;
    query.Params["iStartPLU"] = 1;
    query.execute();
    const long long number = query["pluNo"].asInt64();

    double whole = 0;
    const double fraction = std::modf(price, &whole);
    const double hundredths = std::floor(fraction * 100 + kEpsilon);
    const double units = std::floor(whole + kEpsilon);
    const std::string text = prefix_ + padded(number, kNumberDigits) + padded(units, kUnitDigits) +
                             padded(hundredths, kHundredthDigits) + "0";
    const std::string mismatch = "Błąd! PLU '" + text + "' nie pasuje do maski PLU specjalnego!";
    try {
        const Plu::TPlu code(text);
        if (code.type() != Plu::PluType::S) throw std::runtime_error(mismatch);
        return code.raw();
    } catch (const Plu::EInvalidPlu&) {
        throw std::runtime_error(mismatch);
    }
}

}  // namespace PLU
