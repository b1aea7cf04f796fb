// The names the installer looks up in an archive: keys, fields, groups and
// entries. Those it keeps scrambled come from its own text table, carried in
// this tool; the plain ones from the header both share.
#pragma once

#include <string>

#include "install/portable/CopyPlan.h"
#include "install/portable/RegistryRules.h"

struct InstallerNames {
    CopyKeyNames copy;
    RegistryKeyNames registry;
    std::string freeSpaceKey;        // megabytes needed on the installation's drive
    std::string secondFreeSpaceKey;  // and the second requirement, checked on the chosen root's
    std::string bannerEntry;
    std::string welcomeEntry;
};

// Read once. Throws PgrBuildError when the table lacks one of them.
const InstallerNames& TheInstallerNames();
