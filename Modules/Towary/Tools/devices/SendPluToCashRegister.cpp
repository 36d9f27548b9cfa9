#include "Modules/Towary/Tools/devices/SendPluToCashRegister.h"

#include "Core/Action/ActionContainer.h"
#include "Core/BoostFunctionGetter.h"
#include "Core/CashRegister/Channel.h"
#include "Core/CashRegister/Record.h"
#include "Core/Database/ConditionCreator.h"
#include "Core/Database/Query.h"
#include "Core/Dialogs/Dialogs.h"
#include "Core/Plu/FirstPlu.h"
#include "Core/Setup/CheckedValue.h"
#include "Core/Setup/Setup.h"
#include "Core/Singleton/SingletonImplHolder.h"
#include "Core/VisualComponents/BaseForm.h"

#include <sstream>

namespace Towar {
namespace {

// A record (tag, length, code, CRC) must go out in one write the pipe does not split.
constexpr std::size_t kLongestCode = Core::CashRegister::kLongestRecord - 10;

Orvel::TKey pipeKey(const char* name) {
    return Core::SingletonImplHolder::get<Core::CSetup>().GetRootKey().GetSubKey(
        {"Parametry programu", "FrontOffice", "Potok komunikacji z kasą", name});
}

// Sends the codes and, when it reports, tells the form what went.
class SendPluAction : public Core::IExecutor {
public:
    SendPluAction(const char* tag, bool reports) : tag_(tag), reports_(reports) {}

    Core::IUnknownPtr execute(const Core::IUnknownPtr& args) override {
        const auto getter = std::dynamic_pointer_cast<Core::IBoostFunction0Getter<TTowarCollectionPtr>>(args);
        if (!getter) return {};
        const TTowarCollectionPtr products = getter->getFunction()();
        if (!products) return {};
        const auto count = sendPlu(*products, tag_);
        if (reports_ && count && std::dynamic_pointer_cast<FormKernel::IBaseForm>(args)) {
            if (*count == 0)
                Core::WarnMsgBox("Brak PLU do wysłania.");
            else
                Core::InfoMsgBox("Liczba wysłanych PLU: " + std::to_string(*count));
        }
        return {};
    }

private:
    const char* tag_;
    bool reports_;
};

class DefaultSendPluAction : public SendPluAction {
public:
    DefaultSendPluAction() : SendPluAction("PLU0", true) {}
};

class SendPluBringCashRegisterToFrontAction : public SendPluAction {
public:
    SendPluBringCashRegisterToFrontAction() : SendPluAction("PLU1", false) {}
};

}  // namespace

std::string sendPluStatement(const TTowarCollection& products) {
    std::ostringstream condition;
    SQLUtils::CIncludeConditionCreator references(condition, "t.ltowarref");
    for (const auto& product : products) references.add(static_cast<std::int64_t>(product->GetTowarRef()));
    references.finish();
    return "select " + getFirstPLUStatement("t.ltowarref", false) + " splu from towar t where " + condition.str();
}

std::optional<int> sendPlu(const TTowarCollection& products, const std::string& tag) {
    DBKernel::Sql::OpenedQuery query(sendPluStatement(products));
    if (query.empty()) return std::nullopt;
    const std::string host = pipeKey("Host").GetVal<std::string>();
    const std::string name = pipeKey("Nazwa").GetVal<std::string>();
    const int port = Core::CashRegister::isThisMachine(host) ? 0 : Core::Setup::valueInRange(pipeKey("Port"), 1, 65535);
    Core::CashRegister::Writer pipe(host, name, port);
    int count = 0;
    const auto field = query["splu"];
    std::string number;  // a code the store holds as a number, in its text form
    while (query.next()) {
        // The code is read where the engine holds it and encoded straight into the channel's queue.
        const auto value = field.view();
        std::string_view code;
        if (const auto* text = std::get_if<std::string_view>(&value)) {
            code = *text;
        } else if (value.index() != 0) {
            number = field.asString();
            code = number;
        }
        if (code.empty() || code.size() > kLongestCode) continue;
        pipe.writeRecord(tag, code);
        ++count;
    }
    pipe.close();
    return count;
}

}  // namespace Towar

void registerSendProductToCashRegisterObjects(Core::Registrations& registrations) {
    const Core::SrcInfo source{"Modules/Towary/Tools/SendPluToCashRegister", __LINE__,
                               "registerSendProductToCashRegisterObjects"};
    registrations.add(Core::regActionCreator(Towar::kDefaultSendPluActionGuid,
                                             Core::creatorOf<Towar::DefaultSendPluAction>(), source),
                      source);
    registrations.add(Core::regActionCreator(Towar::kSendPluBringCashRegisterToFrontActionGuid,
                                             Core::creatorOf<Towar::SendPluBringCashRegisterToFrontAction>(), source),
                      source);
}
