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
// The procedures of package UPRAWNIENIADOGRUPTOWAROW: MODYFIKUJUPRAWNIENIAUZYTK
// and MODYFIKUJUPRAWNIENIAGRUPY store an owner's rights for a group index
// (refUzytkownika or refGrupyUzytk, indeksGrupy, upr: the 14-character text,
// "Y"/"N" granted and "I"/"O" inherited per right) as the codes of table
// uzytkgrouprights; ZNISZCZUPRAWNIENIAUZYTK and ZNISZCZUPRAWNIENIAGRUPY remove
// the owner's entry for the index. An unknown owner, an empty index or a
// malformed text is refused in Polish.
void addGroupRights(Routines& routines);

}  // namespace DBKernel::Schema
