#pragma once
// Towar::MultiPriceWareSellConditionLogic: which element of a multi-price
// ware carries a sale price. A sale condition of a multi-price ware belongs
// to one of its elements; the element with a condition at that price is
// found, or a new element is made for it. WareGuard removes an element made
// for a condition that was never stored.

#include "Core/BaseDBObjects/TTowar.h"
#include "Core/Database/TSessionHolder.h"
#include "Core/Export.h"
#include "Modules/Towary/Tools/classification/FixWareClass.h"

#include <memory>
#include <string>

namespace Towar {

class TOWARY_EXPORT MultiPriceWareSellConditionLogic {
public:
    // Without multiPriceEnabled every product is ordinary to it. The log is not used.
    MultiPriceWareSellConditionLogic(TSessionHolder session, ImportLog log, bool multiPriceEnabled);
    ~MultiPriceWareSellConditionLogic();
    MultiPriceWareSellConditionLogic(const MultiPriceWareSellConditionLogic&) = delete;
    MultiPriceWareSellConditionLogic& operator=(const MultiPriceWareSellConditionLogic&) = delete;

    // For a grouping row (byTyp 9): the ware, now holding the id of the
    // element that sells at the price (created true when it was made now).
    // For any other product, or with multi-price handling off: null.
    TTowar* getMultiPriceElement(TTowar& ware, double price, bool& created);

    TTowar* getElementProper(TTowar& ware, double price, bool& created);
    TTowar* getElementNull(TTowar& ware, double price, bool& created);
    // The element of the ware's group with the lowest id that has a sale
    // condition at the price (both to two places); when no element of the
    // group has any condition, the element with the lowest id. Its id goes
    // into the ware.
    bool isElementWithPrice(TTowar& ware, double price);
    // Makes the ware a new element of its group and inserts it.
    void createElement(TTowar& ware);
    // The type of the group's elements, 4 when it has none.
    int getElementType(const std::string& groupIndex);

    // Removes an element made for a condition unless told it was stored.
    class TOWARY_EXPORT WareGuard {
    public:
        WareGuard(MultiPriceWareSellConditionLogic& logic, TTowar* element);
        ~WareGuard();
        WareGuard(const WareGuard&) = delete;
        WareGuard& operator=(const WareGuard&) = delete;

        void commit() { committed_ = true; }
        void disable() { disabled_ = true; }

    private:
        MultiPriceWareSellConditionLogic& logic_;
        TTowar* element_;
        bool disabled_ = false;
        bool committed_ = false;
    };

    struct Commands;
    struct Lookups;

private:
    using Handler = TTowar* (MultiPriceWareSellConditionLogic::*)(TTowar&, double, bool&);

    Handler handler_;
    TSessionHolder session_;
    std::unique_ptr<Commands> commands_;
    std::unique_ptr<Lookups> lookups_;
};

}  // namespace Towar
