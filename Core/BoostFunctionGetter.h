#pragma once
// Core::IBoostFunction0Getter<T>: an action argument that hands over a
// function producing a T, called when the action needs it (the products
// selected in a list at the moment the action runs).

#include "Core/IUnknown.h"

#include <boost/function.hpp>

namespace Core {

template <class T>
class IBoostFunction0Getter : public virtual IUnknown {
public:
    virtual boost::function<T()> getFunction() const = 0;
};

}  // namespace Core
