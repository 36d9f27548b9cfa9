#include "Modules/Towary/Tools/products/ProductFieldsCreator.h"

namespace Products {

ProductFieldsCreator::ProductFieldsCreator(StringFieldFactory stringFields, FloatFieldFactory floatFields)
    : stringFields_(std::move(stringFields)), floatFields_(std::move(floatFields)) {}

void ProductFieldsCreator::createBasicFields(TTowarView* view) const {
    floatFields_(view->AlternativeVatRate());
    floatFields_(view->AtrMask());
    floatFields_(view->AtrWart());
    floatFields_(view->BrandId());
    floatFields_(view->CadencierNr());
    floatFields_(view->CenaOtwarta());
    floatFields_(view->Code());
    floatFields_(view->CommissionGroupId());
    floatFields_(view->ComplemenToMinSaleUnitStock());
    floatFields_(view->czasMod());
    floatFields_(view->czasUtworzenia());
    floatFields_(view->dataOstDost());
    floatFields_(view->dataOstInwent());
    floatFields_(view->DutyFreeZoneRestrictions());
    floatFields_(view->DutyFreeZoneVatRatesHandling());
    floatFields_(view->ElEtyk());
    floatFields_(view->Etykieta());
    floatFields_(view->EtykWydrukowane());
    floatFields_(view->ExcludedFromSetCompensation());
    floatFields_(view->FinancialTransactionTypeId());
    floatFields_(view->Glebokosc());
    floatFields_(view->GlownyDostawcaRef());
    floatFields_(view->IloscPierwZam());
    floatFields_(view->IncreasedRisk());
    floatFields_(view->JmBase());
    floatFields_(view->JmPrzelicznik());
    floatFields_(view->JmSprz());
    floatFields_(view->KlasaRef());
    floatFields_(view->LiczbaEtykiet());
    floatFields_(view->LocallySaleBlocked());
    floatFields_(view->LocalOrderingDisallowed());
    floatFields_(view->Marza());
    floatFields_(view->MaximalOrderQuantity());
    floatFields_(view->Metka());
    floatFields_(view->MinStockInSaleUnit());
    floatFields_(view->MultiPriceElementSaleLocked());
    floatFields_(view->Objetosc());
    floatFields_(view->OkresPrzydatnosci());
    floatFields_(view->OkresPrzydatnosciMag());
    floatFields_(view->OkresUsred());
    floatFields_(view->OnSiteVatRateId());
    floatFields_(view->OpakRef());
    floatFields_(view->OrderingMandatory());
    floatFields_(view->PictureRef());
    floatFields_(view->PoziomNarzutuRef());
    floatFields_(view->ProductCategory());
    floatFields_(view->Przelicznik());
    floatFields_(view->PrzelicznikSprz2Base());
    floatFields_(view->PurchaseAgeLimit());
    floatFields_(view->Rabatowy());
    floatFields_(view->SaleAgeLimit());
    floatFields_(view->SecurityWeight());
    floatFields_(view->SelfServiceNotAllowed());
    floatFields_(view->SendNat());
    floatFields_(view->SendWiecz());
    floatFields_(view->SposobZam());
    floatFields_(view->StatusAktywnosci());
    floatFields_(view->StatusTow());
    floatFields_(view->SuccessorId());
    floatFields_(view->Szerokosc());
    floatFields_(view->SztukWOpak());
    floatFields_(view->TowarRef());
    floatFields_(view->Typ());
    floatFields_(view->TypEtykiety());
    floatFields_(view->TypMetki());
    floatFields_(view->UzytkRef());
    floatFields_(view->VAT());
    floatFields_(view->VatSplittableProductId());
    floatFields_(view->VatSplittableValuePercentage());
    floatFields_(view->WagaPLU());
    floatFields_(view->WagaSekcja());
    floatFields_(view->WeightTolerance());
    floatFields_(view->WeightType());
    floatFields_(view->WieleCen());
    floatFields_(view->WTrakcieUsuwania());
    floatFields_(view->Wysokosc());
    floatFields_(view->AlternativePricesAllowed());
    stringFields_(view->ArtIndex());
    stringFields_(view->PlikFoto());
    stringFields_(view->SposobZamArg());
    stringFields_(view->SWW());
}

void ProductFieldsCreator::createAdditionalFields(TTowarView* view) const {
    floatFields_(view->CenaSprzed());
    floatFields_(view->TempoSprz());
    floatFields_(view->Wagowy());
    floatFields_(view->WieleWydan());
    floatFields_(view->ZapasDniMin());
    floatFields_(view->ZapasDniOpt());
    floatFields_(view->ZapasJmMax());
    stringFields_(view->GrIndex());
    stringFields_(view->Info());
    stringFields_(view->ISBN());
    stringFields_(view->KrNazwa());
    stringFields_(view->Nazwa());
    stringFields_(view->PKWiU());
}

}  // namespace Products
