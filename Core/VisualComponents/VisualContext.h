#pragma once
// Core::IVisualContext: the window a piece of work was started from, which
// owns the boxes and viewers it shows.

namespace Core {

class IVisualContext {
public:
    virtual ~IVisualContext() = default;
};

}  // namespace Core
