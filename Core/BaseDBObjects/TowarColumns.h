#pragma once
// The columns of the store's product table towar, in the table's order:
// X(column, Name, kind, read name, written by the editor's update, by its insert).
// Name is the host's field name (the column without its type prefix); the read
// name is what a product select calls the column, which differs from the
// column for the six columns the selects give an alias.

#define TOWAR_COLUMNS(X)                                                                          \
    X(lTowarRef, TowarRef, Integer, "lTowarRef", false, true)                                     \
    X(sNazwa, Nazwa, Text, "sNazwa", true, true)                                                  \
    X(sKrNazwa, KrNazwa, Text, "sKrNazwa", true, true)                                            \
    X(sGrIndex, GrIndex, Text, "sGrIndex", true, true)                                            \
    X(sArtIndex, ArtIndex, Text, "sArtIndex", true, true)                                         \
    X(sSWW, SWW, Text, "sSWW", true, true)                                                        \
    X(byVAT, VAT, Integer, "byVAT", true, true)                                                   \
    X(byCode, Code, Integer, "byCode", true, true)                                                \
    X(byTyp, Typ, Integer, "byTyp", true, true)                                                   \
    X(dPrzelicznikSprz2Base, PrzelicznikSprz2Base, Double, "dPrzelicznikSprz2Base", true, true)   \
    X(bWagowy, Wagowy, Integer, "bWagowy", true, true)                                            \
    X(nZapasDniMin, ZapasDniMin, Integer, "nZapasDniMin", true, true)                             \
    X(lGlownyDostawcaRef, GlownyDostawcaRef, Integer, "lGlownyDostawcaRef", true, true)           \
    X(sPlikFoto, PlikFoto, Text, "sPlikFoto", true, true)                                         \
    X(lUzytkRef, UzytkRef, Integer, "lUzytkRef", true, true)                                      \
    X(czasMod, czasMod, Double, "czasMod", true, true)                                            \
    X(lOpakRef, OpakRef, Integer, "lOpakRef", true, true)                                         \
    X(dSztukWOpak, SztukWOpak, Double, "dSztukWOpak", true, true)                                 \
    X(nMarza, Marza, Double, "nMarza", true, true)                                                \
    X(nOkresUsred, OkresUsred, Integer, "nOkresUsred", true, true)                                \
    X(nIloscPierwZam, IloscPierwZam, Double, "nIloscPierwZam", true, true)                        \
    X(nStatusTow, StatusTow, Integer, "nStatusTow", true, true)                                   \
    X(dataOstSprzed, dataOstSprzed, Double, "dataOstSprzed", false, false)                        \
    X(dataOstDost, dataOstDost, Double, "dataOstDost", false, false)                              \
    X(dataOstInwent, dataOstInwent, Double, "dataOstInwent", false, false)                        \
    X(nWagaPLU, WagaPLU, Integer, "nWagaPLU", true, true)                                         \
    X(nWagaSekcja, WagaSekcja, Integer, "nWagaSekcja", true, true)                                \
    X(dTempoSprz, TempoSprz, Double, "dTempoSprz", true, true)                                    \
    X(bySendWiecz, SendWiecz, Integer, "bySendWiecz", true, true)                                 \
    X(bySendNat, SendNat, Integer, "bySendNat", true, true)                                       \
    X(byElEtyk, ElEtyk, Integer, "byElEtyk", true, true)                                          \
    X(sSposobZamArg, SposobZamArg, Text, "sSposobZamArg", true, true)                             \
    X(nZapasDni, ZapasDni, Integer, "nZapasDni", false, false)                                    \
    X(dCenaSprzed, CenaSprzed, Double, "dCenaSprzed", true, true)                                 \
    X(lOdchyl, Odchyl, Integer, "lOdchyl", false, false)                                          \
    X(nJmBase, JmBase, Integer, "nJmBase", true, true)                                            \
    X(nJmSprz, JmSprz, Integer, "nJmSprz", true, true)                                            \
    X(nZapasDniOpt, ZapasDniOpt, Integer, "nZapasDniOpt", true, true)                             \
    X(nSposobZam, SposobZam, Integer, "nSposobZam", true, true)                                   \
    X(dZapasJmMax, ZapasJmMax, Double, "dZapasJmMax", true, true)                                 \
    X(nStatusAktywnosci, StatusAktywnosci, Integer, "nStatusAktywnosci", true, true)              \
    X(nCadencierNr, CadencierNr, Integer, "nCadencierNr", true, true)                             \
    X(byRabatowy, Rabatowy, Integer, "byRabatowy", true, true)                                    \
    X(byEtykWydrukowane, EtykWydrukowane, Integer, "byEtykWydrukowane", true, true)               \
    X(sPKWiU, PKWiU, Text, "sPKWiU", true, true)                                                  \
    X(nOkresPrzydatnosci, OkresPrzydatnosci, Integer, "nOkresPrzydatnosci", true, true)           \
    X(lKlasaRef, KlasaRef, Integer, "lKlasaRef", true, true)                                      \
    X(bAtrWart, AtrWart, Integer, "bAtrWart", true, true)                                         \
    X(bAtrMask, AtrMask, Integer, "bAtrMask", true, true)                                         \
    X(nSzerokosc, Szerokosc, Integer, "nSzerokosc", true, true)                                   \
    X(nWysokosc, Wysokosc, Integer, "nWysokosc", true, true)                                      \
    X(nGlebokosc, Glebokosc, Integer, "nGlebokosc", true, true)                                   \
    X(dObjetosc, Objetosc, Double, "dObjetosc", true, true)                                       \
    X(nJmPrzelicznik, JmPrzelicznik, Integer, "nJmPrzelicznik", true, true)                       \
    X(dPrzelicznik, Przelicznik, Double, "dPrzelicznik", true, true)                              \
    X(bEtykieta, Etykieta, Integer, "bEtykieta", true, true)                                      \
    X(czasUtworzenia, czasUtworzenia, Double, "czasUtworzenia", false, true)                      \
    X(nTypEtykiety, TypEtykiety, Integer, "nTypEtykiety", true, true)                             \
    X(sISBN, ISBN, Text, "sISBN", true, true)                                                     \
    X(nLiczbaEtykiet, LiczbaEtykiet, Integer, "nLiczbaEtykiet", true, true)                       \
    X(sInfo, Info, Text, "sInfo", true, true)                                                     \
    X(bWieleWydan, WieleWydan, Integer, "bWieleWydan", true, true)                                \
    X(bWieleCen, WieleCen, Integer, "bWieleCen", true, true)                                      \
    X(bCenaOtwarta, CenaOtwarta, Integer, "bCenaOtwarta", true, true)                             \
    X(bMetka, Metka, Integer, "bMetka", true, true)                                               \
    X(nTypMetki, TypMetki, Integer, "nTypMetki", true, true)                                      \
    X(bWTrakcieUsuwania, WTrakcieUsuwania, Integer, "bWTrakcieUsuwania", true, true)              \
    X(lPoziomNarzutuRef, PoziomNarzutuRef, Integer, "lPoziomNarzutuRef", true, true)              \
    X(lPictureRef, PictureRef, Integer, "lPictureRef", true, true)                                \
    X(byWeightType, WeightType, Integer, "byWeightType", true, true)                              \
    X(nPurchaseAgeLimit, PurchaseAgeLimit, Integer, "nPurchaseAgeLimit", true, true)              \
    X(nSaleAgeLimit, SaleAgeLimit, Integer, "nSaleAgeLimit", true, true)                          \
    X(bIncreasedRisk, IncreasedRisk, Integer, "bIncreasedRisk", true, true)                       \
    X(bSelfServiceNotAllowed, SelfServiceNotAllowed, Integer, "bSelfServiceNotAllowed", true, true) \
    X(nWeightTolerance, WeightTolerance, Double, "nWeightTolerance", true, true)                   \
    X(nSecurityWeight, SecurityWeight, Double, "nSecurityWeight", true, true)                     \
    X(nOkresPrzydatnosciMag, OkresPrzydatnosciMag, Integer, "nOkresPrzydatnosciMag", true, true)  \
    X(AlternativeVatRate, AlternativeVatRate, Integer, "AlternativeVatRate", true, true)          \
    X(DutyFreeZoneRestrictions, DutyFreeZoneRestrictions, Integer, "DutyFreeZoneRestrictions", true, true) \
    X(DutyFreeZoneVatRatesHandling, DutyFreeZoneVatRatesHandling, Integer, "DutyFreeZoneVatRatesHandling", true, true) \
    X(CommissionGroupId, CommissionGroupId, Integer, "CommissionGroupId", true, true)             \
    X(FinancialTransactionTypeId, FinancialTransactionTypeId, Integer, "FinancialTransactionTypeId", true, true) \
    X(OrderingMandatory, OrderingMandatory, Integer, "OrderingMandatory", true, true)             \
    X(MultiPriceElementSaleLocked, MultiPriceElementSaleLocked, Integer, "MultiPriceElementSaleLocked", true, true) \
    X(BrandId, BrandId, Integer, "BrandId", true, true)                                           \
    X(VatSplittableProductId, VatSplittableProductId, Integer, "VatSplittableProductId", true, true) \
    X(VatSplittableValuePercentage, VatSplittableValuePercentage, Double, "VatSplittableValuePercentage", true, true) \
    X(OnSiteVatRateId, OnSiteVatRateId, Integer, "OnSiteVatRateId", true, true)                   \
    X(LocalOrderingDisallowed, LocalOrderingDisallowed, Integer, "LocalOrderingDisallowed", true, true) \
    X(ProductCategory, ProductCategory, Integer, "ProductCategory", true, true)                   \
    X(MaximalOrderQuantity, MaximalOrderQuantity, Double, "MaximalOrderQuantity", true, true)     \
    X(excluded_from_set_compensation, ExcludedFromSetCompensation, Integer, "ExcludedFromSetCompensation", true, true) \
    X(locally_sale_blocked, LocallySaleBlocked, Integer, "LocallySaleBlocked", true, true)        \
    X(successor_id, SuccessorId, Integer, "SuccessorId", true, true)                              \
    X(min_stock_in_sale_unit, MinStockInSaleUnit, Double, "MinStockInSaleUnit", true, true)       \
    X(complement_to_min_sale_u_stock, ComplemenToMinSaleUnitStock, Double, "ComplemenToMinSaleUnitStock", true, true) \
    X(Alternative_Prices_Allowed, AlternativePricesAllowed, Integer, "AlternativePricesAllowed", true, true)

#define PLU_COLUMNS(X)                                                   \
    X(lPluRef, PluRef, Integer, "lPluRef", true, true)                   \
    X(sPLU, PLU, Text, "sPLU", true, true)                               \
    X(lTowarRef, TowarRef, Integer, "lTowarRef", true, true)             \
    X(nJm, Jm, Integer, "nJm", true, true)                               \
    X(byStatus, Status, Integer, "byStatus", true, true)                 \
    X(dataOstSprzed, dataOstSprzed, Double, "dataOstSprzed", true, true) \
    X(byBlokada, Blokada, Integer, "byBlokada", true, true)              \
    X(byHardTrStat, HardTrStat, Integer, "byHardTrStat", true, true)
