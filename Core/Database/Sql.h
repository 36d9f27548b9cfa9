#pragma once
// The store database layer in one include: sessions and transaction guards,
// queries and commands, procedures, new ids and SQL text helpers.

#include "Core/Database/DatabaseError.h"
#include "Core/Database/Procedure.h"
#include "Core/Database/Query.h"
#include "Core/Database/RefPool.h"
#include "Core/Database/SQLUtils.h"
#include "Core/Database/TSessionHolder.h"
