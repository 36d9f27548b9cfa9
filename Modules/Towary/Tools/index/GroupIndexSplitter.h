#pragma once
// Towar::GroupIndexSplitter: cuts a group index into its level segments or
// into the indexes of its ancestors, checking that it fits the level lengths,
// and tells how long an index of the next level is. The five level lengths are
// read once, when the splitter is made, in the hierarchy's order (Departament,
// Sektor, Sekcja, Rodzina, Podrodzina, as getIndexLength gives them); later
// changes of the settings do not reach an existing splitter.
//
// The throwing forms throw std::runtime_error "Indeks INDEX jest błędny."
// followed by the reason. The bool forms return false instead and leave in
// `out` what was cut up to the failing level, the failing part included.
// Characters past the five levels are ignored. Lengths count characters of
// the UTF-8 text, as the store's code page did, so a letter is never cut.

#include "Core/Export.h"

#include <string>
#include <vector>

namespace Towar {

class TOWARY_EXPORT GroupIndexSplitter {
public:
    using Parts = std::vector<std::string>;

    GroupIndexSplitter();

    // The level segments, first level first: "0102" gives "01", "02" (lengths 2).
    Parts split(const std::string& index) const;
    bool split(const std::string& index, Parts& out) const;
    // The ancestor indexes, shortest first, ending with the index itself:
    // "0102" gives "01", "0102".
    Parts incSplit(const std::string& index) const;
    bool incSplit(const std::string& index, Parts& out) const;
    // The length of an index one level below this one: L(1) for "", F(k+1)
    // for an index of level k. Fails for the last level and for a length that
    // is no level's.
    unsigned int nextLevelLength(const std::string& index) const;
    bool nextLevelLength(const std::string& index, unsigned int& out) const;

private:
    enum class Cut { segments, prefixes };

    bool _split(const std::string& index, Parts& out, std::string& error) const;
    bool _incSplit(const std::string& index, Parts& out, std::string& error) const;
    bool _nextLevelLength(const std::string& index, unsigned int& out, std::string& error) const;
    bool cut(const std::string& index, Cut kind, Parts& out, std::string& error) const;

    std::vector<unsigned int> lengths_;
};

}  // namespace Towar
