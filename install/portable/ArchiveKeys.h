// The archive's names that the installer reads in plain text, shared with
// the archive builder so that both spell them alike. (The names it keeps
// scrambled are in InstallerTexts.txt.)
#pragma once

namespace ArchiveKeys {

// The name of the shortcuts to the main program.
constexpr const char* kMainLinkName = "MAINLINKNAME";

// The uninstall entry: its title, its subkey's name, and the file names of
// the main program (its icon) and of the uninstaller in the product folder.
constexpr const char* kUninstallDisplayName = "UNINSTALL:DISPLAYNAME";
constexpr const char* kUninstallKeyName = "UNINSTALL:KEYNAME";
constexpr const char* kUninstallProgramName = "UNINSTALL:EXENAME";
constexpr const char* kUninstallerName = "UNINSTALL:UNINSTALLEXE";

// The two groups of files with fixed names: into the product folder, and
// into {local application data}\{company}.
constexpr const char* kApplicationDataGroup = "APPLICATIONDATA";
constexpr const char* kLocalApplicationDataGroup = "APPLICATIONDATA1";

// Present (with any value) when the finish screen shows the sale banner,
// the image entry below.
constexpr const char* kSaleBanner = "SALEBANNER";
constexpr const char* kSaleBannerEntry = "SALEBANNER_IMG";

}  // namespace ArchiveKeys
