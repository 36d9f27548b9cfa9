#include "Core/Log/TLogHistoriaZmian.h"

#include "Core/Database/Query.h"
#include "Core/User/User.h"
#include "Core/tools/DayNumber.h"

void TLogHistoriaZmian::logItem(const Item& item, TSessionHolder session) {
    DBKernel::Sql::Command insert(
        "insert into HistoriaZmian (lHistoriaZmianRef, sSekcja, sRodzajObiektu, sKlucz, nTypOperacji, lObiektRef,"
        " lTowarRef, sOpis, lUzytkRef, czasZmiany)"
        " values (newref(), :sSekcja, :sRodzajObiektu, :sKlucz, :nTypOperacji, :lObiektRef, :lTowarRef, :sOpis,"
        " :lUzytkRef, :czasZmiany)",
        session);
    insert.Params["sSekcja"] = item.section;
    insert.Params["sRodzajObiektu"] = item.objectKind;
    insert.Params["sKlucz"] = item.key;
    insert.Params["nTypOperacji"] = item.operationType;
    insert.Params["lObiektRef"] = item.objectId;
    insert.Params["lTowarRef"] = item.productId;
    insert.Params["sOpis"] = item.text;
    insert.Params["lUzytkRef"] = Core::User::instance().getUserRef();
    insert.Params["czasZmiany"] = Core::DayNumber::now();
    insert.execute();
}
