#pragma once
// What a user is told of a failure. The layers' exceptions keep their
// technical texts for programmers (a DatabaseError names the engine's reason
// and the statement); this is the one place that turns those a user can
// cause (a store busy with another command, one that may only be read, a
// full disk, a refused write) into Polish words saying what happened and
// what to do. The technical text goes to the debug log (Core::Debug).

#include <exception>
#include <string>

namespace Core {

// The text for the user: the translation of a database or file-system
// failure, or the exception's own text, which the module and the host write
// in Polish.
std::string userMessage(const std::exception& error);

}  // namespace Core
