#include "Core/IUnknown.h"

namespace Core {

IUnknown::~IUnknown() = default;

std::logic_error castError() {
    return std::logic_error("Error while casting interface Core::IUnknown");
}

void operationNotSupported() {
    throw std::logic_error("Operation not supported.");
}

boost::shared_ptr<IUnknown> toBoost(const IUnknownPtr& object) {
    if (!object) return {};
    // The boost pointer keeps the std owner alive through its deleter.
    return boost::shared_ptr<IUnknown>(object.get(), [keep = object](IUnknown*) mutable { keep.reset(); });
}

IUnknownPtr fromBoost(const boost::shared_ptr<IUnknown>& object) { return toStd(object); }

IUnknownPtr IExecutor::execute(const IUnknownPtr& args) {
    return execute2(toBoost(args));
}

IUnknownPtr IExecutor::execute2(const boost::shared_ptr<IUnknown>&) {
    throw std::logic_error("IExecutor::execute illegal function call.");
}

std::string IExecutor::guid() const {
    operationNotSupported();
}

}  // namespace Core
