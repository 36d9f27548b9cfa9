#pragma once
// TValidateException: a form's field refused by a validator. It carries the
// message and the offending field, so that the form can focus it (and the
// terminal host name it).

#include "Core/Export.h"
#include "Core/System/Sysutils.h"
#include "Core/VisualComponents/TCustomEdit.h"

#include <string>

namespace Core::VisualComponents {

class TOWARY_EXPORT TValidateException : public Sysutils::Exception {
public:
    TValidateException(const std::string& message, const TCustomEdit* control)
        : Sysutils::Exception(message), control_(control) {}
    // Defined in Core, so that the type is the same one in every library.
    ~TValidateException() override;

    // The field that holds the refused value; null when the refusal names none.
    const TCustomEdit* control() const { return control_; }

private:
    const TCustomEdit* control_;
};

}  // namespace Core::VisualComponents

using Core::VisualComponents::TValidateException;
