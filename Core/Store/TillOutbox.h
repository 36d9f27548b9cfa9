#pragma once
// Files the store sends its cash registers, written into its outbox for the
// tills (Core::Store::tillOutbox()).

#include <filesystem>
#include <functional>
#include <ostream>
#include <string>

namespace Core::Store {

// Writes the outbox file `name` whole or not at all (Core::AtomicFile), the
// outbox made when missing; `write` fills the stream, whose numbers are
// written in the classic locale. Returns the file's path.
std::filesystem::path writeTillOutboxFile(const std::string& name, const std::function<void(std::ostream&)>& write);

}  // namespace Core::Store
