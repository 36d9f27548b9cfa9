#include "Modules/Towary/Tools/prices/DiscountMediator.h"

#include "Core/System/StrToFloat.h"
#include "Core/tools/Round.h"
#include "Core/tools/TemporaryChangeValue.h"

#include <cmath>
#include <iomanip>
#include <locale>
#include <sstream>
#include <stdexcept>

namespace Warunek {

IBase::~IBase() = default;

namespace {

constexpr const char* kDiscountOutOfRange = "Wynik obliczenia wykracza poza zakres liczb; popraw cenę lub rabat.";

// Fields far beyond any price (1e308 less a discount of -1e308) overflow; the
// form's user gets that in words, not "inf" in a field.
double finite(double value) {
    if (!std::isfinite(value)) throw std::runtime_error(kDiscountOutOfRange);
    return value;
}

// From 2^52 steps up a double holds no fraction of a step, so rounding to the
// step means nothing: such a result (a final price of 1e300) is a typing
// mistake, refused rather than written as a field of hundreds of digits.
constexpr double kDiscountRoundableSteps = 4503599627370496.0;

double rounded(double value, double step) {
    if (!(std::fabs(value / step) < kDiscountRoundableSteps)) throw std::runtime_error(kDiscountOutOfRange);
    return Round(value, step);
}

}  // namespace

namespace LiczRabatCene {

CMediator::CMediator(std::shared_ptr<IValue> cenaKatalogowa, std::shared_ptr<IValue> cenaKoncowa,
                     std::shared_ptr<IValue> rabat, std::shared_ptr<IAlgorithm> cenaKatalogowaAlg,
                     std::shared_ptr<IAlgorithm> cenaKoncowaAlg, std::shared_ptr<IAlgorithm> rabatAlg)
    : cenaKatalogowa_(std::move(cenaKatalogowa)),
      cenaKoncowa_(std::move(cenaKoncowa)),
      rabat_(std::move(rabat)),
      cenaKatalogowaAlg_(std::move(cenaKatalogowaAlg)),
      cenaKoncowaAlg_(std::move(cenaKoncowaAlg)),
      rabatAlg_(std::move(rabatAlg)) {
    if (!cenaKatalogowa_ || !cenaKoncowa_ || !rabat_ || !cenaKatalogowaAlg_ || !cenaKoncowaAlg_ || !rabatAlg_)
        throw std::invalid_argument(
            "Pola ceny katalogowej, rabatu i ceny końcowej wymagają trzech wartości i trzech algorytmów.");
}

void CMediator::run(IAlgorithm& algorithm) {
    if (mode_ != 1) return;
    if (calculating_) throw std::runtime_error("Niedozwolone, rekurencyjne wywołanie algorytmu.");
    Core::TTemporaryChangeValue<bool> calculating(calculating_, true);
    algorithm.calculate(*this);
}

}  // namespace LiczRabatCene

double CEditValue::getValue() const {
    const auto text = edit_.text();
    if (text.empty()) return 0;
    if (text.find(',') != std::string::npos) {
        Core::TTemporaryChangeDecimalSeparator separator(',');
        return Sysutils::StrToFloat(text);
    }
    if (text.find('.') != std::string::npos) {
        Core::TTemporaryChangeDecimalSeparator separator('.');
        return Sysutils::StrToFloat(text);
    }
    return Sysutils::StrToFloat(text);
}

void CEditValue::setValue(double value) {
    std::ostringstream out;
    out.imbue(std::locale::classic());
    out << std::fixed << std::setprecision(decimals_) << value;
    edit_.setText(out.str());
}

void CLiczCeneKatalogowaAlg::calculate(LiczRabatCene::CMediator& m) {
    const double d = 1 - m.getRabat() * 0.01;
    if (d == 0)
        m.setCenaKatalogowa(0);
    else
        m.setCenaKatalogowa(rounded(m.getCenaKoncowa() / d, 0.0001));
}

void CLiczCeneKoncowaAlg::calculate(LiczRabatCene::CMediator& m) {
    const double k = m.getCenaKatalogowa();
    m.setCenaKoncowa(rounded(k - m.getRabat() * k * 0.01, 0.0001));
}

CLiczCeneKoncowaZKontraktuAlg::CLiczCeneKoncowaZKontraktuAlg(const Core::TKontrakt* contract, bool flag)
    : contract_(contract), flag_(flag) {
    if (contract_ == nullptr)
        throw std::invalid_argument("Cenę końcową z kontraktu liczy się dla kontraktu; nie podano go.");
}

void CLiczCeneKoncowaZKontraktuAlg::calculate(LiczRabatCene::CMediator& m) {
    m.setCenaKoncowa(finite(Core::getCenaKoncowa(m.getCenaKatalogowa(), *contract_, flag_)));
}

void CLiczRabatAlg::calculate(LiczRabatCene::CMediator& m) {
    const double k = m.getCenaKatalogowa();
    if (k == 0)
        m.setRabat(0);
    else
        m.setRabat(rounded(100 - m.getCenaKoncowa() * 100 / k, 0.01));
}

}  // namespace Warunek
