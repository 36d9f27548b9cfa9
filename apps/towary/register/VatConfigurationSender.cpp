#include "apps/towary/register/VatConfigurationSender.h"

#include "Core/Action/ActionContainer.h"
#include "Core/Action/ArgumentGetters.h"
#include "Core/Singleton/SingletonImplHolder.h"
#include "Core/Store/StoreLocation.h"
#include "Core/Store/TillOutbox.h"
#include "Core/Vat/AvailVatRates.h"
#include "Core/Xml/WriterBase.h"
#include "Core/tools/DayNumber.h"

#include <memory>

namespace Towary::Host {
namespace {

constexpr const char* kGuid = "{B7FFCF3F-D78D-4CDF-A7D6-3D32FE4EBC14}";

std::string vatConfigurationFileName(int day) { return "stawki-vat-" + Core::DayNumber::toText(day) + ".xml"; }

class SendVatConfigurationAction : public Core::IExecutor {
public:
    std::string guid() const override { return kGuid; }

    Core::IUnknownPtr execute(const Core::IUnknownPtr& args) override {
        const auto date = Core::interface_cast<Core::IDateGetter>(args);
        if (!date) throw Core::castError();
        const int day = date->getDate();
        const auto& rates = Core::SingletonImplHolder::get<Vat::AvailVatRates>();
        const auto file = Core::Store::writeTillOutboxFile(vatConfigurationFileName(day), [&](std::ostream& out) {
            Core::Xml::WriterBase xml(out);
            xml.startNode("KonfiguracjaStawekVat");
            xml.element("Dzien", Core::DayNumber::toText(day));
            for (const auto& rate : rates.getAllVatRates()) {
                xml.startNode("StawkaVat");
                xml.element("Kod", rate.code());
                xml.element("Nazwa", rate.name());
                xml.element("Wartosc", rate.value());
                xml.element("LiteraFiskalna", rates.getFiscalCodeByCode(rate.code(), day));
                xml.element("WykluczonaDlaTowarow", rate.productExcluded() ? 1 : 0);
                xml.endNode();
            }
            xml.close();
            out << '\n';
        });
        return std::make_shared<Core::StatusResult>("Zapisano konfigurację stawek VAT na dzień " +
                                                    Core::DayNumber::toText(day) + " w pliku " + file.string() + ".");
    }
};

}  // namespace

Core::Token registerVatConfigurationSender() {
    return Core::regAction(std::make_shared<SendVatConfigurationAction>(),
                           {"apps/towary/register/VatConfigurationSender.cpp", __LINE__, "registerVatConfigurationSender"});
}

std::filesystem::path vatConfigurationFile(int day) { return Core::Store::tillOutbox() / vatConfigurationFileName(day); }

}  // namespace Towary::Host
