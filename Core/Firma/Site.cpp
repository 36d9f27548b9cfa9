#include "Core/Firma/Site.h"

#include "Core/Setup/Setup.h"
#include "Core/Singleton/SingletonImplHolder.h"

namespace Firma {

std::string Site::identifier() const {
    return Core::SingletonImplHolder::get<Core::CSetup>()
        .GetRootKey()
        .GetSubKey({"Parametry programu", "Sklep", "Identyfikator"})
        .GetVal<std::string>();
}

SiteRegistration::SiteRegistration()
    : token_(Core::SingletonImplHolder::holder(typeid(Site)).regImpl(Core::SingletonCreator::of<Site>())) {}

}  // namespace Firma
