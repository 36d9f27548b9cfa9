#include "Core/Database/Schema.h"

namespace DBKernel::Schema {

// Raise it with every change of routines.sql beside this file: a server keeps
// the version of the routines it runs, and a build defines its own only over
// older ones (docs/database.md).
int postgresqlRoutinesVersion() { return 2; }

}  // namespace DBKernel::Schema
