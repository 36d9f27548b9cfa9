#include "Modules/Towary/Tools/rights/Streams.h"

#include <algorithm>

namespace GroupRights {

using DBKernel::Sql::FieldType;
using DBKernel::Sql::ParamDirection;

InputStream::InputStream(int userId, TSessionHolder session)
    : InputStream("select sgrindex, przegladaniegrupy, dodawanietowaru, dodawaniegrupy, modyfikacjatowaru, "
                  "modyfikacjagrupy, usuwanietowaru, usuwaniegrupy from uzytkgrouprights where luzytkref = :luzytkref "
                  "and rekordemzarzadza = 2 /* ZarzadzaUzytkownik */",
                  "luzytkref", userId, std::move(session)) {}

InputStream InputStream::forUserGroup(int groupId, TSessionHolder session) {
    return InputStream("select sgrindex, przegladaniegrupy, dodawanietowaru, dodawaniegrupy, modyfikacjatowaru, "
                       "modyfikacjagrupy, usuwanietowaru, usuwaniegrupy from uzytkgrouprights where lgrupyuzytkref = "
                       ":lgrupyuzytkref and rekordemzarzadza = 1",
                       "lgrupyuzytkref", groupId, std::move(session));
}

InputStream::InputStream(const std::string& statement, const std::string& parameter, int ownerId,
                         TSessionHolder session)
    : query_(statement, std::move(session)) {
    query_.Params[parameter] = ownerId;
}

void InputStream::containerFromStream(Container& container) {
    container.entries_.clear();
    container.sorted_.clear();
    query_.execute();
    while (query_.next()) {
        const std::string key = query_["sgrindex"].asString();
        Rights rights;
        for (std::size_t i = 0; i < Rights::kCount; ++i) {
            // A code past an int is "any other value" too, not a failure.
            const auto code = query_[Rights::columns()[i]].asInt64();
            rights[static_cast<Rights::Kind>(i)] = Right(code >= 1 && code <= 4 ? static_cast<int>(code) : 0);
        }
        container.entries_[key] = Container::InternalRights{rights, rights, false};
        container.sorted_.push_back(key);
    }
    std::sort(container.sorted_.begin(), container.sorted_.end());
}

InputStream& operator>>(InputStream& stream, Container& container) {
    stream.containerFromStream(container);
    return stream;
}

const OutputStream::Names OutputStream::Uzytk{"UPRAWNIENIADOGRUPTOWAROW.MODYFIKUJUPRAWNIENIAUZYTK",
                                              "UPRAWNIENIADOGRUPTOWAROW.ZNISZCZUPRAWNIENIAUZYTK", "refUzytkownika"};
const OutputStream::Names OutputStream::Group{"UPRAWNIENIADOGRUPTOWAROW.MODYFIKUJUPRAWNIENIAGRUPY",
                                              "UPRAWNIENIADOGRUPTOWAROW.ZNISZCZUPRAWNIENIAGRUPY", "refGrupyUzytk"};

OutputStream::OutputStream(const Names& names, int ownerId, TSessionHolder session)
    : save_(names.saveProcedure, session), delete_(names.deleteProcedure, session) {
    save_.param("result", ParamDirection::Result, FieldType::Float);
    save_.param(names.ownerParameter, ParamDirection::Input, FieldType::Float);
    save_.param("indeksGrupy", ParamDirection::Input, FieldType::String);
    save_.param("upr", ParamDirection::Input, FieldType::String);
    delete_.param("result", ParamDirection::Result, FieldType::Float);
    delete_.param(names.ownerParameter, ParamDirection::Input, FieldType::Float);
    delete_.param("indeksGrupy", ParamDirection::Input, FieldType::String);
    save_.param(names.ownerParameter) = static_cast<double>(ownerId);
    delete_.param(names.ownerParameter) = static_cast<double>(ownerId);
}

void OutputStream::containerToStream(const Container& container) {
    if (!container.allRightsGranted()) {
        save_.prepared(true);
        for (const auto& [index, entry] : container) {
            if (!entry.created && entry.current == entry.loaded) continue;
            save_.param("indeksGrupy") = index;
            save_.param("upr") = entry.current.text();
            save_.execute();
        }
        save_.prepared(false);
    }
    if (!container.erased().empty()) {
        delete_.prepared(true);
        for (const auto& index : container.erased()) {
            delete_.param("indeksGrupy") = index;
            delete_.execute();
        }
        delete_.prepared(false);
    }
}

}  // namespace GroupRights
