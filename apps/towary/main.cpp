// towary: the back-office host of the product-tools module, for a terminal
// and for scripts. Every command works on one store directory.

#include "Core/Database/RefPool.h"
#include "Core/Database/SqlTrace.h"
#include "Core/Debug/Debug.h"
#include "Core/Firma/Site.h"
#include "Core/MeasureUnits/AvailMeasureUnits.h"
#include "Core/Setup/Setup.h"
#include "Core/Store/StoreLocation.h"
#include "Core/Payments/FormyPlatnosci.h"
#include "Core/Firma/CompanyDao.h"
#include "Core/Products/CommissionGroupDao.h"
#include "Core/Products/PluDiscountDao.h"
#include "Core/Products/ProductActivityStatuses.h"
#include "Core/ReturnReasons/ReturnReasonDao.h"
#include "Core/ReturnReasons/ReturnReasonsToTills.h"
#include "Core/User/User.h"
#include "Core/UserMessage.h"
#include "Core/Vat/AvailVatRates.h"
#include "Core/tools/SystemError.h"
#include "apps/towary/Command.h"
#include "apps/towary/HelpFormatter.h"
#include "apps/towary/JsonDialogs.h"
#include "apps/towary/ModuleLoader.h"
#include "apps/towary/NumberArgument.h"
#include "apps/towary/StoreCreation.h"
#include "apps/towary/TerminalDialogs.h"
#include "apps/towary/UsageErrors.h"
#include "apps/towary/register/VatConfigurationSender.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <iostream>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>

namespace {

constexpr int kDone = 0;
constexpr int kFailed = 1;
constexpr int kBadUsage = 2;

// Output that did not reach its reader (a full disk, a broken device) makes
// the command fail: a script must not take a cut-off result for the whole.
void finishOutput() {
    errno = 0;
    std::cout.flush();
    if (!std::cout || std::fflush(stdout) != 0 || std::ferror(stdout) != 0)
        throw std::runtime_error("Nie można zapisać wyniku polecenia na standardowe wyjście: " +
                                 (errno != 0 ? Core::systemErrorText(errno) : std::string("błąd zapisu")) + ".");
}

// Under --dialogs json the command's printed result is a line of the stream
// too, sent at each flush and when it ends.
void runJsonJob(const Towary::Host::Context& context, Towary::Host::JsonDialogs& json) {
    Towary::Host::JsonOutputBuffer buffer(json);
    std::ostream out(&buffer);
    try {
        context.job(out);
    } catch (...) {
        out.flush();
        throw;
    }
    out.flush();
    json.event({{"type", "end"}, {"ok", true}});
}

using AddCommands = void (*)(CLI::App&, Towary::Host::Context&);

// The groups of commands, each by the names it adds to the command line, in
// the order the help lists them; a group of several names stands once per
// name, its rows next to each other.
constexpr std::pair<std::string_view, AddCommands> kCommandGroups[] = {
    {"init", Towary::Host::addInitCommand},
    {"actions", Towary::Host::addActionsCommand},
    {"demo", Towary::Host::addDemoCommand},
    {"find", Towary::Host::addFindCommand},
    {"generate", Towary::Host::addGenerateCommand},
    {"products", Towary::Host::addProductsCommands},
    {"settings", Towary::Host::addSettingsCommands},
    {"sql", Towary::Host::addSqlCommand},
    {"migrate", Towary::Host::addMigrateCommand},
    {"index", Towary::Host::addIndexCommands},
    {"price", Towary::Host::addPriceCommands},
    {"evening", Towary::Host::addEveningCommand},
    {"plu", Towary::Host::addPluCommands},
    {"rights", Towary::Host::addRightsCommand},
    {"scale", Towary::Host::addScaleCommands},
    {"status", Towary::Host::addStatusCommands},
    {"conditions", Towary::Host::addConditionsCommands},
    {"multiprice", Towary::Host::addMultipriceCommands},
    {"rules", Towary::Host::addRulesCommands},
    {"order", Towary::Host::addOrderCommands},
    {"lists", Towary::Host::addClassificationCommands},
    {"stock", Towary::Host::addClassificationCommands},
    {"ordering", Towary::Host::addClassificationCommands},
    {"labels", Towary::Host::addLabelsCommands},
    {"register", Towary::Host::addRegisterCommands},
    {"reasons", Towary::Host::addReasonsCommands},
    {"commission", Towary::Host::addCommissionCommands},
    {"vat", Towary::Host::addVatCommands},
    {"name", Towary::Host::addNameCommands},
    {"users", Towary::Host::addUsersCommands},
    {"serve", Towary::Host::addServeCommand},
};

// The name the command line starts with: its first word that is neither an
// option nor the value of one of the main command's options.
std::string_view commandName(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        const std::string_view word = argv[i];
        if (word == "--dialogs" || word == "--user")
            ++i;
        else if (!word.starts_with("-"))
            return word;
    }
    return {};
}

// Adds only the group the command line names: a script pays the parser's
// making on every call, and all the groups together cost a light command a
// tenth of its start-up. Without a known name (none, help, a typo) every
// group is added, for the help's list and CLI11's message.
void addCommandGroups(CLI::App& app, Towary::Host::Context& context, int argc, char** argv) {
    const auto name = commandName(argc, argv);
    const auto named = std::find_if(std::begin(kCommandGroups), std::end(kCommandGroups),
                                    [name](const auto& group) { return group.first == name; });
    if (named != std::end(kCommandGroups)) return named->second(app, context);
    AddCommands added = nullptr;
    for (const auto& [groupName, add] : kCommandGroups)
        if (add != added) (added = add)(app, context);
}

}  // namespace

int main(int argc, char** argv) {
    using namespace Towary::Host;

    CLI::App app("towary: narzędzia towarowe zaplecza sklepu", "towary");
    // The options of the main command are taken after the command's name too: towary vat plan DIR --yes.
    app.fallthrough();
    app.require_subcommand(1);
    Context context;
    bool yes = false;
    bool no = false;
    bool debugLog = false;
    int userRef = Core::User::kDefaultUserRef;
    app.add_flag("--yes", yes, "odpowiada „tak” na każde pytanie");
    app.add_flag("--no", no, "odpowiada „nie” na każde pytanie")->excludes("--yes");
    std::string dialogs = "terminal";
    app.add_option("--dialogs", dialogs,
                   "terminal (domyślnie) albo json: każdy komunikat i pytanie jako wiersz JSON na standardowym wyjściu, "
                   "każda odpowiedź jako wiersz JSON na standardowym wejściu (dla serwera WWW)")
        ->check(CLI::IsMember({"terminal", "json"}))
        ->excludes("--yes", "--no");
    app.add_flag("--debug-log", debugLog, "zapisuje dziennik diagnostyczny w katalogu dzienników sklepu");
    std::string traceSql;
    app.add_flag("--trace-sql{statements}", traceSql,
                 "zapisuje każdą instrukcję SQL w dzienniku sklepu (log/sql-trace.log); --trace-sql=plan dodaje plan "
                 "wykonania")
        ->check(CLI::Validator(
            [](std::string& value) {
                return value == "statements" || value == "plan"
                           ? std::string()
                           : "--trace-sql przyjmuje tylko wartość plan (--trace-sql=plan), podano " + value + ".";
            },
            "", "trace"));
    app.add_option("--user", userRef, "identyfikator użytkownika, na którego zapisuje się pracę (domyślnie 1, "
                                      "administrator)")
        ->check(numberArgument<int>("Identyfikator użytkownika", 0, false,
                                    std::pair{1, static_cast<int>(DBKernel::kLastRef)}));

    addCommandGroups(app, context, argc, argv);
    usePolishHelp(app);

    try {
        app.parse(argc, argv);
    } catch (const CLI::CallForHelp& e) {
        return app.exit(e);
    } catch (const CLI::ParseError& e) {
        std::cerr << usageMessage(e, app);
        return kBadUsage;
    }

    // Made before anything can fail, so that a failure reaches the reader as a line of its stream.
    const auto json = dialogs == "json" ? std::make_shared<JsonDialogs>(std::cin, std::cout) : nullptr;
    try {
        if (context.storeRequired) {
            Core::Store::setDirectory(context.store);
            if (debugLog) Core::Debug::enableLogging(Core::Store::logDirectory() / "debug.log");
            if (!traceSql.empty()) {
                const auto log = Core::Store::logDirectory() / "sql-trace.log";
                DBKernel::SqlTrace::start(DBKernel::SqlTrace::appendingTo(log), traceSql == "plan");
            }
        }
        if (context.storeRequired && !context.newStore) checkStoreFinished();
        Core::User::instance().setUserRef(userRef);
        std::optional<bool> answer;
        if (yes || no) answer = yes;
        if (json)
            Core::setDialogs(json);
        else
            Core::setDialogs(std::make_shared<TerminalDialogs>(std::cin, std::cout, std::cerr,
                                                               isatty(STDIN_FILENO) != 0, answer));
        Core::SetupRegistration setup;  // the store's settings file, for the module and the commands
        Firma::SiteRegistration site;   // the store the host runs for, named by its settings
        Core::ImplRegistration<Vat::AvailVatRates> vatRates;          // read from the store when first used
        Core::ImplRegistration<Core::AvailMeasureUnits> measureUnits;  // likewise
        Core::ImplRegistration<Platnosci::FormyPlatnosci> paymentForms;  // likewise
        Core::ImplRegistration<Core::ProductActivityStatuses> activityStatuses;  // likewise
        const Core::Token pluDiscountDao = Orvel::Products::registerPluDiscountDao();  // special prices' storage
        const Core::Token companyDao = Orvel::Dao::registerCompanyDao();  // companies and their attributes
        const Core::Token returnReasonDao = ReturnReasons::registerReturnReasonDao();  // the return reasons
        const Core::Token commissionGroupDao = Towar::registerCommissionGroupDao();     // the commission groups
        // The tills' communication: the return reasons as a file in the store's outbox for the tills.
        const Core::Token returnReasonsToTills = ReturnReasons::registerSendReturnReasonsToTills();
        const Core::Token vatSender = registerVatConfigurationSender();    // the tills' VAT configuration, as files
        ModuleLoader module(ModuleLoader::defaultLibrary());
        if (json) {
            runJsonJob(context, *json);
        } else {
            context.job(std::cout);
            finishOutput();
        }
        return kDone;
    } catch (const std::exception& e) {
        if (json) {
            json->event({{"type", "end"}, {"ok", false}, {"text", Core::userMessage(e)}});
            return kFailed;
        }
        std::cout.flush();
        std::cerr << "towary: " << Core::userMessage(e) << '\n';
        return kFailed;
    }
}
