#include "apps/towary/evening/EveningRun.h"

#include "Core/Action/ActionContainer.h"
#include "Core/Database/TSessionHolder.h"
#include "Core/EveningProcessing/EveningProcessingAction.h"
#include "Core/Log/TxtLogger.h"
#include "Core/Setup/Setup.h"
#include "Core/Singleton/SingletonImplHolder.h"
#include "Core/UserMessage.h"
#include "Core/tools/DayNumber.h"
#include "Core/tools/IgnoringCase.h"
#include "Core/tools/ListText.h"

#include <ctime>
#include <exception>
#include <iomanip>
#include <memory>
#include <ostream>
#include <sstream>
#include <cerrno>
#include <stdexcept>

namespace Towary::Host {
namespace {

using Clock = std::chrono::steady_clock;

// Writes each line of the log to the stream after the local date and time,
// keeping the system's reason when the first line fails.
class StampedLogWriter : public Core::CLogWriter {
public:
    StampedLogWriter(std::ostream& out, int& error) : out_(out), error_(error) {}

    void write(std::string_view line) override {
        const std::time_t now = std::time(nullptr);
        std::tm local{};
        localtime_r(&now, &local);
        const bool wasGood = out_.good();
        errno = 0;
        out_ << std::put_time(&local, "%Y-%m-%d %H:%M:%S") << ' ' << line << '\n';
        out_.flush();  // a run cut short keeps its log up to the cut
        // The reason is read here: the steps' work after the failure changes errno.
        if (wasGood && !out_ && error_ == 0) error_ = errno != 0 ? errno : EIO;
    }

private:
    std::ostream& out_;
    int& error_;
};

// The GUID as it was registered. A GUID is a hexadecimal number, so a store
// may list it in either letter case.
std::string registeredSpelling(const std::string& guid) {
    for (const auto& registration : Core::Action::CContainer::instance().registrations())
        if (Core::equalsIgnoringCase(registration.guid, guid)) return registration.guid;
    return guid;
}

// The step behind a GUID; throws with a message for the log when there is none.
std::shared_ptr<EveningProcessing::OdczytWieczornyAction> stepOf(const std::string& guid) {
    auto step = std::dynamic_pointer_cast<EveningProcessing::OdczytWieczornyAction>(
        Core::Action::CContainer::instance().get(registeredSpelling(guid)));
    if (!step) throw std::runtime_error("Akcja " + guid + " nie jest krokiem odczytu wieczornego.");
    return step;
}

}  // namespace

std::vector<std::string> listedEveningSteps() {
    const auto text = Core::SingletonImplHolder::get<Core::CSetup>()
                          .GetRootKey()
                          .GetSubKey({"Parametry programu", "Odczyt wieczorny", "Kroki"})
                          .GetVal<std::string>();
    return Core::splitList(text, "\n;,", Core::EmptyItems::drop);
}

EveningRun::EveningRun(int processingDay, std::ostream& log, EveningProcessing::RunMode mode)
    : processingDay_(processingDay), log_(log), mode_(mode) {}

std::vector<StepReport> EveningRun::run(const std::vector<std::string>& guids, const Progress& progress,
                                        const Finished& finished) const {
    logError_ = 0;
    StampedLogWriter writer(log_, logError_);
    Core::CTxtLogger logger(writer);
    logger.logHeader("Odczyt wieczorny, dzień " + Core::DayNumber::toText(processingDay_) +
                     (mode_ == EveningProcessing::RunMode::fire ? ", na żądanie" : "") +
                     ", kroków: " + std::to_string(guids.size()));
    const TSessionHolder session = TSessionHolder::open();
    const auto arguments = std::make_shared<EveningProcessing::RunArguments>(
        session, processingDay_, [&logger](const std::string& text) { logger.logLine(text); }, mode_);

    std::vector<StepReport> reports;
    for (const auto& guid : guids) {
        // A step whose log is lost would leave no record of what it changed: the run stops at the first lost line.
        if (logError_ != 0) break;
        const auto number = reports.size() + 1;
        if (progress) progress(number, guids.size(), guid);
        logger.logHeader("Krok " + std::to_string(number) + "/" + std::to_string(guids.size()) + ": " + guid);
        StepReport report{guid, StepReport::Outcome::failed, 0, {}};
        const auto start = Clock::now();
        try {
            DBKernel::TransactionGuard transaction(session);
            const auto result = Core::interface_cast<EveningProcessing::StepResult>(stepOf(guid)->execute(arguments));
            transaction.commit();
            if (!result->message().empty()) logger.logLine(result->message());
            report.status = result->status();
            report.outcome = !result->executed() ? StepReport::Outcome::skipped
                             : result->failed()  ? StepReport::Outcome::failed
                                                 : StepReport::Outcome::done;
        } catch (const std::exception& e) {
            logger.logError(Core::userMessage(e));
        } catch (...) {
            logger.logError("Nieznany błąd.");
        }
        report.time = Clock::now() - start;
        logger.logLine(std::string("Wynik: ") + outcomeText(report.outcome) + ", status " +
                       std::to_string(report.status) + ", " + secondsText(report.time));
        reports.push_back(report);
        if (finished) finished(number, report);
    }
    logger.logHeader("Koniec odczytu wieczornego.");
    return reports;
}

const char* outcomeText(StepReport::Outcome outcome) {
    switch (outcome) {
        case StepReport::Outcome::done: return "wykonany";
        case StepReport::Outcome::skipped: return "pominięty";
        case StepReport::Outcome::failed: return "błąd";
    }
    return "";
}

std::string secondsText(std::chrono::duration<double> time) {
    std::ostringstream text;
    text << std::fixed << std::setprecision(3) << time.count() << " s";
    return text.str();
}

}  // namespace Towary::Host
