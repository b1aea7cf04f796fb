// Removing one recorded item from the disk or the registry, and telling why
// one could not go.
#pragma once

#include <string>
#include <vector>

#include "uninstall/RemovalPlan.h"

RemovalOutcome RemoveItem(const RecordItem& item);

// The names in directory that the record does not list: what the user put
// there after the installation.
std::vector<std::string> Strangers(const std::string& directory, const InstallRecord& record);
