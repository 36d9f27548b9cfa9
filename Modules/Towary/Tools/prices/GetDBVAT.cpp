#include "Modules/Towary/Tools/prices/GetDBVAT.h"

#include "Core/Singleton/SingletonImplHolder.h"
#include "Core/System/Sysutils.h"
#include "Core/Vat/AvailVatRates.h"

double GetDBVAT(int code) {
    try {
        return Core::SingletonImplHolder::get<Vat::AvailVatRates>().findRate(code).value();
    } catch (...) {
        throw Sysutils::Exception("Nieznany kod stawki VAT.");
    }
}

double GetOdwrotnaDBVAT(int code) {
    const double rate = GetDBVAT(code);
    return rate / (1 + rate);
}
