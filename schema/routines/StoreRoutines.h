#pragma once
// The store's routines, one unit each; StoreRoutines.cpp registers them all.

#include "Core/Database/Routines.h"

namespace DBKernel::Schema {

// newref: a new id from the store's id generator (the default of new row ids).
void addNewRef(Routines& routines);

}  // namespace DBKernel::Schema
