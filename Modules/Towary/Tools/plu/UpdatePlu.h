#pragma once
// The writes of the PLU repair. An UpdatePlu is one prepared statement on a
// session; apply() runs it for each code of a list by itself, and a code the
// database refuses to change (bound to documents or special prices, or live
// on another row once changed) goes to the failure list while the next one
// follows. Each code's change is atomic:
// a savepoint inside the caller's transaction, a transaction of its own
// otherwise, so a refused code keeps no half of its change.

#include "Core/Database/Query.h"
#include "Core/Export.h"
#include "Modules/Towary/Tools/plu/PluInfo.h"

#include <string>

namespace PLU {

class TOWARY_EXPORT UpdatePlu {
public:
    UpdatePlu(const std::string& statement, TSessionHolder session);
    virtual ~UpdatePlu();
    UpdatePlu(const UpdatePlu&) = delete;
    UpdatePlu& operator=(const UpdatePlu&) = delete;

    // The change of one code; throws when the database refuses it.
    virtual void execute(PluInfoPtr info) = 0;

    void apply(const PluInfoList& codes);
    const PluInfoList& failed() const { return failed_; }

protected:
    TSessionHolder session_;
    DBKernel::Sql::Command command_;

private:
    PluInfoList failed_;
};

// Marks every row of the stored text deleted (status 3); the rows stay.
class TOWARY_EXPORT DeletePlu : public UpdatePlu {
public:
    explicit DeletePlu(TSessionHolder session);
    void execute(PluInfoPtr info) override;
};

// Gives the code its canonical text, status 1 and its product; when a row
// that is not live already carries the canonical text, that row is revived
// instead and the wrong one is marked deleted.
class TOWARY_EXPORT RepairPlu : public UpdatePlu {
public:
    explicit RepairPlu(TSessionHolder session);
    void execute(PluInfoPtr info) override;

private:
    void run(const std::string& plu, int status, unsigned int productId, const std::string& where);
};

}  // namespace PLU
