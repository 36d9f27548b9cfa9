#include "Core/ReturnReasons/ReturnReasonsToTills.h"

#include "Core/Action/ActionContainer.h"
#include "Core/Action/CStatus.h"
#include "Core/ReturnReasons/ReturnReasonDao.h"
#include "Core/Store/StoreLocation.h"
#include "Core/Store/TillOutbox.h"
#include "Core/UserMessage.h"
#include "Core/Xml/WriterBase.h"

#include <exception>

namespace ReturnReasons {
namespace {

constexpr const char* kTillFileName = "ReturnReasons.xml";

class SendReturnReasonsAction : public Core::IExecutor {
public:
    Core::IUnknownPtr execute(const Core::IUnknownPtr&) override {
        try {
            // A session of its own sees what the store has saved, never a window's edits in progress.
            const auto reasons = Orvel::Dao::DaoFactory::instance()
                                     .create<ReturnReasonDao>(ReturnReasonDao::kName)
                                     ->load(TSessionHolder::open({.readOnly = true}), {});
            Core::Store::writeTillOutboxFile(kTillFileName,
                                             [&reasons](std::ostream& out) { writeTillXml(reasons, out); });
            return std::make_shared<Core::CStatus>(Core::CStatus::success());
        } catch (const std::exception& e) {
            return std::make_shared<Core::CStatus>(
                Core::CStatus::failure("Nie wysłano powodów zwrotów do kas: " + Core::userMessage(e)));
        }
    }
};

}  // namespace

std::filesystem::path tillFile() { return Core::Store::tillOutbox() / kTillFileName; }

void writeTillXml(const std::vector<ReturnReason>& reasons, std::ostream& out) {
    Core::Xml::WriterBase xml(out);
    xml.startNode("ReturnReasons");
    for (const auto& reason : reasons) {
        if (reason.deleted) continue;
        xml.startNode("ReturnReason");
        xml.element("Id", reason.id);
        xml.element("Text", reason.text);
        xml.element("Shortcut", reason.shortcut);
        xml.endNode();
    }
    xml.close();
}

Core::Token registerSendReturnReasonsToTills() {
    const Core::SrcInfo source{"Core/ReturnReasons/ReturnReasonsToTills", __LINE__,
                               "registerSendReturnReasonsToTills"};
    return Core::regActionCreator(kSendReturnReasonsGuid, Core::creatorOf<SendReturnReasonsAction>(), source);
}

}  // namespace ReturnReasons
