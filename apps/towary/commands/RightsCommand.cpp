// towary rights show|set|erase|sql DIR OWNER ...: a user's (or, with
// --group-of-users, a user group's) rights over product groups, as the
// back office's user-rights forms keep them, and the SQL conditions the
// product browsers add for a user, for support staff.

#include "Core/Database/Sql.h"
#include "Core/tools/ListText.h"
#include "Modules/Towary/Tools/index/GroupIndexSplitter.h"
#include "Modules/Towary/Tools/index/HierarchyLevels.h"
#include "Modules/Towary/Tools/rights/AccessChecks.h"
#include "Modules/Towary/Tools/rights/GroupRightsSql.h"
#include "Modules/Towary/Tools/rights/Streams.h"
#include "apps/towary/ChoiceArgument.h"
#include "apps/towary/Command.h"
#include "apps/towary/NumberArgument.h"
#include "apps/towary/products/RightsOwners.h"

#include <boost/algorithm/string/join.hpp>

#include <algorithm>
#include <array>
#include <cctype>
#include <memory>
#include <ostream>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

namespace Towary::Host {
namespace {

using GroupRights::Container;
using GroupRights::Rights;

struct RightsOptions {
    std::string owner;
    bool userGroup = false;
    std::string index;
    std::string rights;
    std::string group;  // show --group
    std::string writer = "where";
    std::string alias;
};

// The readable names of the seven rights, in their order: what `set` takes and `show` prints.
const std::array<std::string, Rights::kCount> kNames{"przegladanie", "dodawanie-towaru", "dodawanie-grupy",
                                                     "modyfikacja-towaru", "modyfikacja-grupy", "usuwanie-towaru",
                                                     "usuwanie-grupy"};

std::string ownerName(const RightsOptions& options) {
    return (options.userGroup ? "grupy użytkowników " : "użytkownika ") + options.owner;
}

// The owner's entries; an owner the store does not know is refused, as the store's procedures refuse him.
Container load(const RightsOptions& options, const TSessionHolder& session) {
    Container container;
    const int owner = numberOf<int>(options.owner);
    Products::requireKnownOwner(options.userGroup ? Products::RightsOwner::userGroup : Products::RightsOwner::user,
                                owner, session);
    if (options.userGroup)
        GroupRights::InputStream::forUserGroup(owner, session).containerFromStream(container);
    else
        GroupRights::InputStream(owner, session).containerFromStream(container);
    return container;
}

void save(const Container& container, const RightsOptions& options, const TSessionHolder& session) {
    GroupRights::OutputStream(options.userGroup ? GroupRights::OutputStream::Group : GroupRights::OutputStream::Uzytk,
                              numberOf<int>(options.owner), session)
        .containerToStream(container);
}

// The granted rights by name, "-" for none.
std::string grantedNames(const Rights& rights) {
    std::vector<std::string> names;
    for (std::size_t i = 0; i < Rights::kCount; ++i)
        if (rights[static_cast<Rights::Kind>(i)].granted()) names.emplace_back(kNames[i]);
    return names.empty() ? "-" : boost::algorithm::join(names, ", ");
}

// What `set` takes, for the refusals of a rights text.
std::string rightsHint() {
    return "Uprawnienia to: " + boost::algorithm::join(kNames, ", ") +
           " (albo \"wszystkie\", \"brak\" lub 14 znaków Y/N i I/O).";
}

// The rights as written on the command line: the 14-character text, or the
// names of the granted rights separated by commas ("wszystkie" for all,
// "brak" for none), each then set by the owner himself, not inherited.
Rights parseRights(const std::string& text) {
    if (text.size() == 2 * Rights::kCount && text.find_first_not_of("YNIO") == std::string::npos)
        return Rights::fromText(text);
    Rights rights;
    for (std::size_t i = 0; i < Rights::kCount; ++i) rights[static_cast<Rights::Kind>(i)].inherited(false);
    if (text == "brak") return rights;
    const auto names = Core::splitList(text, ",", Core::EmptyItems::drop);
    // An empty list would silently take every right away; "brak" says so on purpose.
    if (names.empty()) throw std::runtime_error("Nie podano uprawnień. " + rightsHint());
    for (const auto& name : names) {
        bool known = false;
        for (std::size_t i = 0; i < Rights::kCount; ++i) {
            if (name == kNames[i] || name == "wszystkie") {
                rights[static_cast<Rights::Kind>(i)].granted(true);
                known = true;
            }
        }
        if (!known) throw std::runtime_error("Nieznane uprawnienie \"" + name + "\". " + rightsHint());
    }
    return rights;
}

// An entry is kept for a group: the root has none.
void requireGroupIndex(const std::string& index) {
    if (index.empty()) throw std::runtime_error("Nie podano indeksu grupy.");
}

// A group index the store's hierarchy knows: digits that fit the level
// lengths, no deeper than the last level (the splitter ignores what lies past
// it, but the listings' conditions would carry it).
void checkIndex(const std::string& index) {
    GroupRights::Sql::requireDigitIndex(index);
    Towar::GroupIndexSplitter().split(index);
    const auto deepest = static_cast<std::size_t>(Towar::getFullIndexLength(Towar::tcPodrodzina));
    if (index.size() > deepest)
        throw std::runtime_error("Indeks grupy jest za długi: jego długość to " + std::to_string(index.size()) +
                                 ", a indeks grupy ostatniego poziomu hierarchii ma długość " +
                                 std::to_string(deepest) + ".");
}

void show(std::ostream& out, const RightsOptions& options) {
    // Checked before anything is printed: a refused index must not leave the entries half shown.
    if (!options.group.empty()) checkIndex(options.group);
    const Container container = load(options, TSessionHolder());
    if (container.allRightsGranted())
        out << "Uprawnienia " << ownerName(options) << ": brak wpisów, wszystkie uprawnienia do wszystkich grup.\n";
    else
        out << "Uprawnienia " << ownerName(options) << ":\n";
    for (const auto& [index, entry] : container)
        out << "  " << index << "  " << entry.current.text() << "  " << grantedNames(entry.current) << '\n';
    if (!options.group.empty()) {
        const Rights rights = container.getRights(options.group);
        out << "Grupa " << options.group << ": " << rights.text() << "  " << grantedNames(rights)
            << "; w części hierarchii danej użytkownikowi: "
            << (GroupRights::isAccessGranted(container, options.group) ? "tak" : "nie") << ".\n";
    }
}

void set(std::ostream& out, const RightsOptions& options) {
    requireGroupIndex(options.index);
    checkIndex(options.index);
    const Rights rights = parseRights(options.rights);
    TSessionHolder session;
    DBKernel::TransactionGuard guard(session);
    Container container = load(options, session);
    container.setRights(options.index, rights);
    save(container, options, session);
    guard.commit();
    out << "Uprawnienia " << ownerName(options) << " do grupy " << options.index << ": " << rights.text() << "  "
        << grantedNames(rights) << ".\n";
}

void erase(std::ostream& out, const RightsOptions& options) {
    requireGroupIndex(options.index);
    TSessionHolder session;
    DBKernel::TransactionGuard guard(session);
    Container container = load(options, session);
    if (container.begin() == container.end() || container.sortedIndexes().end() ==
                                                    std::find(container.sortedIndexes().begin(),
                                                              container.sortedIndexes().end(), options.index))
        throw std::runtime_error("Uprawnienia " + ownerName(options) + " nie mają wpisu dla grupy " + options.index +
                                 ".");
    container.erase(options.index);
    save(container, options, session);
    guard.commit();
    out << "Usunięto wpis " << options.index << " z uprawnień " << ownerName(options) << ".\n";
}

void sql(std::ostream& out, const RightsOptions& options) {
    using namespace GroupRights::Sql;
    if (!options.index.empty()) checkIndex(options.index);
    const Container container = load(options, TSessionHolder());
    std::ostringstream fragment;
    if (options.writer == "visible") {
        fragment << VisibleGroups(container, options.index, options.alias, wcAnd);
    } else if (options.writer == "avail") {
        AvailGroups(container, options.alias).toStream(fragment);
    } else if (options.writer == "not-avail") {
        NotAvailGroups(container, options.alias).toStream(fragment);
    } else if (options.writer == "items") {
        // The level of the group's sub-groups: departments below the root; the
        // last level has no sub-groups, so its groups show their products only.
        const auto level = static_cast<Towar::TowarCode>(Towar::GroupIndexSplitter().split(options.index).size());
        const auto next = options.index.empty() ? Towar::tcDepartament : Towar::getNextTowarCode(level);
        const auto below = next == Towar::tcBrak ? Towar::tcTowar : next;
        GroupItems(container, options.index, below, options.alias, wcAnd).toStream(fragment);
    } else {
        fragment << getGroupRightsWhereCondition(container, options.alias.empty() ? "sgrindex"
                                                                                  : options.alias + ".sgrindex");
    }
    out << fragment.str() << '\n';
}

void addOwner(CLI::App& command, RightsOptions& options) {
    command.add_option("OWNER", options.owner, "identyfikator użytkownika (z --group-of-users: grupy użytkowników)")
        ->required()
        ->check(numberArgument<int>("Identyfikator właściciela uprawnień", 0, false,
                                    std::pair{1, static_cast<int>(DBKernel::kLastRef)}));
    command.add_flag("--group-of-users", options.userGroup, "uprawnienia grupy użytkowników zamiast użytkownika");
}

}  // namespace

void addRightsCommand(CLI::App& app, Context& context) {
    auto options = std::make_shared<RightsOptions>();
    auto* rights = app.add_subcommand("rights", "uprawnienia użytkowników do grup towarów i warunki SQL, które z nich wynikają");
    rights->require_subcommand(1);
    const auto job = [&context, options](void (*work)(std::ostream&, const RightsOptions&)) {
        return [&context, options, work] { context.job = [options, work](std::ostream& out) { work(out, *options); }; };
    };

    auto* showCommand = rights->add_subcommand("show", "wypisuje wpisy właściciela i uprawnienia w grupie");
    addStoreArgument(*showCommand, context);
    addOwner(*showCommand, *options);
    showCommand->add_option("--group", options->group, "także uprawnienia obowiązujące w grupie o tym indeksie");
    showCommand->callback(job(show));

    auto* setCommand = rights->add_subcommand("set", "ustawia uprawnienia właściciela w grupie INDEX");
    addStoreArgument(*setCommand, context);
    addOwner(*setCommand, *options);
    setCommand->add_option("INDEX", options->index, "indeks grupy")->required();
    setCommand
        ->add_option("RIGHTS", options->rights,
                     "nadane uprawnienia z nazwy, rozdzielone przecinkami (przegladanie, dodawanie-towaru, "
                     "dodawanie-grupy, modyfikacja-towaru, modyfikacja-grupy, usuwanie-towaru, usuwanie-grupy; "
                     "wszystkie; brak), albo 14 znaków: dla każdego uprawnienia Y/N (nadane), potem I/O "
                     "(dziedziczone)")
        ->required();
    setCommand->callback(job(set));

    auto* eraseCommand = rights->add_subcommand("erase", "usuwa wpis właściciela dla grupy INDEX");
    addStoreArgument(*eraseCommand, context);
    addOwner(*eraseCommand, *options);
    eraseCommand->add_option("INDEX", options->index, "indeks grupy")->required();
    eraseCommand->callback(job(erase));

    auto* sqlCommand = rights->add_subcommand("sql", "wypisuje warunek SQL, który dają uprawnienia właściciela");
    addStoreArgument(*sqlCommand, context);
    addOwner(*sqlCommand, *options);
    sqlCommand->add_option("--writer", options->writer, "który warunek (domyślnie where)")
        ->check(choiceArgument("Warunek", {"visible", "avail", "not-avail", "items", "where"}));
    sqlCommand->add_option("--index", options->index, "grupa warunków visible i items (domyślnie korzeń hierarchii)");
    sqlCommand->add_option("--alias", options->alias, "alias tabeli towar w zapytaniu")
        ->check([](const std::string& alias) {
            const bool valid = !alias.empty() && std::isalpha(static_cast<unsigned char>(alias.front())) &&
                               std::all_of(alias.begin(), alias.end(), [](char c) {
                                   return std::isalnum(static_cast<unsigned char>(c)) || c == '_';
                               });
            return valid ? std::string() : "alias \"" + alias + "\" to nie nazwa tabeli w zapytaniu (litery, cyfry, _)";
        });
    sqlCommand->callback(job(sql));
}

}  // namespace Towary::Host
