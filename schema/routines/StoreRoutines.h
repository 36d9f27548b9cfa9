#pragma once
// The store's routines, one unit each; StoreRoutines.cpp registers them all.

#include "Core/Database/Routines.h"

#include <cstdint>

namespace DBKernel::Schema {

// newref: a new id from the store's id generator (the default of new row ids).
void addNewRef(Routines& routines);
// getWolnyIndex(start, length): the lowest article index number, 1 at least and
// at or above start, that no product uses as its article index of `length`
// digits; a number longer than `length` digits is free by nature. NULL when
// either argument is NULL or length is not positive.
void addGetWolnyIndex(Routines& routines);
// getWolnePLUWagowe(prefix, numberLength, restLength, start): the lowest number,
// 1 at least and at or above start, that no code of the store takes: no plu
// row of any status whose text begins with the prefix and the number padded
// to numberLength digits and has at least restLength digits more (the codes a
// store mask with an item number makes). NULL when an argument is NULL;
// throws when the prefix is not digits or the lengths leave no room for the
// check digit of a 13-digit code, and when every number is taken.
void addGetWolnePLUWagowe(Routines& routines);
// The procedures of package UPRAWNIENIADOGRUPTOWAROW: MODYFIKUJUPRAWNIENIAUZYTK
// and MODYFIKUJUPRAWNIENIAGRUPY store an owner's rights for a group index
// (refUzytkownika or refGrupyUzytk, indeksGrupy, upr: the 14-character text,
// "Y"/"N" granted and "I"/"O" inherited per right) as the codes of table
// uzytkgrouprights; ZNISZCZUPRAWNIENIAUZYTK and ZNISZCZUPRAWNIENIAGRUPY remove
// the owner's entry for the index. An unknown owner, an empty index or a
// malformed text is refused in Polish.
void addGroupRights(Routines& routines);
// The largest number a scale section holds: a scale number is the item
// number of the product's weighed-goods codes, five digits.
inline constexpr std::int64_t kLargestScaleNumber = 99999;
// Generators.getWolnyNumerWKanale(section, start): the lowest number of the
// scale section, `start` at least (and 1 at least), that no product holds in
// that section (towar.nWagaSekcja, nWagaPLU). NULL when an argument is NULL or
// every number from there to kLargestScaleNumber is taken.
void addGetWolnyNumerWKanale(Routines& routines);
// The package multipriceproducts: getOrCreateElement(grouppingProductId,
// salePrice, userId, verifyProductClass -> productid, productIndex), the
// element of a multi-price ware that sells at the price, made when none does
// (its article index the ware's and the price in grosze; refused when
// verifyProductClass is 1 and the ware's class fixes "Zmiana ceny" off);
// updateElements(groupIdex), the elements take the grouping row's name, VAT,
// units, class and status; createProductsForStocktaking(linwopisref_par,
// luzytkref_par), every ware's grouping row joins the stocktaking once.
void addMultipriceProducts(Routines& routines);
// lastStnDate(product): the day of the product's latest stn row; NULL when it
// has none or the argument is NULL.
void addLastStnDate(Routines& routines);

}  // namespace DBKernel::Schema
