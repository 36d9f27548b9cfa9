#include "Modules/Towary/Tools/prices/PkwiuVatPlan.h"

#include "Core/Database/Query.h"
#include "Core/Database/SQLUtils.h"
#include "Core/Singleton/SingletonImplHolder.h"
#include "Core/Vat/AvailVatRates.h"
#include "Core/tools/ListText.h"
#include "Core/tools/Utf8.h"
#include "Modules/Towary/Tools/prices/CVATModifier.h"
#include "Modules/Towary/Tools/prices/VatPlanSql.h"

#include <algorithm>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace Towar {
namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

struct PkwiuLine {
    std::vector<std::string> fields;  // as read, for the summary
    std::string include;
    int vatCode = 0;
    std::vector<std::string> exclude;
};

std::string summaryOf(const PkwiuLine& line, int number, std::int64_t changes) {
    std::string text = "Linia " + std::to_string(number) + ": PKWiU " + line.fields[0] + "*";
    for (std::size_t i = 2; i < line.fields.size(); ++i) text += (i == 2 ? " bez " : ", ") + line.fields[i] + "*";
    return text + ", stawka " + line.fields[1] + ": " + std::to_string(changes) + " towarów\n";
}

// A prefix goes into a like pattern between quotes: a quote is doubled, and
// a wildcard, which would widen the match past the prefix, is refused.
std::string prefixPattern(const std::string& prefix) {
    if (prefix.find_first_of("%_") != std::string::npos)
        throw std::runtime_error("Prefiks kodu PKWiU \"" + prefix + "\" zawiera znak % lub _, który nie może być "
                                 "częścią kodu.");
    return SQLUtils::SQLString(prefix);
}

PkwiuLine readLine(const std::string& text) {
    // Notepad's "Unicode" is UTF-16, which starts with its byte order mark: no code page to blame.
    if (text.starts_with("\xFF\xFE") || text.starts_with("\xFE\xFF"))
        throw std::runtime_error("Plik zapisano w UTF-16 (\"Unicode\"); zapisz plik w UTF-8.");
    if (!Core::Utf8::isValid(text))
        throw std::runtime_error("Wiersz nie jest zapisany w UTF-8 (plik zapisano zapewne w stronie kodowej Windows); "
                                 "zapisz plik w UTF-8.");
    if (!text.empty() && text.back() == '\r')
        throw std::runtime_error("Wiersz kończy się znakiem CR (końce wierszy Windows); zapisz plik z końcami "
                                 "wierszy LF.");
    // A control character has no place in a list of codes and names; a NUL, which a file in UTF-16 is full
    // of, would even cut the statement the prefix goes into.
    const auto control = std::find_if(text.begin(), text.end(), [](char c) {
        return (c >= 0 && c < ' ' && c != '\t') || c == '\x7f';
    });
    if (control != text.end())
        throw std::runtime_error("Wiersz zawiera znak sterujący o kodzie " + std::to_string(int(*control)) +
                                 " (plik zapisano zapewne w UTF-16); zapisz plik jako tekst w UTF-8.");
    const auto fields = Core::splitList(text, "\t", Core::EmptyItems::drop);
    if (fields.size() < 2)
        throw std::runtime_error("Wiersz musi zawierać prefiks kodu PKWiU i nazwę stawki VAT oddzielone tabulatorem.");
    PkwiuLine line;
    line.fields = fields;
    line.include = prefixPattern(fields[0]);
    line.vatCode = Core::SingletonImplHolder::get<Vat::AvailVatRates>().getVatCodeByName(fields[1]);
    for (std::size_t i = 2; i < fields.size(); ++i) line.exclude.push_back(prefixPattern(fields[i]));
    return line;
}

}  // namespace

int planVatChangesFromPkwiuList(std::istream& in, TSessionHolder session, std::ostream* summary) {
    const std::string day = std::to_string(kVatChangeDay);
    int total = 0;
    std::string lines;  // the summary, written once every line is read: a refused list prints nothing
    std::string text;
    for (int number = 1; std::getline(in, text); ++number) {
        // Editors on Windows start a UTF-8 file with a byte order mark; it is no part of the first prefix.
        if (number == 1 && text.starts_with(kByteOrderMark)) text.erase(0, kByteOrderMark.size());
        if (text.empty()) break;
        PkwiuLine line;
        try {
            line = readLine(text);
        } catch (const std::exception& e) {
            throw std::runtime_error("Błąd podczas odczytu linii: " + std::to_string(number) + "\n" + e.what());
        }
        std::string condition = "where instr(spkwiu, '-') = 0 and t.spkwiu like '" + line.include + "%'";
        for (const auto& prefix : line.exclude) condition += "\nand t.spkwiu not like '" + prefix + "%'";
        DBKernel::Sql::Command("delete from zmianavat where ltowarref in(select ltowarref from towar t " + condition +
                                   ")\nand ddata >= " + day,
                               session)
            .execute();
        const auto changes =
            DBKernel::Sql::Command(std::string(kPlanInsertHead) + day + "\n, " + std::to_string(line.vatCode) +
                                       ", 0 , borlandsysdate from towar t " + condition,
                                   session)
                .execute();
        total += static_cast<int>(changes);
        lines += summaryOf(line, number, changes);
    }
    if (summary) *summary << lines << std::flush;
    return total;
}

}  // namespace Towar
