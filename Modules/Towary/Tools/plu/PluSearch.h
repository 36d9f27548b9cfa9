#pragma once
// The search of the PLU check: every live code of a product row (level 6) or
// of a row of product type 9, canonicalised by the store's PLU rules and
// grouped by canonical text, then sorted. A group of one row in canonical
// form is in order; a single row in another form is corrected; rows sharing a
// canonical text are merged when their products have one article index (the
// row already canonical survives, else the first found is corrected, the
// rest are deleted) and are a conflict when they have not. A text the rules
// refuse is reported as no code and left alone.

#include "Core/Database/TSessionHolder.h"
#include "Core/Export.h"
#include "Core/Plu/PluConfig.h"
#include "Modules/Towary/Tools/plu/PluInfo.h"

namespace PLU {

// The groups worth sorting: every canonical text held by a row in another
// form or by more than one row. A lone row in canonical form is in order
// and is not kept.
struct PluFindings {
    PluInfoMap groups{11};
    std::vector<NotAPlu> notCodes;
};

TOWARY_EXPORT PluFindings findPluCodes(TSessionHolder session, const Plu::TPluConfig& config);
TOWARY_EXPORT PluCheckResult sortPluCodes(PluFindings findings);
// Both, with the current store's PLU rules.
TOWARY_EXPORT PluCheckResult checkPlu(TSessionHolder session);

}  // namespace PLU
