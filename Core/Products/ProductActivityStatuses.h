#pragma once
// Core::ProductActivityStatuses: the activity statuses a product may have
// (towar.nStatusAktywnosci) with their names, the host's process-wide list
// (Core::SingletonImplHolder::get<Core::ProductActivityStatuses>()). Read from
// the store table statusaktywnosci when the list is first used.

#include "Core/Database/TSessionHolder.h"

#include <string>
#include <vector>

namespace Core {

class ProductActivityStatuses {
public:
    struct Status {
        int id;
        std::string description;
    };

    // The statuses of the current store, read on its main session.
    ProductActivityStatuses();
    // The statuses of the session's store.
    explicit ProductActivityStatuses(TSessionHolder session);

    // Whether the list holds the status.
    bool contains(int status) const { return name(status) != nullptr; }
    // The status's name; nullptr for a value the list does not hold.
    const std::string* name(int status) const;
    // Every status with its name, in the order of their values.
    const std::vector<Status>& getAllStatuses() const { return statuses_; }

private:
    std::vector<Status> statuses_;
};

}  // namespace Core
