#pragma once
// A store database with its hierarchy settings, as the rights need them, and
// the helpers the rights tests share: rights made from the text form, rows
// written with plain statements.

#include "Core/Database/Sql.h"
#include "Modules/Towary/Tools/rights/Container.h"
#include "tests/index/IndexFixture.h"

#include <cstdint>
#include <sstream>
#include <string>

// Right 1 (browse the group) granted or not; the others as the text gives them.
inline GroupRights::Rights browse(bool granted, const std::string& others = "NONONONONONO") {
    return GroupRights::Rights::fromText(std::string(granted ? "YI" : "NI") + others);
}

// The SQL fragment a writer of GroupRights::Sql puts out.
template <class Writer>
std::string sqlText(const Writer& writer) {
    std::ostringstream out;
    writer.toStream(out);
    return out.str();
}

class RightsFixture : public IndexFixture {
protected:
    RightsFixture() : IndexFixture(TestSupport::TempStore::withDatabase) {}

    void exec(const std::string& statement) const { DBKernel::Sql::Command(statement, session_).execute(); }
    // A towar row: a group of the given level (byCode 1 to 5) or a product (6).
    void addRow(std::int64_t id, const std::string& groupIndex, int code, int type = 0) const {
        exec("insert into towar (lTowarRef, sNazwa, sGrIndex, byCode, byTyp, bWieleCen) values (" + std::to_string(id) +
             ", 'T" + std::to_string(id) + "', '" + groupIndex + "', " + std::to_string(code) + ", " +
             std::to_string(type) + ", 0)");
    }

    TSessionHolder session_;
};
