// A product manifest says what a product installs and where, in the words of
// the person who packs it: its company and product names, its files with
// their destinations, its registry values. The builder turns it into the
// archive's entries and keys, works out the free space it needs from the
// files' sizes, and refuses, naming the place in the manifest, whatever the
// installer would fail on at the user's.
//
//   {
//     "company": "Fernwick", "product": "Chart Studio",
//     "banner": "art/banner.jpg", "welcome": "welcome.txt",
//     "files": [
//       {"source": "bin/Chart.exe", "main_program": true},
//       {"source": "docs/guide.txt", "to": "product/Docs"},
//       {"source": "chartcodec.dll", "to": "system"},
//       {"source": "defaults.ini", "to": "local_app_data", "name": "settings.ini"}
//     ],
//     "registry": [{"name": "Units", "text": "cm"}, {"name": "Grid", "number": 10}]
//   }
//
// Optional: "codepage" (1252), "link_name" (the product name),
// "uninstall_name" ("{company} {product}", the title in the list of
// programs), "uninstall_key" (the same, the entry's registry key),
// "sale_banner" (an image for the finish screen); per file "name" (the
// source's own), "to" ("product"), "compress" (true), "main_program" (false).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// The uninstaller goes into every product folder under this name.
constexpr const char* kUninstallerFileName = "Uninstall.exe";

struct ProductArchive {
    std::vector<uint8_t> bytes;
    int64_t requiredMegabytes = 0;        // on the drive of the product folder
    int64_t secondRequiredMegabytes = 0;  // for the system and application-data files
    size_t fileCount = 0;                 // the uninstaller included
};

// mainProgramCopy, when given, is packed in place of the main program's
// source: a signed copy of it. Throws PgrBuildError naming the manifest and
// the place of the fault.
ProductArchive BuildProductArchive(const std::string& manifestPath, const std::string& uninstallerPath,
                                   const std::string& mainProgramCopy = "");

// The source file of the one marked as the main program, as the manifest
// resolves it; empty when none is.
std::string MainProgramSource(const std::string& manifestPath);
