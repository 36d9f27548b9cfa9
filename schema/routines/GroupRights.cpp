#include "Core/Database/Query.h"
#include "Core/tools/Digits.h"
#include "schema/routines/StoreRoutines.h"

#include <boost/format.hpp>

#include <array>
#include <cmath>
#include <stdexcept>
#include <string>

namespace DBKernel::Schema {
namespace {

// The rights columns in the order of the text form's pairs.
constexpr std::array<const char*, 7> kColumns{"przegladaniegrupy", "dodawanietowaru",  "dodawaniegrupy",
                                              "modyfikacjatowaru", "modyfikacjagrupy", "usuwanietowaru",
                                              "usuwaniegrupy"};

// Whose rows a procedure writes: a user's own rows or a user group's.
struct Owner {
    const char* parameter;  // the procedure's owner parameter
    const char* column;     // the owner's column in uzytkgrouprights
    const char* table;      // the owners' table and its key
    const char* missing;    // the refusal for an owner the store does not know
    int managedBy;          // rekordemzarzadza of the rows
};

constexpr Owner kUser{"refUzytkownika", "luzytkref", "uzytkownik", "Nie ma użytkownika o identyfikatorze %1%.", 2};
constexpr Owner kUserGroup{"refGrupyUzytk", "lgrupyuzytkref", "grupauzytkownikow",
                           "Nie ma grupy użytkowników o identyfikatorze %1%.", 1};

// The owner's id, checked against the store's owners.
std::int64_t ownerId(ProcedureCall& call, const Owner& owner) {
    const Value& value = call.in(owner.parameter);
    const double number = isNull(value) ? 0 : toDouble(value);
    if (isNull(value) || number != std::floor(number) || number < 1 || number > 2147483647)
        throw std::runtime_error((boost::format(owner.missing) % (isNull(value) ? "(brak)" : toString(value))).str());
    const auto id = static_cast<std::int64_t>(number);
    Sql::PreparedQuery known(std::string("select 1 from ") + owner.table + " where " + owner.column + " = :id",
                             call.session());
    known.Params["id"] = id;
    known.execute();
    if (!known.next()) throw std::runtime_error((boost::format(owner.missing) % id).str());
    return id;
}

std::string groupIndex(ProcedureCall& call) {
    const Value& value = call.in("indeksGrupy");
    if (isNull(value) || toString(value).empty())
        throw std::runtime_error("Nie podano indeksu grupy towarów, której dotyczą uprawnienia.");
    const std::string index = toString(value);
    // The rights conditions write the indexes into their SQL, some unquoted.
    if (!Core::allDigits(index))
        throw std::runtime_error("Indeks grupy towarów \"" + index + "\" może zawierać tylko cyfry.");
    return index;
}

// The stored code of one right from its two letters: Y/N granted, I/O inherited.
int rightCode(char granted, char inherited) { return (granted == 'Y' ? 2 : 1) + (inherited == 'I' ? 2 : 0); }

std::array<int, 7> rightCodes(ProcedureCall& call) {
    const Value& value = call.in("upr");
    const std::string text = isNull(value) ? std::string() : toString(value);
    bool valid = text.size() == 2 * kColumns.size();
    for (std::size_t i = 0; valid && i < kColumns.size(); ++i)
        valid = (text[2 * i] == 'Y' || text[2 * i] == 'N') && (text[2 * i + 1] == 'I' || text[2 * i + 1] == 'O');
    if (!valid)
        throw std::runtime_error("Niepoprawny zapis uprawnień \"" + text +
                                 "\": oczekiwano 14 znaków, dwóch na każde z siedmiu uprawnień (Y lub N, potem I "
                                 "lub O).");
    std::array<int, 7> codes{};
    for (std::size_t i = 0; i < kColumns.size(); ++i) codes[i] = rightCode(text[2 * i], text[2 * i + 1]);
    return codes;
}

// Stores the owner's rights for a group index, replacing what it had there.
void save(ProcedureCall& call, const Owner& owner) {
    const auto id = ownerId(call, owner);
    const auto index = groupIndex(call);
    const auto codes = rightCodes(call);
    std::string set;
    std::string columns;
    std::string values;
    for (const char* column : kColumns) {
        set += std::string(set.empty() ? "" : ", ") + column + " = :" + column;
        columns += std::string(", ") + column;
        values += std::string(", :") + column;
    }
    const std::string where = std::string(" where ") + owner.column + " = :owner and sgrindex = :sgrindex";
    Sql::Command update(std::string("update uzytkgrouprights set ") + set + where, call.session());
    Sql::Command insert(std::string("insert into uzytkgrouprights (") + owner.column + ", sgrindex, rekordemzarzadza" +
                            columns + ") values (:owner, :sgrindex, :rekordemzarzadza" + values + ")",
                        call.session());
    for (auto* command : {&update, &insert}) {
        command->Params["owner"] = id;
        command->Params["sgrindex"] = index;
        command->Params["rekordemzarzadza"] = owner.managedBy;
        for (std::size_t i = 0; i < kColumns.size(); ++i) command->Params[kColumns[i]] = codes[i];
    }
    if (update.execute() == 0) insert.execute();
    call.out("result", std::int64_t{1});
}

// Removes the owner's entry for a group index; an index without one is no error.
void erase(ProcedureCall& call, const Owner& owner) {
    const auto id = ownerId(call, owner);
    Sql::Command remove(std::string("delete from uzytkgrouprights where ") + owner.column +
                            " = :owner and sgrindex = :sgrindex",
                        call.session());
    remove.Params["owner"] = id;
    remove.Params["sgrindex"] = groupIndex(call);
    call.out("result", remove.execute());
}

}  // namespace

void addGroupRights(Routines& routines) {
    routines.addProcedure("UPRAWNIENIADOGRUPTOWAROW.MODYFIKUJUPRAWNIENIAUZYTK",
                          [](ProcedureCall& call) { save(call, kUser); });
    routines.addProcedure("UPRAWNIENIADOGRUPTOWAROW.ZNISZCZUPRAWNIENIAUZYTK",
                          [](ProcedureCall& call) { erase(call, kUser); });
    routines.addProcedure("UPRAWNIENIADOGRUPTOWAROW.MODYFIKUJUPRAWNIENIAGRUPY",
                          [](ProcedureCall& call) { save(call, kUserGroup); });
    routines.addProcedure("UPRAWNIENIADOGRUPTOWAROW.ZNISZCZUPRAWNIENIAGRUPY",
                          [](ProcedureCall& call) { erase(call, kUserGroup); });
}

}  // namespace DBKernel::Schema
