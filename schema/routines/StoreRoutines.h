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

}  // namespace DBKernel::Schema
