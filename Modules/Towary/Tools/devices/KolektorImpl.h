#pragma once
// Etykiety::CKolektorImpl: the labels of chosen products sent to the
// hand-held data collector. It selects the live, unblocked codes of priced
// products (narrowed by stock, recent stock days, the user's group rights and
// a selection) and writes them with their prices as the file "etykiety" of a
// new collector file set. A code that breaks the store's PLU rules is left
// out and reported, never stops the rest. The module registers it as the
// default implementation of its singleton.

#include "Core/Export.h"
#include "Core/Kolektor/TowarConditionOptions.h"
#include "Core/VisualComponents/VisualContext.h"
#include "Core/registration/Registrations.h"
#include "Modules/Towary/Tools/products/SelectTowarRefGrupaIndex.h"

#include <boost/shared_ptr.hpp>

#include <cstdint>
#include <string>

namespace Etykiety {

class TOWARY_EXPORT CKolektorImpl {
public:
    virtual ~CKolektorImpl();

    // Selects and sends the labels.
    virtual void write(boost::shared_ptr<Core::IVisualContext> context,
                       const Core::Kolektor::TowarConditionOptions& options,
                       const Towar::CSelectTowarRefGrupaIndex::result_type& selection);

    // The statement write() runs, for the user of that id.
    static std::string statement(const Core::Kolektor::TowarConditionOptions& options,
                                 const Towar::CSelectTowarRefGrupaIndex::result_type& selection,
                                 std::int64_t userRef);

    // The highest price a collector record holds; higher prices are sent as it.
    static constexpr double kHighestPrice = 167771.16;
};

}  // namespace Etykiety

TOWARY_EXPORT void registerEtykietyKolImplObjects(Core::Registrations& registrations);
