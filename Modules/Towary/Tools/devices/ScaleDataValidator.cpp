#include "Modules/Towary/Tools/devices/ScaleDataValidator.h"

#include "Core/Database/Query.h"
#include "Core/System/Sysutils.h"
#include "Core/tools/Numbers.h"
#include "Modules/Towary/Tools/devices/ScaleSettings.h"

#include <string>

namespace Orvel::Scale {
namespace {

// The strict decimal conversion of a form's field: the whole text, an int.
int toInt(const std::string& text) {
    if (const auto number = Core::parseNumber<int>(text)) return *number;
    throw Sysutils::Exception("\"" + text + "\" nie jest poprawną liczbą całkowitą.");
}

}  // namespace

void ScaleDataValidator::validate(TCustomEdit* numberEdit, const SectionCombo& sectionCombo,
                                  std::optional<int> productRef, TSessionHolder session) {
    const auto& section = sectionCombo.selectedItem();
    if (section.none) return;
    const std::string& text = numberEdit->Text();
    if (text.empty()) throw TValidateException("Brak numeru wagowego.", numberEdit);
    const int maximum = Towar::maxScaleNumber();
    const int number = toInt(text);
    if (number < 1 || number > maximum)
        throw TValidateException(
            "Błędna wartość numeru wagowego.\nMożliwy zakres wartości to 1 - " + std::to_string(maximum), numberEdit);
    std::string sql = "select 1 from towar where rownum = 1 and nwagasekcja = " + std::to_string(section.value) +
                      " and nwagaplu = " + std::to_string(number);
    if (productRef) sql += " and lTowarRef <> " + std::to_string(*productRef);
    if (!DBKernel::Sql::OpenedQuery(sql, session).empty())
        throw TValidateException("Numer wagowy w podanej sekcji jest powtórzony. Podaj inny numer.", numberEdit);
}

}  // namespace Orvel::Scale
