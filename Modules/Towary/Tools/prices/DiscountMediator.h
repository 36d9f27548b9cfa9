#pragma once
// The three linked fields of a condition form: the catalogue price, the
// discount in percent and the final price. Warunek::LiczRabatCene::CMediator
// ties them to the algorithms that compute one from the other two and refuses
// a recomputation started while one runs (a field's change event answering
// the mediator's own write). Prices carry 4 decimals, the discount 2.

#include "Core/Contracts/Contract.h"
#include "Core/Export.h"
#include "Core/VisualComponents/TextField.h"

#include <memory>

namespace Warunek {

class TOWARY_EXPORT IBase {
public:
    virtual ~IBase();
};

namespace LiczRabatCene {

class CMediator;

class TOWARY_EXPORT IValue : public IBase {
public:
    virtual double getValue() const = 0;
    virtual void setValue(double value) = 0;
};

class TOWARY_EXPORT IAlgorithm : public IBase {
public:
    virtual void calculate(CMediator& mediator) = 0;
};

class TOWARY_EXPORT CMediator {
public:
    // Every value and algorithm must be given: a missing one fails here, with
    // std::invalid_argument, and not as a crash when the user leaves a field.
    CMediator(std::shared_ptr<IValue> cenaKatalogowa, std::shared_ptr<IValue> cenaKoncowa,
              std::shared_ptr<IValue> rabat, std::shared_ptr<IAlgorithm> cenaKatalogowaAlg,
              std::shared_ptr<IAlgorithm> cenaKoncowaAlg, std::shared_ptr<IAlgorithm> rabatAlg);

    double getCenaKatalogowa() const { return cenaKatalogowa_->getValue(); }
    double getCenaKoncowa() const { return cenaKoncowa_->getValue(); }
    double getRabat() const { return rabat_->getValue(); }
    // Write one value, without recomputing the others.
    void setCenaKatalogowa(double value) { cenaKatalogowa_->setValue(value); }
    void setCenaKoncowa(double value) { cenaKoncowa_->setValue(value); }
    void setRabat(double value) { rabat_->setValue(value); }

    // Recompute one value from the others; only in mode 1, and never while a
    // computation runs ("Niedozwolone, rekurencyjne wywołanie algorytmu.").
    void calcCenaKatalogowa() { run(*cenaKatalogowaAlg_); }
    void calcCenaKoncowa() { run(*cenaKoncowaAlg_); }
    void calcRabat() { run(*rabatAlg_); }

    // The host's form sets it; 0 until then.
    void setMode(int mode) { mode_ = mode; }
    int getMode() const { return mode_; }

private:
    void run(IAlgorithm& algorithm);

    std::shared_ptr<IValue> cenaKatalogowa_, cenaKoncowa_, rabat_;
    std::shared_ptr<IAlgorithm> cenaKatalogowaAlg_, cenaKoncowaAlg_, rabatAlg_;
    bool calculating_ = false;
    int mode_ = 0;
};

}  // namespace LiczRabatCene

// A value shown in a text field. Reads "12,5" and "12.5" alike, whatever the
// process's decimal separator, and an empty field as 0; any other text fails
// with the runtime's conversion error. Writes with the given decimals and a
// full stop ("12.50").
class TOWARY_EXPORT CEditValue : public LiczRabatCene::IValue {
public:
    CEditValue(Core::VisualComponents::TextField& edit, int decimals) : edit_(edit), decimals_(decimals) {}
    double getValue() const override;
    void setValue(double value) override;

private:
    Core::VisualComponents::TextField& edit_;
    int decimals_;
};

// The catalogue price from the final price and the discount.
class TOWARY_EXPORT CLiczCeneKatalogowaAlg : public LiczRabatCene::IAlgorithm {
public:
    void calculate(LiczRabatCene::CMediator& mediator) override;
};

// The final price from the catalogue price and the discount.
class TOWARY_EXPORT CLiczCeneKoncowaAlg : public LiczRabatCene::IAlgorithm {
public:
    void calculate(LiczRabatCene::CMediator& mediator) override;
};

// The final price the contract's discounts give for the catalogue price (Core::getCenaKoncowa).
// A form without a contract fails here, with std::invalid_argument.
class TOWARY_EXPORT CLiczCeneKoncowaZKontraktuAlg : public LiczRabatCene::IAlgorithm {
public:
    CLiczCeneKoncowaZKontraktuAlg(const Core::TKontrakt* contract, bool flag);
    void calculate(LiczRabatCene::CMediator& mediator) override;

private:
    const Core::TKontrakt* contract_;
    bool flag_;
};

// The discount from the catalogue and final prices.
class TOWARY_EXPORT CLiczRabatAlg : public LiczRabatCene::IAlgorithm {
public:
    void calculate(LiczRabatCene::CMediator& mediator) override;
};

}  // namespace Warunek
