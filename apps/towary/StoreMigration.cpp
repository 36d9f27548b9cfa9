#include "apps/towary/StoreMigration.h"

#include "Core/Database/DatabaseLocation.h"
#include "Core/Database/Query.h"
#include "Core/Database/RefPool.h"
#include "Core/Database/Session.h"
#include "Core/Database/TSessionHolder.h"
#include "Core/Store/StoreLocation.h"
#include "Core/tools/Beside.h"
#include "Core/tools/IgnoringCase.h"

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <map>
#include <set>
#include <stdexcept>
#include <vector>

namespace Towary::Host {
namespace {

using DBKernel::Sql::PreparedQuery;

constexpr const char* kMovedRefusal =
    "Baza danych sklepu jest już na serwerze (baza.toml); uruchom polecenie ponownie.";

// The store's tables, each after the tables it references, so that every row
// copied finds the rows it names already on the server.
std::vector<std::string> tablesInOrder(const TSessionHolder& store) {
    std::vector<std::string> tables;
    for (const auto& name : store.session().connection().tableNames())
        if (!name.starts_with("sqlite_")) tables.push_back(name);
    std::map<std::string, std::set<std::string>> references;
    for (const auto& table : tables) {
        PreparedQuery keys("select \"table\" from pragma_foreign_key_list(:t)", store);
        keys.Params["t"] = table;
        keys.execute();
        while (keys.next()) references[table].insert(Core::lowerAscii(keys.field(0).asString()));
    }
    std::vector<std::string> ordered;
    std::set<std::string> placed;
    while (ordered.size() < tables.size()) {
        const auto before = ordered.size();
        for (const auto& table : tables) {
            if (placed.contains(Core::lowerAscii(table))) continue;
            const auto& needs = references[table];
            if (std::all_of(needs.begin(), needs.end(), [&](const std::string& other) {
                    return other == Core::lowerAscii(table) || placed.contains(other);
                })) {
                ordered.push_back(table);
                placed.insert(Core::lowerAscii(table));
            }
        }
        if (ordered.size() == before)
            throw std::runtime_error("Tabele bazy danych sklepu odwołują się do siebie w koło; nie można ich przenieść.");
    }
    return ordered;
}

std::int64_t copyTable(const std::string& table, const TSessionHolder& from, const TSessionHolder& to) {
    PreparedQuery rows("select * from " + table, from);
    std::string columns, values;
    for (std::size_t i = 0; i < rows.columnCount(); ++i) {
        columns += (i > 0 ? ", " : "") + rows.columnName(i);
        values += (i > 0 ? ", :" : ":") + rows.columnName(i);
    }
    // What the server's migrations seeded (the statuses, the administrator) gives way to the store's own rows.
    DBKernel::Sql::Command(("delete from " + table), to).execute();
    DBKernel::Sql::Command insert("insert into " + table + " (" + columns + ") values (" + values + ")", to);
    rows.execute();
    std::int64_t copied = 0;
    while (rows.next()) {
        for (std::size_t i = 0; i < rows.columnCount(); ++i) insert.Params[rows.columnName(i)].set(rows.field(i).value());
        insert.execute();
        ++copied;
    }
    return copied;
}

}  // namespace

MigrationCounts migrateStoreToServer(const std::string& server) {
    const auto directory = Core::Store::directory();
    const auto current = DBKernel::DatabaseLocation::ofStore(directory);
    if (current.onServer())
        throw std::runtime_error("Sklep w " + directory.string() + " ma już bazę danych na serwerze (" +
                                 current.text() + ").");
    const auto target = DBKernel::DatabaseLocation::server(server);

    MigrationCounts counts;
    {
        TSessionHolder from(DBKernel::Session::open(current));
        // Nothing else may write the file from here on: the copy holds its write lock until the
        // file refuses every write.
        from.StartTransaction();
        // The server's schema and the rows are one transaction: a failed copy leaves its database empty,
        // rolled back when the session goes.
        TSessionHolder to(DBKernel::Session::create(target));
        std::set<std::string> onServer;
        for (const auto& name : to.session().connection().tableNames()) onServer.insert(Core::lowerAscii(name));
        const auto tables = tablesInOrder(from);
        for (const auto& table : tables) {
            // The one-row table is the server's own; the id pool is the server's sequence, moved below.
            if (Core::equalsIgnoringCase(table, "dual") || Core::equalsIgnoringCase(table, "RefGenerator")) continue;
            if (!onServer.contains(Core::lowerAscii(table)))
                throw std::runtime_error("Tabeli " + table + " sklepu nie ma w schemacie sklepu na serwerze; jej "
                                         "wierszy nie można przenieść. Nic nie przeniesiono.");
            counts.rows += copyTable(table, from, to);
            ++counts.tables;
        }
        DBKernel::Sql::OpenedQuery pool("select lastRef from RefGenerator", from);
        DBKernel::RefPool::instance().reserveThrough(pool.field(0).asInt64(), to);
        to.Commit();
        // A process that opened the file before the move and waits for its lock must not
        // write there once it has it: every table of the file refuses writes from now on.
        std::string refusals;
        for (const auto& table : tables)
            for (const char* event : {"insert", "update", "delete"})
                refusals += "create trigger przeniesiona_" + table + "_" + event + " before " + event + " on " +
                            table + " begin select raise(abort, '" + kMovedRefusal + "'); end;\n";
        from.session().connection().runScript(refusals);
        DBKernel::writeServerFile(directory, server);
        from.Commit();
    }
    const auto file = current.file();
    std::filesystem::rename(file, std::filesystem::path(file).concat(".przeniesiona"));
    Core::syncDirectoryOf(file);
    return counts;
}

}  // namespace Towary::Host
