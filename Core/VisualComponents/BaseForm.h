#pragma once
// FormKernel::IBaseForm: a form of the host, the owner of the boxes an action
// shows for it. An action argument that is no form gets no boxes.

#include "Core/IUnknown.h"

namespace FormKernel {

class IBaseForm : public virtual Core::IUnknown {};

}  // namespace FormKernel
