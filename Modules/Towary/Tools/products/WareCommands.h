#pragma once
// The prepared write commands of products and their codes, as the
// multi-price logic runs them inside its caller's transaction. A command is
// prepared when made and may run many times; it never commits.
//
// The product commands bind the whole product parameter set whatever their
// statement uses: every parameter a statement does not otherwise use stands in
// a predicate (:x is null or :x = :x), which holds for every x and so filters
// nothing. The code updater does the same over the code parameter set.

#include "Core/BaseDBObjects/TPLU.h"
#include "Core/BaseDBObjects/TTowar.h"
#include "Core/Database/Sql.h"
#include "Core/Export.h"

#include <string>

namespace Towar {

// One prepared statement on a session.
class TOWARY_EXPORT Command {
public:
    Command(std::string sql, TSessionHolder session);
    virtual ~Command();
    Command(const Command&) = delete;
    Command& operator=(const Command&) = delete;

    // Runs the statement once with the parameters as set; returns the rows changed.
    std::int64_t execute();
    const std::string& sql() const { return command_.text(); }
    DBKernel::Sql::Param& param(std::string_view name) { return command_.Params[name]; }

private:
    DBKernel::Sql::Command command_;
};

// A command over the 48 product parameters, each taken from the same-named
// field of a product, NULL where the product marks the field null.
class TOWARY_EXPORT WareCommand : public Command {
public:
    // The product parameters in binding order.
    class TOWARY_EXPORT Params {
    public:
        static void bind(Command& command, const TTowar& product);
    };

    using Command::Command;
    using Command::execute;
    void setParams(const TTowar& product);
    std::int64_t execute(const TTowar& product);
};

// Updates one product by id with what an element of a multi-price group keeps of its own.
class TOWARY_EXPORT MainWareUpdater : public WareCommand {
public:
    explicit MainWareUpdater(TSessionHolder session);
    static std::string createSql();
};

// Updates every element of one multi-price group (group index and
// multi-price flag) with the attributes the elements share.
class TOWARY_EXPORT GroupWareUpdater : public WareCommand {
public:
    explicit GroupWareUpdater(TSessionHolder session);
    static std::string createSql();
};

class TOWARY_EXPORT WareInserter : public WareCommand {
public:
    explicit WareInserter(TSessionHolder session);
    static std::string createSql();
};

// Deletes a product by its id alone.
class TOWARY_EXPORT WareDeleter : public WareCommand {
public:
    explicit WareDeleter(TSessionHolder session);
    static std::string createSql();
};

// Moves an ordinary product into a multi-price group: its group index and flag.
class TOWARY_EXPORT RegularWareToMultiPriceTurner : public Command {
public:
    explicit RegularWareToMultiPriceTurner(TSessionHolder session);
    DBKernel::Sql::Param& lTowarRef() { return param("lTowarRef"); }
    DBKernel::Sql::Param& sGrIndex() { return param("sGrIndex"); }
    DBKernel::Sql::Param& bWieleCen() { return param("bWieleCen"); }
};

// Moves every row of a multi-price group to another group index.
class TOWARY_EXPORT MultiPriceWareMover : public Command {
public:
    explicit MultiPriceWareMover(TSessionHolder session);
    DBKernel::Sql::Param& multiPriceWareGrIndex() { return param("multiPriceWareGrIndex"); }
    DBKernel::Sql::Param& newGrIndex() { return param("newGrIndex"); }
};

// Turns the rows of a multi-price group back into ordinary rows of another group.
class TOWARY_EXPORT MultiPriceWareGroupDeleter : public Command {
public:
    explicit MultiPriceWareGroupDeleter(TSessionHolder session);
    DBKernel::Sql::Param& multiPriceWareGrIndex() { return param("multiPriceWareGrIndex"); }
    DBKernel::Sql::Param& toGrIndex() { return param("toGrIndex"); }
    DBKernel::Sql::Param& bWieleCen() { return param("bWieleCen"); }
    DBKernel::Sql::Param& byCode() { return param("byCode"); }
};

// Gives one product another article index.
class TOWARY_EXPORT WareIndexChanger : public Command {
public:
    explicit WareIndexChanger(TSessionHolder session);
    DBKernel::Sql::Param& lTowarRef() { return param("lTowarRef"); }
    DBKernel::Sql::Param& sArtIndex() { return param("sArtIndex"); }
};

// A command over the 5 code parameters lPluRef, sPlu, lTowarRef, nJm,
// byStatus, NULL where the code marks the field null.
class TOWARY_EXPORT PluCommand : public Command {
public:
    class TOWARY_EXPORT Params {
    public:
        static void bind(Command& command, const TPLU& code);
    };

    using Command::Command;
    using Command::execute;
    void setParams(TPLU& code);
    std::int64_t execute(TPLU& code);
};

class TOWARY_EXPORT PluInserter : public PluCommand {
public:
    explicit PluInserter(TSessionHolder session);
    static std::string createSql();
};

// Changes only the measure unit of a code.
class TOWARY_EXPORT PluUpdater : public PluCommand {
public:
    explicit PluUpdater(TSessionHolder session);
    static std::string createSql();
};

}  // namespace Towar
