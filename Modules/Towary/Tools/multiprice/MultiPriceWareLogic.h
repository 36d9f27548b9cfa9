#pragma once
// Towar::MultiPriceWareLogic: what the product import does with a product
// that headquarters sends as a multi-price ware (bWieleCen 1), before the
// product itself is stored. A multi-price ware is a grouping row (byTyp 9,
// the ware's article index and all its codes) and element rows (bWieleCen 1,
// byCode 6, one per price) sharing a group index G of their own, one level
// below the group W the import gives the product.
//
// By what the store holds under the product's article index (nothing, an
// ordinary product, a multi-price ware) and what the import says, the logic
// creates the ware, converts the ordinary product into its first element,
// refreshes (and moves) the ware, or dissolves it into ordinary products.
// Conflicts over codes are not errors: they go to the caller's log, and the
// import goes on. Every write is on the caller's session and transaction.

#include "Core/BaseDBObjects/TPLU.h"
#include "Core/BaseDBObjects/TTowar.h"
#include "Core/Database/TSessionHolder.h"
#include "Core/Export.h"
#include "Modules/Towary/Tools/classification/FixWareClass.h"

#include <boost/optional.hpp>

#include <memory>
#include <string>
#include <vector>

namespace Towar {

// The product type (byTyp) of a multi-price ware's grouping row.
constexpr int kGroupingType = 9;

class TOWARY_EXPORT MultiPriceWareLogic {
public:
    // The class of the stored product; a product not stored has no class,
    // every attribute allowed and fixed.
    struct WareClassData {
        std::string name;
        int reference = 0;
        unsigned values = ~0u;
        unsigned mask = ~0u;
    };
    // One code of the import that table plu holds already, and its owner.
    struct BarCode {
        int pluRef;
        std::string plu;
        int towarRef;
    };
    using BarCodes = std::vector<BarCode>;
    enum BarCodesFollow { bcfNewWare = 0, bcfExistingWare = 1 };
    enum class StoredType { none, ordinary, multi };
    // What the last processWare did, for the import's summary.
    enum class Outcome { none, created, converted, updated, moved, dissolved, rejected };

    // Without multiPriceEnabled only the message for a multi-price product is
    // given, and every product is left to the caller's ordinary import.
    MultiPriceWareLogic(TSessionHolder session, ImportLog log, bool multiPriceEnabled);
    ~MultiPriceWareLogic();
    MultiPriceWareLogic(const MultiPriceWareLogic&) = delete;
    MultiPriceWareLogic& operator=(const MultiPriceWareLogic&) = delete;

    // true: the product and its codes are stored. false: the caller imports
    // the product as an ordinary one, with `ware` and `plus` as they are now
    // (after a dissolution `ware` carries the id of the former grouping row).
    // className and the two words are the import's class and attribute words
    // (Towar::fixWareClass). Throws std::runtime_error "Błędna długość indeksu
    // grupy (INDEX)." for a group index of no level's length.
    bool processWare(TTowar& ware, TPLUCollection& plus, boost::optional<std::string> className,
                     unsigned attributeValues, unsigned attributeMask);
    Outcome lastOutcome() const { return outcome_; }
    // The import's codes written (inserted or updated) since the last
    // processWare began, for the import's summary: a code left to another
    // product is not.
    int codesWritten() const { return codesWritten_; }

    // The steps processWare is made of.
    StoredType getStoredTypeAndData(const TTowar& ware, int& storedRef, std::string& storedGroupIndex,
                                    WareClassData& classData);
    void bindWareClass(TTowar& ware, const boost::optional<std::string>& className, unsigned attributeValues,
                       unsigned attributeMask, const WareClassData& classData);
    void add(TTowar& ware);
    void addFirstElement(const TTowar& ware);
    void update(TTowar& ware, int ref, const std::string& storedGroupIndex);
    void updateToMultiPriceWare(TTowar& ware, int ref);
    void updateToRegularWare(TTowar& ware, const std::string& storedGroupIndex, TPLUCollection& plus);
    std::string moveMultiPriceWareIfNeeded(const std::string& storedGroupIndex, const std::string& groupIndex);
    void bindBarCodesToWare(const TTowar& ware, TPLUCollection& plus) const;
    void takeOverBarCodes(const TTowar& ware, int ref, BarCodes& barCodes);
    void takeOverAndUpdateBarCodes(TTowar& ware, int ref, TPLUCollection& plus);
    void updateBarCodes(TTowar& ware, TPLUCollection& plus, BarCodesFollow follow);
    void updateBarCodes(const TTowar& ware, TPLUCollection& plus, const BarCodes& barCodes);
    void rollbackWare(const TTowar& ware);
    static bool doesBelongToOneWare(const BarCodes& barCodes);
    void insertBarCodes(TPLUCollection& plus);
    void insertBarCode(TPLU& plu);
    void updateBarCode(TPLU& plu);
    void readBarCodes(const TPLUCollection& plus, BarCodes& barCodes);
    void readBarCodes(const std::string& groupIndex, TPLUCollection& plus);
    bool logMultiPriceWare(TTowar& ware, TPLUCollection& plus, boost::optional<std::string> className,
                           unsigned attributeValues, unsigned attributeMask);
    bool processWareRegulary(TTowar& ware, TPLUCollection& plus, boost::optional<std::string> className,
                             unsigned attributeValues, unsigned attributeMask);

    struct Commands;
    struct Lookups;

private:
    using Handler = bool (MultiPriceWareLogic::*)(TTowar&, TPLUCollection&, boost::optional<std::string>, unsigned,
                                                  unsigned);

    std::unique_ptr<Commands> commands_;
    std::unique_ptr<Lookups> lookups_;
    Handler handler_;
    ImportLog log_;
    TSessionHolder session_;
    std::unique_ptr<TTowar> scratch_;
    Outcome outcome_ = Outcome::none;
    int codesWritten_ = 0;
};

// The hierarchy code of the new group one level below a group index:
// 1 below the empty index, 2 below a department, ... 5 below a family.
// Throws "Błędna długość indeksu grupy (INDEX)." for any other length.
TOWARY_EXPORT int groupCodeBelow(const std::string& groupIndex);
// The parent of a group index of level 1 to 5 (the empty index, the root, for
// a department's). Throws "Błędna długość indeksu grupy (INDEX)." for any
// other length.
TOWARY_EXPORT std::string parentGroupIndex(const std::string& groupIndex);

}  // namespace Towar
