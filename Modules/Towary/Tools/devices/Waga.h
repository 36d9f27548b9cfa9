#pragma once
// The proposal of a free scale number for a section: the lowest number the
// store's function Generators.getWolnyNumerWKanale finds free, checked
// against the store's largest number of a section.

#include "Core/Database/TSessionHolder.h"
#include "Core/Export.h"

namespace Waga {

enum NumberProposalStatus {
    kNumberProposed = 1,     // `number` holds the number (0 when no section was given)
    kSectionOutOfRange = 2,  // value: the section given
    kNumberOverMaximum = 3,  // value: the free number found
    kNoFreeNumber = 4,
};

struct NumberProposal {
    int status;
    int value;  // -1 unless the status gives it a meaning
};

// Section 0 proposes 0; a section outside 1..9 is refused without touching the database.
TOWARY_EXPORT NumberProposal generujNumerNaWadze(int section, int& number, TSessionHolder session);

}  // namespace Waga
