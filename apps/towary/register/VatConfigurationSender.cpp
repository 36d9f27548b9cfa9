#include "apps/towary/register/VatConfigurationSender.h"

#include "Core/Action/ActionContainer.h"
#include "Core/Action/ArgumentGetters.h"
#include "Core/Singleton/SingletonImplHolder.h"
#include "Core/Store/StoreLocation.h"
#include "Core/Vat/AvailVatRates.h"
#include "Core/Xml/WriterBase.h"
#include "Core/tools/AtomicFile.h"
#include "Core/tools/DayNumber.h"

#include <locale>
#include <memory>

namespace Towary::Host {
namespace {

constexpr const char* kGuid = "{B7FFCF3F-D78D-4CDF-A7D6-3D32FE4EBC14}";

class SendVatConfigurationAction : public Core::IExecutor {
public:
    std::string guid() const override { return kGuid; }

    Core::IUnknownPtr execute(const Core::IUnknownPtr& args) override {
        const auto date = Core::interface_cast<Core::IDateGetter>(args);
        if (!date) throw Core::castError();
        const int day = date->getDate();
        const auto file = vatConfigurationFile(day);
        std::filesystem::create_directories(file.parent_path());
        Core::AtomicFile out(file);
        out.stream().imbue(std::locale::classic());
        Core::Xml::WriterBase xml(out.stream());
        xml.startNode("KonfiguracjaStawekVat");
        xml.startNode("Dzien");
        xml.value(Core::DayNumber::toText(day));
        xml.endNode();
        const auto& rates = Core::SingletonImplHolder::get<Vat::AvailVatRates>();
        for (const auto& rate : rates.getAllVatRates()) {
            xml.startNode("StawkaVat");
            const auto field = [&xml](const char* name, const auto& value) {
                xml.startNode(name);
                xml.value(value);
                xml.endNode();
            };
            field("Kod", rate.code());
            field("Nazwa", rate.name());
            field("Wartosc", rate.value());
            field("LiteraFiskalna", rates.getFiscalCodeByCode(rate.code(), day));
            field("WykluczonaDlaTowarow", rate.productExcluded() ? 1 : 0);
            xml.endNode();
        }
        xml.close();
        out.stream() << '\n';
        out.commit();
        return std::make_shared<Core::StatusResult>("Zapisano konfigurację stawek VAT na dzień " +
                                                    Core::DayNumber::toText(day) + " w pliku " + file.string() + ".");
    }
};

}  // namespace

Core::Token registerVatConfigurationSender() {
    return Core::regAction(std::make_shared<SendVatConfigurationAction>(),
                           {"apps/towary/register/VatConfigurationSender.cpp", __LINE__, "registerVatConfigurationSender"});
}

std::filesystem::path vatConfigurationFile(int day) {
    return Core::Store::tillOutbox() / ("stawki-vat-" + Core::DayNumber::toText(day) + ".xml");
}

}  // namespace Towary::Host
