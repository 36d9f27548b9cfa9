#include "Modules/Towary/Tools/products/DecodeString.h"

#include "Core/Database/SQLUtils.h"
#include "Core/MeasureUnits/AvailMeasureUnits.h"
#include "Core/Payments/FormyPlatnosci.h"
#include "Core/Singleton/SingletonImplHolder.h"
#include "Core/Vat/AvailVatRates.h"
#include "Modules/Towary/Tools/classification/ProductTypes.h"

#include <iomanip>
#include <locale>
#include <sstream>
#include <stdexcept>
#include <string>

namespace {

constexpr int kLastProductType = 23;

class DecodeWriter {
public:
    DecodeWriter(const std::string& prefix, const char* column) { text_ << "decode(" << prefix << column; }

    void named(long long code, const std::string& name) {
        text_ << ", " << code << ", '" << SQLUtils::SQLString(name) << "'";
    }
    void number(long long code, double value) {
        // Twelve significant digits drop the binary noise of a rate times 100
        // (0.23 * 100 is 23.000000000000004) and keep every rate a store has.
        std::ostringstream written;
        written.imbue(std::locale::classic());
        written << std::setprecision(12) << value;
        text_ << ", " << code << ", " << written.str();
    }
    std::string finish() {
        text_ << ")";
        return text_.str();
    }

private:
    std::ostringstream text_;
};

void writeProductTypes(DecodeWriter& writer) {
    for (int code = 1; code <= kLastProductType; ++code) {
        if (code == 16 || code == 20) continue;  // codes no type was ever given
        writer.named(code, Towar::getProductTypeDescription(code));
    }
}

// The codes are tried from 1 upwards and a code without a name is passed
// over, as many entries written as the list holds units; the walk stops at the
// list's highest code, so a unit listed with an empty name cannot stall it.
void writeMeasureUnits(DecodeWriter& writer) {
    const auto& units = Core::SingletonImplHolder::get<Core::AvailMeasureUnits>();
    const auto& all = units.getAll();
    const int lastCode = all.empty() ? 0 : all.back().id();
    std::size_t written = 0;
    for (int code = 1; code <= lastCode && written < all.size(); ++code) {
        const std::string name = units.getMeasureUnitNameByCode(code);
        if (name.empty()) continue;
        writer.named(code, name);
        ++written;
    }
}

void writeVatNames(DecodeWriter& writer) {
    for (const auto& rate : Core::SingletonImplHolder::get<Vat::AvailVatRates>().getAllVatRates())
        writer.named(rate.code(), rate.name());
}

void writeVatPercents(DecodeWriter& writer) {
    for (const auto& rate : Core::SingletonImplHolder::get<Vat::AvailVatRates>().getAllVatRates())
        writer.number(rate.code(), rate.value() * 100);
}

void writePaymentForms(DecodeWriter& writer) {
    for (const auto& form : Core::SingletonImplHolder::get<Platnosci::FormyPlatnosci>().WszystkieKoncowe())
        writer.named(form.id(), form.name());
}

}  // namespace

System::AnsiString decodeString(System::AnsiString prefix, DecodeType type) {
    switch (type) {
        case dtTypTowaru: {
            DecodeWriter writer(prefix, "byTyp");
            writeProductTypes(writer);
            return writer.finish();
        }
        case dtJmSprz:
        case dtJmPrzelicznik: {
            DecodeWriter writer(prefix, type == dtJmSprz ? "nJmSprz" : "nJmPrzelicznik");
            writeMeasureUnits(writer);
            return writer.finish();
        }
        case dtVat:
        case dtPoprVat: {
            DecodeWriter writer(prefix, type == dtVat ? "byVAT" : "byPoprVAT");
            writeVatNames(writer);
            return writer.finish();
        }
        case dtStawkaVat:
        case dtPoprStawkaVat: {
            DecodeWriter writer(prefix, type == dtStawkaVat ? "byVAT" : "byPoprVAT");
            writeVatPercents(writer);
            return writer.finish();
        }
        case dtFormaPlatnosci: {
            DecodeWriter writer(prefix, "lPlatnoscRef");
            writePaymentForms(writer);
            return writer.finish();
        }
    }
    throw std::invalid_argument("decodeString: nieznany rodzaj dekodowania " + std::to_string(static_cast<int>(type)));
}

System::AnsiString decodeString(DecodeType type) { return decodeString("", type); }
