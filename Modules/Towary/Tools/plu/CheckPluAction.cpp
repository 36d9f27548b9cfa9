#include "Modules/Towary/Tools/plu/CheckPluAction.h"

#include "Core/Log/TxtLogger.h"
#include "Modules/Towary/Tools/plu/PluReport.h"
#include "Modules/Towary/Tools/plu/PluSearch.h"
#include "Modules/Towary/Tools/plu/UpdatePlu.h"

#include <boost/format.hpp>

#include <stdexcept>

namespace PLU {
namespace {

void logLines(Core::CTxtLogger& logger, const std::vector<std::string>& lines) {
    for (const auto& line : lines) logger.logLine(line);
}

// Applies the command to the codes, then logs how many and which ones the database refused.
void apply(UpdatePlu& command, const PluInfoList& codes, const char* refusedCount, Core::CTxtLogger& logger) {
    command.apply(codes);
    if (command.failed().empty()) return;
    logger.logError((boost::format(refusedCount) % command.failed().size()).str());
    logLines(logger, pluLines(command.failed()));
}

}  // namespace

void CheckPluAction::doExecute() {
    Core::CStringLogWriter writer;
    Core::CTxtLogger logger(writer);
    try {
        const TSessionHolder session = this->session();
        const PluCheckResult result = checkPlu(session);
        if (!result.toDelete.empty()) {
            logger.logHeader("Znalezione błędne kody plu:");
            logLines(logger, pluLines(result.toDelete));
            DeletePlu deletion(session);
            apply(deletion, result.toDelete, "Liczba kodów nieusuniętych z powodu powiązań - %1%", logger);
        }
        if (!result.toCorrect.empty()) {
            logger.logHeader("Znalezione błędne kody plu do poprawy:");
            logLines(logger, pluLines(result.toCorrect));
            RepairPlu repair(session);
            apply(repair, result.toCorrect, "Liczba kodów niepoprawionych z powodu powiązań - %1%", logger);
        }
        if (!result.conflicts.empty()) {
            logger.logHeader("Konflikty do ręcznego rozwiązania:");
            logLines(logger, conflictLines(result.conflicts));
        }
        if (result.nothingToDo()) logger.logHeader("Nie znaleziono błędnych kodów plu.");
        if (!result.notCodes.empty()) {
            logger.logHeader(kNotCodesHeader);
            logLines(logger, notCodeLines(result.notCodes));
        }
    } catch (const std::exception& e) {
        throw std::runtime_error("Błąd poczas usuwania lub poprawiania kodów plu:\n" + std::string(e.what()));
    }
    // The run logs the message as one entry: its last line break would be an empty line there.
    std::string message = writer.text();
    if (!message.empty() && message.back() == '\n') message.pop_back();
    setStatus(EveningProcessing::statusDone, message);
}

}  // namespace PLU
