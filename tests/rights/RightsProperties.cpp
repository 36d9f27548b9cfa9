// Each writer's fragment, run on a real store over a generated hierarchy,
// returns exactly the rows the container's own answers (getRights,
// isAccessGranted) say it should, for random containers; a key that is not
// digits and a group of the last level are checked apart.

#include "Core/Database/Query.h"
#include "Modules/Towary/Tools/rights/AccessChecks.h"
#include "Modules/Towary/Tools/rights/GroupRightsSql.h"
#include "tests/rights/RightsFixture.h"

#include <map>
#include <random>
#include <set>
#include <sstream>

using namespace GroupRights::Sql;
using GroupRights::Container;
using GroupRights::Rights;

namespace {

struct Row {
    std::int64_t id;
    std::string index;
    int code;
};

class RightsProperties : public RightsFixture {
protected:
    // Levels of 1, 1, 2, 1 and 1 characters; three departments (one of them
    // "0", so that keys with a leading zero meet the unquoted lists), two
    // children per group down to level 4, one product in every group.
    RightsProperties() {
        settings({.lengths = {1, 1, 2, 1, 1}});
        const std::vector<std::vector<std::string>> segments{{"0", "1", "2"}, {"1", "2"}, {"01", "02"}, {"1", "2"}};
        std::vector<std::string> level{""};
        for (std::size_t depth = 0; depth < segments.size(); ++depth) {
            std::vector<std::string> next;
            for (const auto& parent : level)
                for (const auto& segment : segments[depth]) next.push_back(parent + segment);
            for (const auto& group : next) {
                groups_.push_back(group);
                rows_.push_back({static_cast<std::int64_t>(rows_.size() + 1), group, static_cast<int>(depth + 1)});
                rows_.push_back({static_cast<std::int64_t>(rows_.size() + 1), group, 6});
            }
            level = next;
        }
        DBKernel::TransactionGuard guard(session_);
        for (const auto& row : rows_) addRow(row.id, row.index, row.code);
        guard.commit();
    }

    Container randomContainer() {
        Container container;
        const auto count = std::uniform_int_distribution<int>(0, 6)(random_);
        for (int i = 0; i < count; ++i) {
            std::string key = groups_[std::uniform_int_distribution<std::size_t>(0, groups_.size() - 1)(random_)];
            // Now and then a key the splitter refuses: a level 3 segment cut short.
            if (key.size() >= 4 && random_() % 10 == 0) key = key.substr(0, 3);
            std::string text;
            for (std::size_t right = 0; right < Rights::kCount; ++right)
                text += std::string(random_() % 2 ? "Y" : "N") + (random_() % 2 ? "I" : "O");
            container.setRights(key, Rights::fromText(text));
        }
        return container;
    }

    std::set<std::int64_t> select(const std::string& alias, const std::string& where) const {
        const std::string prefix = alias.empty() ? "" : alias + ".";
        DBKernel::Sql::PreparedQuery query(
            "select " + prefix + "ltowarref id from towar " + alias + " where " + where, session_);
        query.execute();
        std::set<std::int64_t> ids;
        while (query.next()) ids.insert(query["id"].asInt64());
        return ids;
    }

    template <class Predicate>
    std::set<std::int64_t> expected(Predicate predicate) const {
        std::set<std::int64_t> ids;
        for (const auto& row : rows_)
            if (predicate(row)) ids.insert(row.id);
        return ids;
    }

    std::mt19937 random_{20261207};
    std::vector<std::string> groups_;
    std::vector<Row> rows_;
};

bool browsable(const Container& container, const std::string& index) {
    return container.getRights(index)[Rights::browseGroup].granted();
}

// The keys that are the index itself or one of its beginnings.
std::vector<std::string> ancestorKeys(const Container& container, const std::string& index) {
    std::vector<std::string> keys;
    for (const auto& entry : container)
        if (index.starts_with(entry.first)) keys.push_back(entry.first);
    return keys;
}

TEST_F(RightsProperties, EveryWritersRowsAreWhatTheContainerSays) {
    for (int trial = 0; trial < 300; ++trial) {
        const Container container = randomContainer();
        std::string keys;
        for (const auto& entry : container) keys += entry.first + (browsable(container, entry.first) ? "+ " : "- ");
        SCOPED_TRACE("trial " + std::to_string(trial) + ", keys " + keys);
        const std::string alias = trial % 2 ? "t" : "";
        const std::string column = alias.empty() ? "sgrindex" : "t.sgrindex";
        const bool anyGranted = std::any_of(container.begin(), container.end(),
                                            [&](const auto& entry) { return browsable(container, entry.first); });

        for (const auto& row : rows_) {
            const auto ancestors = ancestorKeys(container, row.index);
            ASSERT_EQ(GroupRights::isAccessGranted(container, row.index),
                      container.allRightsGranted() || !ancestors.empty())
                << row.index;
        }

        // The whole condition: what getRights grants, less every subtree of a
        // denied entry (a granted group inside a denied one stays hidden).
        const auto condition = select(alias, getGroupRightsWhereCondition(container, column));
        EXPECT_EQ(condition, expected([&](const Row& row) {
                      const auto ancestors = ancestorKeys(container, row.index);
                      return browsable(container, row.index) &&
                             std::all_of(ancestors.begin(), ancestors.end(),
                                         [&](const std::string& key) { return browsable(container, key); });
                  }));

        // AvailGroups: inside a granted entry's subtree, and not a denied entry itself.
        const auto avail = expected([&](const Row& row) {
            if (container.allRightsGranted()) return true;
            const auto ancestors = ancestorKeys(container, row.index);
            const bool inGranted = std::any_of(ancestors.begin(), ancestors.end(),
                                               [&](const std::string& key) { return browsable(container, key); });
            const bool deniedKey =
                !ancestors.empty() && ancestors.back() == row.index && !browsable(container, row.index);
            return inGranted && !deniedKey;
        });
        EXPECT_EQ(select(alias, "1 = 1" + sqlText(AvailGroups(container, alias))), avail);

        // NotAvailGroups: the rest, when anything is granted.
        const auto notAvail = expected([&](const Row& row) {
            return container.allRightsGranted() || (anyGranted && !avail.contains(row.id));
        });
        EXPECT_EQ(select(alias, "1 = 1" + sqlText(NotAvailGroups(container, alias))), notAvail);

        // Inside a random group: its items when the user may browse it, else
        // the child groups on the way to an entry; with or without a leading " and".
        const auto conjunction = trial % 3 ? wcAnd : wcNone;
        const auto where = [conjunction](const std::string& fragment) {
            return "1 = 1" + std::string(conjunction == wcNone && !fragment.empty() ? " and" : "") + fragment;
        };
        const std::string group =
            trial % 7 == 0 ? "" : groups_[std::uniform_int_distribution<std::size_t>(0, groups_.size() - 1)(random_)];
        // The level below the group, and the length of its indexes.
        const std::map<std::size_t, std::pair<int, std::size_t>> below{
            {0, {1, 1}}, {1, {2, 2}}, {2, {3, 4}}, {4, {4, 5}}, {5, {5, 6}}};
        const auto hierarchy = static_cast<Towar::Hierarchy>(below.at(group.size()).first);
        const std::size_t childLength = below.at(group.size()).second;
        const auto visible = expected([&](const Row& row) {
            if (container.allRightsGranted()) return true;
            return row.code != 6 && row.index.size() == childLength && row.index.starts_with(group) &&
                   std::any_of(container.begin(), container.end(),
                               [&](const auto& entry) { return entry.first.starts_with(row.index); });
        });
        SCOPED_TRACE("group '" + group + "'");
        std::ostringstream visibleText;
        visibleText << VisibleGroups(container, group, alias, conjunction);
        EXPECT_EQ(select(alias, where(visibleText.str())), visible);
        const auto items = expected([&](const Row& row) {
            if (!container.allRightsGranted() && !browsable(container, group)) return visible.contains(row.id);
            return row.index.starts_with(group) &&
                   (row.code == hierarchy || (row.code == 6 && row.index == group));
        });
        EXPECT_EQ(select(alias, where(sqlText(GroupItems(container, group, hierarchy, alias, conjunction)))), items);
    }
}

TEST_F(RightsProperties, AKeyOrGroupIndexThatIsNotDigitsIsRefused) {
    Container letters;
    letters.setRights("0'1", browse(true));
    const std::string refused = "Indeks grupy towarów \"0'1\" może zawierać tylko cyfry.";
    EXPECT_EQ(failure<std::invalid_argument>([&] { sqlText(AvailGroups(letters, "")); }), refused);
    EXPECT_EQ(failure<std::invalid_argument>([&] { sqlText(NotAvailGroups(letters, "")); }), refused);
    EXPECT_EQ(failure<std::invalid_argument>([&] { getGroupRightsWhereCondition(letters, "sgrindex"); }), refused);
    EXPECT_EQ(failure<std::invalid_argument>([&] { sqlText(VisibleGroups(letters, "", "", wcAnd)); }), refused);
    const std::string index = "0'1";
    const Container empty;
    EXPECT_EQ(failure<std::invalid_argument>([&] { sqlText(GroupItems(empty, index, Towar::tcSektor, "", wcAnd)); }),
              refused);
}

TEST_F(RightsProperties, OnTheLastLevelNoGroupLeadsFurther) {
    Container entry;
    entry.setRights("1", browse(false));
    EXPECT_TRUE(select("", "1 = 1" + sqlText(VisibleGroups(entry, "112021", "", wcAnd))).empty());
}

}  // namespace
