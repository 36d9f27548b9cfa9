#include "Modules/Towary/Tools/plu/IdentifierSql.h"

#include "Core/Database/ConditionCreator.h"
#include "Core/Database/SQLUtils.h"
#include "Core/Plu/Plu.h"
#include "Core/tools/Digits.h"
#include "Core/tools/PolishText.h"
#include "Core/tools/Utf8.h"
#include "Modules/Towary/Tools/index/HierarchyLevels.h"
#include "Modules/Towary/Tools/products/getPluByIdentifier.h"

#include <algorithm>
#include <exception>
#include <initializer_list>
#include <memory>
#include <optional>

namespace Product::Tools {
namespace {

using Plu::PluType;

constexpr std::initializer_list<PluType> kGeneralTypes = {PluType::W, PluType::C, PluType::S, PluType::P};
constexpr std::initializer_list<PluType> kExtendedTypes = {PluType::W, PluType::C, PluType::S, PluType::P,
                                                           PluType::G};

bool isOneOf(PluType type, std::initializer_list<PluType> types) {
    return std::find(types.begin(), types.end(), type) != types.end();
}

// A number: at least one digit and nothing else. Only numbers are completed
// to codes of a mask.
bool isNumber(const std::string& text) { return !text.empty() && Core::allDigits(text); }

std::string pluCondition(const std::string& identifier, const std::string& column, bool extended, bool acceptAnyCode,
                         bool completeWithMasks) {
    const auto candidates = getPluCandidates(identifier, extended, acceptAnyCode, completeWithMasks);
    if (candidates.empty()) return column + " like '%" + SQLUtils::SQLString(identifier) + "%'";
    return SQLUtils::CIncludeConditionCreator::of(column, candidates);
}

std::string codeForm(const std::string& identifier) {
    return "\n (\n \tselect distinct\n \t\tlTowarRef productId\n \tfrom Plu p\n \twhere " +
           pluCondition(identifier, "p.sPlu", true, false, true) + "\n )";
}

// What follows the slash is meant to be digits, but a pasted or saved text may
// hold anything: its apostrophes are doubled so that it stays one literal.
std::string indexForm(const std::string& digits) {
    const auto lengths = Towar::getAllowedIndexLengths();
    const auto longest = static_cast<std::size_t>(*std::max_element(lengths.begin(), lengths.end()));
    const std::string ending = Core::Utf8::rightAligned(digits, longest, '0');
    return "\n (\n \tselect\n \t\tlTowarRef productId\n \tfrom Towar\n \twhere sArtIndex like '%" +
           SQLUtils::SQLString(ending) + "'\n )";
}

std::string nameForm(const std::string& identifier) {
    std::string pattern = SQLUtils::SQLString(identifier);
    std::replace(pattern.begin(), pattern.end(), '*', '%');
    return "\n (\n \tselect\n \t\tlTowarRef productId\n \tfrom Towar\n \twhere upper(sNazwa) like '" +
           Core::PolishText::toUpper(pattern) + "%'\n )";
}

}  // namespace

std::vector<std::string> getPluCandidates(const std::string& identifier, bool extended, bool acceptAnyCode,
                                          bool completeWithMasks) {
    std::vector<std::string> candidates;
    // The PLU settings are read once per search, by whichever step needs them first.
    std::shared_ptr<const Plu::TPluConfig> config;
    const auto configuration = [&config] {
        if (!config) config = Plu::pluConfig();
        return config;
    };
    std::optional<Plu::TPlu> code;
    if (isNumber(identifier)) {
        try {
            code = ProductTools::getPluByIdentifier(identifier, ProductTools::ErrorHandling::ReturnEmptyOnError,
                                                    configuration());
        } catch (const std::exception&) {
            // Settings that cannot be read make no code here; the masks below then report them.
        }
    }
    if (code) {
        if (acceptAnyCode || isOneOf(code->type(), kGeneralTypes) || (extended && isOneOf(code->type(), kExtendedTypes)))
            candidates.push_back(code->raw());
    } else if (acceptAnyCode) {
        candidates.push_back(identifier);
    }
    if ((extended || (!acceptAnyCode && completeWithMasks)) && isNumber(identifier)) {
        const auto masks = configuration();
        for (const auto& mask : masks->getMasks())
            if (mask.flag && mask.type == PluType::W && static_cast<std::size_t>(mask.length) >= identifier.size())
                candidates.push_back(masks->complete(identifier, mask));
    }
    return candidates;
}

std::string getPluSqlCondition(const std::string& identifier, const std::string&, bool acceptAnyCode,
                               bool completeWithMasks) {
    return pluCondition(identifier, "p.sPlu", false, acceptAnyCode, completeWithMasks);
}

std::string getIdentifierSqlPart(const std::string& identifier) {
    // The empty text is all digits too: it takes the code form.
    if (Core::allDigits(identifier)) return codeForm(identifier);
    if (!identifier.empty() && identifier.front() == '/') return indexForm(identifier.substr(1));
    return nameForm(identifier);
}

}  // namespace Product::Tools
