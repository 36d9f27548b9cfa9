#include "Core/Database/Procedure.h"

#include "Core/tools/IgnoringCase.h"

#include <map>
#include <stdexcept>

namespace DBKernel::Sql {
namespace {

bool isInput(ParamDirection direction) {
    return direction == ParamDirection::Input || direction == ParamDirection::InputOutput;
}

Value ofType(const Value& value, FieldType type) {
    if (isNull(value)) return value;
    switch (type) {
        case FieldType::Integer: return toInt64(value);
        case FieldType::Float: return toDouble(value);
        case FieldType::String: return toString(value);
    }
    return value;
}

}  // namespace

// The procedure's view of one call: the declared inputs, the outputs it sets.
class Procedure::Call final : public ProcedureCall {
public:
    explicit Call(Procedure& procedure) : procedure_(procedure) {}

    TSessionHolder& session() override { return procedure_.session_; }

    const Value& in(const std::string& name) const override {
        const auto* declared = procedure_.declared(name);
        if (declared == nullptr || !isInput(declared->direction))
            throw std::runtime_error("Procedura " + procedure_.name_ + " wymaga parametru wejściowego " + name + ".");
        return procedure_.params_[declared->name].value();
    }

    void out(const std::string& name, Value value) override {
        const auto* declared = procedure_.declared(name);
        if (declared != nullptr && declared->direction != ParamDirection::Input)
            outputs_[declared->name] = ofType(value, declared->type);
    }

    const std::map<std::string, Value>& outputs() const { return outputs_; }

private:
    Procedure& procedure_;
    std::map<std::string, Value> outputs_;  // by declared name
};

Procedure::Procedure(std::string name, TSessionHolder session)
    : name_(std::move(name)), session_(std::move(session)), body_(session_.session().routines().procedure(name_)) {}

Param& Procedure::param(const std::string& name, ParamDirection direction, FieldType type) {
    if (declared(name) == nullptr) declared_.push_back(Declared{name, direction, type});
    return params_[name];
}

Param& Procedure::param(const std::string& name) {
    const auto* found = declared(name);
    if (found == nullptr) throw std::logic_error("Procedura " + name_ + ": nie zadeklarowano parametru " + name + ".");
    return params_[found->name];
}

const Procedure::Declared* Procedure::declared(const std::string& name) const {
    for (const auto& declared : declared_)
        if (Core::equalsIgnoringCase(declared.name, name)) return &declared;
    return nullptr;
}

void Procedure::execute() {
    Call call(*this);
    session_.session().atomically("procedura " + name_, [&] { body_(call); });
    for (const auto& declared : declared_) {
        if (declared.direction == ParamDirection::Input) continue;
        const auto found = call.outputs().find(declared.name);
        params_[declared.name].set(found != call.outputs().end() ? found->second : Value{});
    }
}

}  // namespace DBKernel::Sql
