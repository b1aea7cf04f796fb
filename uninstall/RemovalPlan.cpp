#include "uninstall/RemovalPlan.h"

#include <algorithm>

namespace {

// In removal order; directories come last and reversed.
constexpr RecordKind kKindOrder[] = {RecordKind::Link, RecordKind::File, RecordKind::Key, RecordKind::EmptyKey};

std::string ItemName(const RecordItem& item) {
    return item.root.empty() ? item.path : item.root + "\\" + item.path;
}

std::string JoinedNames(const std::vector<std::string>& names) {
    std::string joined;
    for (const std::string& name : names)
        joined += (joined.empty() ? "" : ", ") + name;
    return joined;
}

const char* OutcomeReason(RemovalOutcome outcome) {
    switch (outcome) {
    case RemovalOutcome::InUse:
        return "it is in use by another program";
    case RemovalOutcome::ReadOnly:
        return "it is read-only";
    case RemovalOutcome::Refused:
        return "you are not allowed to remove it";
    default:
        return "the system refused";
    }
}

}  // namespace

std::vector<RecordItem> RemovalOrder(const InstallRecord& record) {
    std::vector<RecordItem> order;
    for (RecordKind kind : kKindOrder)
        std::copy_if(record.items.begin(), record.items.end(), std::back_inserter(order),
                     [kind](const RecordItem& item) { return item.kind == kind; });
    std::copy_if(record.items.rbegin(), record.items.rend(), std::back_inserter(order),
                 [](const RecordItem& item) { return item.kind == RecordKind::Directory; });
    return order;
}

bool IsLeftOver(RemovalOutcome outcome) {
    return outcome != RemovalOutcome::Removed && outcome != RemovalOutcome::AlreadyGone;
}

std::string LeftoverLine(const Leftover& leftover) {
    const std::string name = ItemName(leftover.item);
    if (leftover.outcome == RemovalOutcome::NotEmpty)
        return "Kept " + name + ", which holds files that were not installed: " + JoinedNames(leftover.strangers);
    return "Could not remove " + name + ": " + OutcomeReason(leftover.outcome);
}

bool WorthListing(const Leftover& leftover) {
    return leftover.outcome != RemovalOutcome::NotEmpty || !leftover.strangers.empty();
}

std::string FinalReport(const std::string& product, const std::vector<Leftover>& leftovers) {
    std::string lines;
    for (const Leftover& leftover : leftovers)
        if (WorthListing(leftover))
            lines += "\n" + LeftoverLine(leftover);
    if (lines.empty())
        return product + " has been removed from this computer.";
    return product + " has been removed from this computer, except for what is listed here:" + lines;
}
