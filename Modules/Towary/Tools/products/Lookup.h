#pragma once
// Towar::Lookup: a select prepared once and read many times, each time through
// a Reply that opens it and closes it again. The multi-price logic finds the
// stored state of its products with the three lookups below.
//
//     Towar::LookupWareByRef byRef(session);
//     byRef.setTowarRef(id);
//     Towar::Lookup::Reply reply(byRef);
//     if (!reply.empty()) use(reply["sNazwa"].asString());

#include "Core/Database/Query.h"
#include "Core/Export.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace Towar {

class TOWARY_EXPORT Lookup : public DBKernel::Sql::Query {
public:
    // Prepares the statement.
    Lookup(std::string sql, TSessionHolder session);

    // The lookup opened: its rows while the reply lives.
    class TOWARY_EXPORT Reply {
    public:
        explicit Reply(Lookup& lookup);
        ~Reply();
        Reply(const Reply&) = delete;
        Reply& operator=(const Reply&) = delete;

        bool empty() const { return lookup_.empty(); }
        DBKernel::Sql::Field operator[](std::string_view field) const { return lookup_[field]; }
        Lookup& operator*() const { return lookup_; }

    private:
        Lookup& lookup_;
    };
};

// Whether the product of an article index is a multi-price ware: its id, group
// index, type, class attributes, class and the class's name.
class TOWARY_EXPORT LookupIsMultiPriceWare : public Lookup {
public:
    explicit LookupIsMultiPriceWare(TSessionHolder session);
    void setArtIndex(const std::string& sArtIndex) { Params["sArtIndex"] = sArtIndex; }
};

// Every column of the product of an id.
class TOWARY_EXPORT LookupWareByRef : public Lookup {
public:
    explicit LookupWareByRef(TSessionHolder session);
    void setTowarRef(std::int64_t lTowarRef) { Params["lTowarRef"] = lTowarRef; }
};

// The codes and their units of the one row of a group index and multi-price flag.
class TOWARY_EXPORT LookupMultiPriceWareBarCodes : public Lookup {
public:
    explicit LookupMultiPriceWareBarCodes(TSessionHolder session);
    void setGroup(const std::string& sGrIndex, int bWieleCen) {
        Params["sGrIndex"] = sGrIndex;
        Params["bWieleCen"] = bWieleCen;
    }
};

}  // namespace Towar
