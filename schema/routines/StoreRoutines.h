#pragma once
// The store's routines, one unit each; StoreRoutines.cpp registers them all.

#include "Core/Database/Routines.h"

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
// The package multipriceproducts: getOrCreateElement(grouppingProductId,
// salePrice, userId, verifyProductClass -> productid, productIndex), the
// element of a multi-price ware that sells at the price, made when none does
// (its article index the ware's and the price in grosze; refused when
// verifyProductClass is 1 and the ware's class fixes "Zmiana ceny" off);
// updateElements(groupIdex), the elements take the grouping row's name, VAT,
// units, class and status; createProductsForStocktaking(linwopisref_par,
// luzytkref_par), every ware's grouping row joins the stocktaking once.
void addMultipriceProducts(Routines& routines);

}  // namespace DBKernel::Schema
