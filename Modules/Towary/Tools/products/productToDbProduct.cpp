#include "Modules/Towary/Tools/products/productToDbProduct.h"

#include <boost/make_shared.hpp>

namespace Products::Tools {

TTowarPtr productToDbProduct(boost::shared_ptr<Orvel::Entities::Product> source) {
    const Orvel::Entities::Product& entity = *source;
    auto product = boost::make_shared<TTowar>();
    if (const auto& value = entity.getId()) product->SetTowarRef(*value);
    product->SetNazwa(entity.getNazwa());
    product->SetKrNazwa(entity.getKrNazwa());
    product->SetGrIndex(entity.getGroupIndex());
    product->SetSposobZamArg(entity.getOrderingMethodParams());
    product->SetISBN(entity.getIsbn());
    product->SetInfo(entity.getInfo());
    product->SetTyp(entity.getTyp());
    product->SetWagowy(entity.getWagowy());
    if (const auto& value = entity.getCenaSprzed()) product->SetCenaSprzed(*value);
    product->SetStatusAktywnosci(entity.getStatusAktywnosci());
    if (const auto& value = entity.getRabatowy()) product->SetRabatowy(*value);
    if (const auto& value = entity.getOpakRef()) product->SetOpakRef(*value);
    if (const auto& value = entity.getWagaSekcja()) product->SetWagaSekcja(*value);
    if (const auto& value = entity.getWagaPlu()) product->SetWagaPLU(*value);
    product->SetczasMod(entity.getCzasMod());
    if (const auto& value = entity.getSaleToLabelMeasureUnitFactor()) product->SetPrzelicznik(*value);
    if (const auto& value = entity.getSaleToBaseMeasureUnitFactor()) product->SetPrzelicznikSprz2Base(*value);
    if (const auto& value = entity.getFirstOrderQuantity()) product->SetIloscPierwZam(*value);
    product->SetArtIndex(entity.getProductIndex());
    product->SetPKWiU(entity.getPkwiu());
    product->SetCode(entity.getLevel());
    if (const auto& value = entity.getProductClassId()) product->SetKlasaRef(*value);
    if (const auto& value = entity.getOptVatRateId()) product->SetVAT(*value);
    if (const auto& value = entity.getLabelMeasureUnitId()) product->SetJmPrzelicznik(*value);
    if (const auto& value = entity.getMeanCalculationPeriod()) product->SetOkresUsred(*value);
    if (const auto& value = entity.getMinimumStockInDays()) product->SetZapasDniMin(*value);
    if (const auto& value = entity.getOptimalStockInDays()) product->SetZapasDniOpt(*value);
    if (const auto& value = entity.getAttributeMask()) product->SetAtrMask(*value);
    if (const auto& value = entity.getAttributeValue()) product->SetAtrWart(*value);
    if (const auto& value = entity.getOrderingMethod()) product->SetSposobZam(*value);
    if (const auto& value = entity.getSaleMeasureUnitId()) product->SetJmSprz(*value);
    if (const auto& value = entity.getBaseMeasureUnitId()) product->SetJmBase(*value);
    if (const auto& value = entity.getLabelType()) product->SetTypEtykiety(*value);
    product->SetWieleCen(entity.getMultiPrice());
    product->SetAlternativePricesAllowed(entity.getAlternativePricesAllowed());
    if (const auto& value = entity.getOptMargin()) product->SetMarza(*value);
    if (const auto& value = entity.getInceasedRisk()) product->SetIncreasedRisk(*value);
    if (const auto& value = entity.getElectonicLabel()) product->SetElEtyk(*value);
    if (const auto& value = entity.getSelfServiceBan()) product->SetSelfServiceNotAllowed(*value);
    if (const auto& value = entity.getComplementToMinSaleUnitStock()) product->SetComplemenToMinSaleUnitStock(*value);
    if (const auto& value = entity.getMinimalBuyerAge()) product->SetPurchaseAgeLimit(*value);
    if (const auto& value = entity.getExpiryPeriod()) product->SetOkresPrzydatnosci(*value);
    if (const auto& value = entity.getMinimalSellerAge()) product->SetSaleAgeLimit(*value);
    if (const auto& value = entity.getMinimumStockInUnits()) product->SetMinStockInSaleUnit(*value);
    if (const auto& value = entity.getMaximalStockInUnits()) product->SetZapasJmMax(*value);
    if (const auto& value = entity.getWeightControlType()) product->SetWeightType(*value);
    if (const auto& value = entity.getTicketType()) product->SetTypMetki(*value);
    if (const auto& value = entity.getBrandId()) product->SetBrandId(*value);
    if (const auto& value = entity.getWeightTolerance()) product->SetWeightTolerance(*value);
    return product;
}

}  // namespace Products::Tools
