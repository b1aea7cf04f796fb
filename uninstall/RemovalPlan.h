// What the uninstaller does with a record, and what it tells the user
// afterwards: the order of removal, and the words for whatever stayed.
#pragma once

#include <string>
#include <vector>

#include "install/portable/InstallRecord.h"

// Shortcuts first, so that none is left pointing at a removed program; then
// files, the product's keys, the keys made on the way, and last the
// directories, deepest first, since each goes only once it is empty.
std::vector<RecordItem> RemovalOrder(const InstallRecord& record);

enum class RemovalOutcome {
    Removed,
    AlreadyGone,  // removed by someone else meanwhile: nothing left to do
    InUse,        // held open by another program
    ReadOnly,
    Refused,      // the user may not remove it
    NotEmpty,     // a directory or key still holding what was not installed
    Failed,
};

bool IsLeftOver(RemovalOutcome outcome);

struct Leftover {
    RecordItem item;
    RemovalOutcome outcome;
    // For a directory kept: the names in it that the installation did not
    // put there.
    std::vector<std::string> strangers;
};

// One line naming what stayed and why.
std::string LeftoverLine(const Leftover& leftover);

// A directory or key kept only because something listed on its own line
// stayed inside it (or, for a key made on the way, another product's keys)
// tells the user nothing new.
bool WorthListing(const Leftover& leftover);

// The last screen's text: that the product was removed and, when anything
// worth listing stayed, one line for each.
std::string FinalReport(const std::string& product, const std::vector<Leftover>& leftovers);
