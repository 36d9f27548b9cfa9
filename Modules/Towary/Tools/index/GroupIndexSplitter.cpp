#include "Modules/Towary/Tools/index/GroupIndexSplitter.h"

#include "Core/tools/Utf8.h"
#include "Modules/Towary/Tools/index/HierarchyLevels.h"

#include <stdexcept>

namespace Towar {
namespace {

void throwIfFailed(bool ok, const std::string& index, const std::string& error) {
    if (ok) return;
    std::string text = "Indeks " + index + " jest błędny.";
    if (!error.empty()) text += " " + error;
    throw std::runtime_error(text);
}

}  // namespace

GroupIndexSplitter::GroupIndexSplitter() {
    for (TowarCode code = tcDepartament; code != tcBrak; code = getNextTowarCode(code))
        lengths_.push_back(static_cast<unsigned int>(getIndexLength(code)));
}

GroupIndexSplitter::Parts GroupIndexSplitter::split(const std::string& index) const {
    Parts out;
    std::string error;
    throwIfFailed(_split(index, out, error), index, error);
    return out;
}

bool GroupIndexSplitter::split(const std::string& index, Parts& out) const {
    std::string error;
    return _split(index, out, error);
}

GroupIndexSplitter::Parts GroupIndexSplitter::incSplit(const std::string& index) const {
    Parts out;
    std::string error;
    throwIfFailed(_incSplit(index, out, error), index, error);
    return out;
}

bool GroupIndexSplitter::incSplit(const std::string& index, Parts& out) const {
    std::string error;
    return _incSplit(index, out, error);
}

unsigned int GroupIndexSplitter::nextLevelLength(const std::string& index) const {
    unsigned int out = 0;
    std::string error;
    throwIfFailed(_nextLevelLength(index, out, error), index, error);
    return out;
}

bool GroupIndexSplitter::nextLevelLength(const std::string& index, unsigned int& out) const {
    std::string error;
    return _nextLevelLength(index, out, error);
}

bool GroupIndexSplitter::_split(const std::string& index, Parts& out, std::string& error) const {
    return cut(index, Cut::segments, out, error);
}

bool GroupIndexSplitter::_incSplit(const std::string& index, Parts& out, std::string& error) const {
    return cut(index, Cut::prefixes, out, error);
}

bool GroupIndexSplitter::cut(const std::string& index, Cut kind, Parts& out, std::string& error) const {
    out.clear();
    std::size_t start = 0;
    std::size_t end = 0;
    unsigned int level = 1;
    const std::size_t characters = Core::Utf8::length(index);
    for (const unsigned int length : lengths_) {
        if (end >= characters) break;
        end += length;
        const std::size_t expected = kind == Cut::segments ? end - start : end;
        const std::size_t from = kind == Cut::segments ? start : 0;
        out.emplace_back(Core::Utf8::substr(index, from, end - from));
        const std::size_t actual = Core::Utf8::length(out.back());
        if (actual != expected) {
            error = "Długość indeksu na poziomie " + std::to_string(level) + " powinna wynosić " + std::to_string(end) +
                    " a wynosi " + std::to_string(actual);
            return false;
        }
        start = end;
        ++level;
    }
    return true;
}

bool GroupIndexSplitter::_nextLevelLength(const std::string& index, unsigned int& out, std::string& error) const {
    const std::size_t n = Core::Utf8::length(index);
    unsigned int sum = 0;
    for (const unsigned int length : lengths_) {
        if (n == sum) {
            out = sum + length;
            return true;
        }
        sum += length;
    }
    if (n == sum)
        error = "Nie można pobrać długości indeksu następnego poziomu hierarchii grup. Indeks jest indeksem ostatniego "
                "poziomu tej hierarchii.";
    else if (sum != 0)
        error = "Struktura jest niezgodna z definicją znajdującą się w konfiguracji.";
    return false;
}

}  // namespace Towar
