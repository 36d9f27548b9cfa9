#include "apps/towary/scales/ScaleNumbers.h"

#include "Core/Database/Sql.h"
#include "Core/VisualComponents/ValidateException.h"
#include "Modules/Towary/Tools/devices/ScaleDataValidator.h"
#include "Modules/Towary/Tools/devices/ScaleSections.h"
#include "Modules/Towary/Tools/devices/Waga.h"
#include "apps/towary/products/ProductArgument.h"

#include <boost/format.hpp>

#include <ostream>
#include <stdexcept>

namespace Towary::Host::ScaleNumbers {
namespace {

constexpr const char* kNotAProduct = "numer wagowy dostaje tylko towar, nie grupa.";

std::runtime_error sectionOutOfRange(int section) {
    return std::runtime_error((boost::format("Sekcja wagowa %1% poza zakresem: sekcje mają numery od %2% do %3% "
                                             "(0: bez sekcji).") %
                               section % Towar::kFirstScaleSection % Towar::kLastScaleSection)
                                  .str());
}

// The section list of the product form with the section selected (0: "<brak>").
Orvel::Scale::ScaleDataValidator::SectionCombo sectionCombo(int section) {
    Orvel::Scale::ScaleDataValidator::SectionCombo combo(Towar::getScaleSectionsWithNone());
    if (!combo.selectWhere([section](const Towar::ScaleSectionItem& item) {
            return section == 0 ? item.none : !item.none && item.value == section;
        }))
        throw sectionOutOfRange(section);
    return combo;
}

// The validator's refusal with the field it names, as the terminal shows it.
void validate(int section, const std::string& number, std::optional<int> productRef, TSessionHolder session) {
    TCustomEdit edit("Numer wagowy", number);
    try {
        Orvel::Scale::ScaleDataValidator::validate(&edit, sectionCombo(section), productRef, session);
    } catch (const TValidateException& e) {
        throw std::runtime_error(e.control()->label() + ": " + e.what());
    }
}

}  // namespace

void printSections(std::ostream& out) {
    for (const auto& section : Towar::getScaleSections()) out << section.value << ' ' << section.text << '\n';
}

int propose(int section, TSessionHolder session) {
    int number = 0;
    const auto proposal = Waga::generujNumerNaWadze(section, number, session);
    switch (proposal.status) {
        case Waga::kNumberProposed:
            return number;
        case Waga::kSectionOutOfRange:
            throw sectionOutOfRange(proposal.value);
        case Waga::kNumberOverMaximum:
            throw std::runtime_error((boost::format("Pierwszy wolny numer w sekcji %1% to %2%, więcej niż największy "
                                                    "numer sekcji w ustawieniach sklepu.") %
                                      section % proposal.value)
                                         .str());
        case Waga::kNoFreeNumber:
            throw std::runtime_error((boost::format("W sekcji %1% nie ma wolnego numeru.") % section).str());
    }
    throw std::logic_error((boost::format("Nieznany wynik propozycji numeru wagowego: %1%.") % proposal.status).str());
}

void check(int section, const std::string& number, const std::optional<std::string>& product, TSessionHolder session) {
    std::optional<int> productRef;
    if (product) productRef = static_cast<int>(findProduct(*product, session, kNotAProduct)->GetTowarRef());
    validate(section, number, productRef, session);
}

std::string set(const std::string& product, int section, const std::string& number, TSessionHolder session) {
    DBKernel::TransactionGuard transaction(session);
    const auto towar = findProduct(product, session, kNotAProduct);
    const auto id = static_cast<int>(towar->GetTowarRef());
    validate(section, number, id, session);
    DBKernel::Sql::Command store("update towar set nWagaSekcja = :s, nWagaPLU = :n where lTowarRef = :id", session);
    if (section == 0) {
        store.Params["s"].clear();
        store.Params["n"].clear();
    } else {
        store.Params["s"] = section;
        store.Params["n"] = std::stoi(number);  // the validator accepted it as an int
    }
    store.Params["id"] = id;
    store.execute();
    transaction.commit();
    const std::string name = (boost::format("Towar %1% (%2%)") % id % towar->GetNazwa()).str();
    if (section == 0) return name + ": bez sekcji i numeru wagowego.";
    return (boost::format("%1%: sekcja %2%, numer %3%.") % name % section % std::stoi(number)).str();
}

}  // namespace Towary::Host::ScaleNumbers
