#pragma once
// Firma::Site: the store (site) the host runs for, reached through
// Core::SingletonImplHolder (SingletonImplHolder::get<Firma::Site>()). The
// host registers it for the lifetime of a SiteRegistration; its identifier is
// the store setting "Parametry programu / Sklep / Identyfikator", read afresh
// at every call.

#include "Core/Token.h"

#include <string>

namespace Firma {

class Site {
public:
    // The site's identifier text, as the settings give it; throws as a
    // setting lookup does when it is missing or not a text.
    std::string identifier() const;
};

// Registers Site as the implementation of the site singleton while it lives.
class SiteRegistration {
public:
    SiteRegistration();

private:
    Core::Token token_;
};

}  // namespace Firma
