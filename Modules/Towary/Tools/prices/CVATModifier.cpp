#include "Modules/Towary/Tools/prices/CVATModifier.h"

#include "Core/Action/ActionContainer.h"
#include "Core/Action/ArgumentGetters.h"
#include "Core/CashRegister/TransmissionModule.h"
#include "Core/Database/Query.h"
#include "Core/Debug/Debug.h"
#include "Modules/Towary/Tools/classification/CKrNazwaCreator.h"
#include "Modules/Towary/Tools/prices/VatPlanSql.h"

#include <string>
#include <utility>

namespace Towar {
namespace {

void trace(const char* text, int line) {
    Core::Debug::logLine(text, {"Modules/Towary/Tools/prices/CVATModifier.cpp", line, "CVATModifier::modify"});
}

}  // namespace

CVATModifier::CVATModifier(TSessionHolder session) : session_(std::move(session)) {}

std::string CVATModifier::modify(int day) {
    DBKernel::TransactionGuard transaction(session_);
    const std::string dayText = std::to_string(day);
    DBKernel::Sql::OpenedQuery due(
        "select zv.lzmianavatref, t.snazwa nazwa, zv.ltowarref, zv.ddata, zv.byvat VatTo, t.byvat VatFrom from "
        "zmianavat zv, towar t where (zv.ltowarref, zv.ddata) in ( select ltowarref, max(ddata) ddata from zmianavat "
        "where ddata <= " +
            dayText + " group by ltowarref ) and zv.ltowarref = t.ltowarref and (bapplied = 0 or bapplied is null)",
        session_);
    DBKernel::Sql::Command update("update towar set skrnazwa = :productName , byvat = :productVat where ltowarref = :productId",
                                  session_);
    int count = 0;
    trace("CVATModifier::modify(): before while loop", __LINE__);
    while (due.next()) {
        const int vatTo = due["VatTo"].asInt();
        // A product whose code is NULL differs from every target.
        if (!due["VatFrom"].isNull() && due["VatFrom"].asInt() == vatTo) continue;
        update.Params["productName"] = CKrNazwaCreator(due["nazwa"].asString(), vatTo, day).get();
        update.Params["productVat"] = vatTo;
        update.Params["productId"] = due["ltowarref"].asInt64();
        update.execute();
        ++count;
    }
    trace("CVATModifier::modify(): after while loop", __LINE__);
    DBKernel::Sql::Command("update zmianavat set bapplied = 1 where ddata <= " + dayText, session_).execute();
    trace("CVATModifier::modify(): after update on zmianavat", __LINE__);
    std::string log = "Zmodyfikowano stawkę VAT dla " + std::to_string(count) + " towarów.\n";
    if (count > 0 && Core::CashRegister::transmissionModuleName() == Core::CashRegister::kXmlBasedServerCommunication) {
        Core::Action::CContainer::invoke<Core::IUnknown>(*this, kSendVatConfigurationGuid,
                                                         std::make_shared<Core::DayArgument>(day));
        log += "Wysłano konfigurację stawek VAT do kas.\n";
        trace("CVATModifier::modify(): after sending to cashRegisters", __LINE__);
    }
    transaction.commit();
    return log;
}

void planVatRatesChange(TSessionHolder& session, bool overwrite) {
    DBKernel::TransactionGuard transaction(session);
    const std::string day = std::to_string(kVatChangeDay);
    if (overwrite) DBKernel::Sql::Command("delete from zmianavat z where z.ddata >= " + day, session).execute();
    // The comments run to the end of their lines: every clause after them starts on a new line.
    std::string insert = std::string(kPlanInsertHead) + day + "\n-- 3%->5%, 7%->8%, 22%->23%, 0%->5%, zwl->23%\n" +
                         ", decode (t.byvat, 2, 9, 3, 12, 6, 13, 1, 9, 8, 13) , 0 , borlandsysdate from towar t where "
                         "t.byvat in (2, 3, 6, 1, 8) -- stawki 3%, 7%, 23%, 0%, zwl";
    if (!overwrite)
        insert += "\nand not exists ( select 1 from zmianavat z where z.ltowarref = t.ltowarref and z.ddata >= " + day + ")";
    DBKernel::Sql::Command(insert, session).execute();
    transaction.commit();
}

}  // namespace Towar
