#pragma once
// A store database with its hierarchy settings, as the rights need them, and
// the helpers the rights tests share: rights made from the text form, rows
// of towar and uzytkgrouprights written with plain statements.

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

    // A towar row: a group of the given level (byCode 1 to 5) or a product (6).
    void addRow(std::int64_t id, const std::string& groupIndex, int code, int type = 0) const {
        DBKernel::Sql::Command insert(
            "insert into towar (lTowarRef, sNazwa, sGrIndex, byCode, byTyp, bWieleCen) values (:id, :name, :g, :code, "
            ":typ, 0)",
            session_);
        insert.Params["id"] = id;
        insert.Params["name"] = "T" + std::to_string(id);
        insert.Params["g"] = groupIndex;
        insert.Params["code"] = code;
        insert.Params["typ"] = type;
        insert.execute();
    }

    void addUser(std::int64_t id) const {
        DBKernel::Sql::Command insert("insert into uzytkownik (luzytkref, snazwa) values (:id, 'U')", session_);
        insert.Params["id"] = id;
        insert.execute();
    }

    TSessionHolder session_;
};
