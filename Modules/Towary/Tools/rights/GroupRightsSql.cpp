#include "Modules/Towary/Tools/rights/GroupRightsSql.h"

#include "Core/tools/Digits.h"
#include "Core/tools/Utf8.h"
#include "Modules/Towary/Tools/index/GroupIndexSplitter.h"

#include <boost/algorithm/string/join.hpp>

#include <algorithm>
#include <set>
#include <stdexcept>
#include <vector>

namespace GroupRights::Sql {
namespace {

std::string columnPrefix(const std::string& alias) { return alias.empty() ? std::string() : alias + "."; }

bool granted(const Container& container, const std::string& key) {
    return container.getRights(key)[Rights::browseGroup].granted();
}

void requireDigitKeys(const Container& container) {
    for (const auto& entry : container) requireDigitIndex(entry.first);
}

void writeConjunction(std::ostream& out, WithConjuction conjunction) {
    if (conjunction == wcAnd) out << " and";
}

// The granted subtrees of a container, each by its topmost granted key, and
// the denied keys after the first granted one, both in key order: what
// AvailGroups and NotAvailGroups write.
struct Subtrees {
    std::vector<std::string> granted;
    std::vector<std::string> denied;
};

Subtrees subtrees(const Container& container) {
    Subtrees result;
    for (const auto& [key, entry] : container) {
        if (!granted(container, key)) {
            if (!result.granted.empty()) result.denied.push_back(key);
        } else if (result.granted.empty() || !key.starts_with(result.granted.back())) {
            result.granted.push_back(key);
        }
    }
    return result;
}

}  // namespace

void requireDigitIndex(const std::string& index) {
    if (!Core::allDigits(index))
        throw std::invalid_argument("Indeks grupy towarów \"" + index + "\" może zawierać tylko cyfry.");
}

VisibleGroups::VisibleGroups(const Container& container, const std::string& groupIndex, const std::string& alias,
                             WithConjuction conjunction)
    : container_(container), groupIndex_(groupIndex), prefix_(columnPrefix(alias)), conjunction_(conjunction) {}

void VisibleGroups::toStream(std::ostream& out) const {
    if (container_.allRightsGranted()) return;
    requireDigitIndex(groupIndex_);
    requireDigitKeys(container_);
    std::set<std::string> children;
    const Towar::GroupIndexSplitter splitter;
    unsigned int length = 0;
    if (splitter.nextLevelLength(groupIndex_, length)) {
        for (const auto& entry : container_) {
            // A malformed key still leads through the ancestors cut before its fault.
            Towar::GroupIndexSplitter::Parts parts;
            splitter.incSplit(entry.first, parts);
            for (const auto& part : parts)
                if (Core::Utf8::length(part) == length && part.starts_with(groupIndex_)) children.insert(part);
        }
    }
    writeConjunction(out, conjunction_);
    if (!children.empty())
        out << " (bycode <> 6 /*tcTowar*/ and " << prefix_ << "sgrindex in ('"
            << boost::algorithm::join(children, "', '") << "'))";
    else
        out << " " << prefix_ << "sgrindex like ''";
}

std::ostream& operator<<(std::ostream& out, const VisibleGroups& groups) {
    groups.toStream(out);
    return out;
}

AvailGroups::AvailGroups(const Container& container, const std::string& alias)
    : container_(container), prefix_(columnPrefix(alias)) {}

void AvailGroups::toStream(std::ostream& out) const {
    if (container_.allRightsGranted()) return;
    requireDigitKeys(container_);
    const auto found = subtrees(container_);
    if (found.granted.empty()) {
        out << " and 1=0";
        return;
    }
    out << " and (" << prefix_ << "sgrindex like '" << found.granted.front();
    for (std::size_t i = 1; i < found.granted.size(); ++i)
        out << "%' or " << prefix_ << "sgrindex like '" << found.granted[i];
    out << "%" << "')";
    if (!found.denied.empty())
        out << " and " << prefix_ << "sgrindex not in (" << boost::algorithm::join(found.denied, ", ") << ")";
}

NotAvailGroups::NotAvailGroups(const Container& container, const std::string& alias)
    : container_(container), prefix_(columnPrefix(alias)) {}

void NotAvailGroups::toStream(std::ostream& out) const {
    if (container_.allRightsGranted()) return;
    requireDigitKeys(container_);
    const auto found = subtrees(container_);
    if (found.granted.empty()) {
        out << " and 1=0";
        return;
    }
    const std::string indent = "\t\t\t";
    out << indent << "and exists (select 1 from dual where (\n\t" << indent << prefix_ << "sgrindex not like '"
        << found.granted.front();
    for (std::size_t i = 1; i < found.granted.size(); ++i)
        out << "%'\n\t" << indent << "and " << prefix_ << "sgrindex not like '" << found.granted[i];
    out << "%')";
    if (!found.denied.empty())
        out << "\n\t" << indent << "or " << prefix_ << "sgrindex in (" << boost::algorithm::join(found.denied, ", ")
            << ")";
    out << " )";
}

GroupItems::GroupItems(const Container& container, const std::string& groupIndex, Towar::Hierarchy hierarchy,
                       const std::string& alias, WithConjuction conjunction)
    : container_(container), groupIndex_(groupIndex), hierarchy_(hierarchy), alias_(alias), conjunction_(conjunction) {}

void GroupItems::toStream(std::ostream& out) const {
    if (!container_.allRightsGranted() && !granted(container_, groupIndex_)) {
        VisibleGroups(container_, groupIndex_, alias_, conjunction_).toStream(out);
        return;
    }
    requireDigitIndex(groupIndex_);
    const std::string prefix = columnPrefix(alias_);
    writeConjunction(out, conjunction_);
    out << " " << prefix << "sgrindex like '" << groupIndex_ << "%' and (" << prefix
        << "bycode = " << static_cast<int>(hierarchy_) << " or (" << prefix << "bycode = 6 /* Towar::Article */ and "
        << prefix << "sgrindex = '" << groupIndex_ << "'))";
}

std::string getGroupRightsWhereCondition(const Container& container, const std::string& column) {
    requireDigitKeys(container);
    std::string condition = std::string("((") + (container.allRightsGranted() ? "1 = 1 " : "1 = 0 ");
    for (const auto& entry : container)
        if (granted(container, entry.first)) condition += "or " + column + " like '" + entry.first + "%' ";
    condition += ") and 1 = 1 ";
    for (const auto& entry : container)
        if (!granted(container, entry.first)) condition += "and " + column + " not like '" + entry.first + "%' ";
    return condition + ") ";
}

}  // namespace GroupRights::Sql
