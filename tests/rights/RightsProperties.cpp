// Each writer's fragment, run on a real store over a generated hierarchy,
// returns exactly the rows the container's own answers (getRights,
// isAccessGranted) say it should, for random containers; a key that is not
// digits and a group of the last level are checked apart.

#include "Core/Database/Query.h"
#include "Modules/Towary/Tools/rights/AccessChecks.h"
#include "Modules/Towary/Tools/rights/GroupRightsSql.h"
#include "tests/rights/RightsFixture.h"

#include <functional>
#include <map>
#include <random>
#include <set>

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

    std::string randomGroup() {
        return groups_[std::uniform_int_distribution<std::size_t>(0, groups_.size() - 1)(random_)];
    }
    Container randomContainer() {
        Container container;
        const auto count = std::uniform_int_distribution<int>(0, 6)(random_);
        for (int i = 0; i < count; ++i) {
            std::string key = randomGroup();
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
        DBKernel::Sql::OpenedQuery query("select " + prefix + "ltowarref id from towar " + alias + " where " + where,
                                         session_);
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

// What the entries whose key is the index or one of its beginnings say: whether there is any, whether any of them
// grants browsing, whether any denies it, and whether the index is itself an entry that denies it.
struct Ancestry {
    bool any = false, granted = false, denied = false, deniedEntry = false;
};
Ancestry ancestry(const Container& container, const std::string& index) {
    Ancestry found;
    for (const auto& entry : container) {
        if (!index.starts_with(entry.first)) continue;
        const bool browse = browsable(container, entry.first);
        found.any = true;
        (browse ? found.granted : found.denied) = true;
        found.deniedEntry = found.deniedEntry || (entry.first == index && !browse);
    }
    return found;
}

TEST_F(RightsProperties, EveryWritersRowsAreWhatTheContainerSaysAndAKeyThatIsNotDigitsIsRefused) {
    for (int trial = 0; trial < 300; ++trial) {
        const Container container = randomContainer();
        const bool all = container.allRightsGranted();
        std::string keys;
        for (const auto& entry : container) keys += entry.first + (browsable(container, entry.first) ? "+ " : "- ");
        SCOPED_TRACE("trial " + std::to_string(trial) + ", keys " + keys);
        const std::string alias = trial % 2 ? "t" : "";
        const bool anyGranted = std::any_of(container.begin(), container.end(),
                                            [&](const auto& entry) { return browsable(container, entry.first); });
        for (const auto& row : rows_)
            ASSERT_EQ(GroupRights::isAccessGranted(container, row.index), all || ancestry(container, row.index).any)
                << row.index;

        // The whole condition: what getRights grants, less every subtree of a
        // denied entry (a granted group inside a denied one stays hidden).
        EXPECT_EQ(select(alias, getGroupRightsWhereCondition(container, alias.empty() ? "sgrindex" : "t.sgrindex")),
                  expected([&](const Row& row) {
                      return browsable(container, row.index) && !ancestry(container, row.index).denied;
                  }));
        // AvailGroups: inside a granted entry's subtree, and not a denied entry itself; NotAvailGroups: the rest,
        // when anything is granted.
        const auto avail = expected([&](const Row& row) {
            const auto found = ancestry(container, row.index);
            return all || (found.granted && !found.deniedEntry);
        });
        EXPECT_EQ(select(alias, "1 = 1" + sqlText(AvailGroups(container, alias))), avail);
        EXPECT_EQ(select(alias, "1 = 1" + sqlText(NotAvailGroups(container, alias))),
                  expected([&](const Row& row) { return all || (anyGranted && !avail.contains(row.id)); }));

        // Inside a random group: its items when the user may browse it, else
        // the child groups on the way to an entry; with or without a leading " and".
        const auto conjunction = trial % 3 ? wcAnd : wcNone;
        const auto where = [conjunction](const std::string& fragment) {
            return "1 = 1" + std::string(conjunction == wcNone && !fragment.empty() ? " and" : "") + fragment;
        };
        const std::string group = trial % 7 == 0 ? "" : randomGroup();
        // The level below the group, and the length of its indexes.
        const std::map<std::size_t, std::pair<int, std::size_t>> below{
            {0, {1, 1}}, {1, {2, 2}}, {2, {3, 4}}, {4, {4, 5}}, {5, {5, 6}}};
        const auto hierarchy = static_cast<Towar::Hierarchy>(below.at(group.size()).first);
        const std::size_t childLength = below.at(group.size()).second;
        const auto visible = expected([&](const Row& row) {
            return all || (row.code != 6 && row.index.size() == childLength && row.index.starts_with(group) &&
                           std::any_of(container.begin(), container.end(),
                                       [&](const auto& entry) { return entry.first.starts_with(row.index); }));
        });
        SCOPED_TRACE("group '" + group + "'");
        EXPECT_EQ(select(alias, where(sqlText(VisibleGroups(container, group, alias, conjunction)))), visible);
        EXPECT_EQ(select(alias, where(sqlText(GroupItems(container, group, hierarchy, alias, conjunction)))),
                  expected([&](const Row& row) {
                      if (!all && !browsable(container, group)) return visible.contains(row.id);
                      return row.index.starts_with(group) &&
                             (row.code == hierarchy || (row.code == 6 && row.index == group));
                  }));
    }

    // A key or group index that is not digits is refused, and on the last level no group leads further.
    Container letters;
    letters.setRights("0'1", browse(true));
    for (const auto& write : std::vector<std::function<void()>>{
             [&] { sqlText(AvailGroups(letters, "")); }, [&] { sqlText(NotAvailGroups(letters, "")); },
             [&] { getGroupRightsWhereCondition(letters, "sgrindex"); },
             [&] { sqlText(VisibleGroups(letters, "", "", wcAnd)); },
             [] { sqlText(GroupItems(Container(), "0'1", Towar::tcSektor, "", wcAnd)); }})
        EXPECT_EQ(failure<std::invalid_argument>(write), "Indeks grupy towarów \"0'1\" może zawierać tylko cyfry.");

    Container entry;
    entry.setRights("1", browse(false));
    EXPECT_TRUE(select("", "1 = 1" + sqlText(VisibleGroups(entry, "112021", "", wcAnd))).empty());
}

}  // namespace
