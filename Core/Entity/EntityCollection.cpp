#include "Core/Entity/EntityCollection.h"

namespace Core::Entity {

void throwAlreadyRemoved() { throw std::logic_error("Trying to remove an already removed element."); }

void throwNotInCollection() { throw std::logic_error("Trying to remove an element the collection does not hold."); }

}  // namespace Core::Entity
