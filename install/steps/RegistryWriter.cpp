#include "install/steps/RegistryWriter.h"

#include "InstallerTexts.h"
#include "app/ScopedKey.h"
#include "install/portable/ArchiveKeys.h"
#include "install/portable/CopyRules.h"
#include "install/portable/FinishPaths.h"
#include "install/portable/RegistryRules.h"
#include "install/portable/Unscramble.h"
#include "install/steps/InstallerEnd.h"

namespace {

// A key opened with every right, else created with read and write rights;
// created tells which.
bool OpenOrCreate(HKEY parent, const char* name, CScopedKey& key, bool& created) {
    created = false;
    if (RegOpenKeyExA(parent, name, 0, KEY_ALL_ACCESS, key.Receive()) == ERROR_SUCCESS)
        return true;
    DWORD disposition = 0;
    if (RegCreateKeyExA(parent, name, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_READ | KEY_WRITE, nullptr, key.Receive(),
                        &disposition) != ERROR_SUCCESS)
        return false;
    created = disposition == REG_CREATED_NEW_KEY;
    return true;
}

// With its terminator, as the readers of these values expect.
bool SetText(HKEY key, const char* name, const std::string& text) {
    return RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                          static_cast<DWORD>(text.size() + 1)) == ERROR_SUCCESS;
}

bool SetNumber(HKEY key, const char* name, uint32_t number) {
    const DWORD value = number;
    return RegSetValueExA(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value) ==
           ERROR_SUCCESS;
}

bool ValueExists(HKEY key, const char* name) {
    return RegQueryValueExA(key, name, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
}

// False when the item's last registry call failed. Without a product key
// (the base key could not be opened) any item to write fails.
bool WriteItem(HKEY product, const RegistryItem& item) {
    if (item.kind == RegistryValueKind::Neither)
        return true;
    if (!product)
        return false;
    const char* name = item.name.c_str();
    switch (DecideRegistryWrite(item.kind, ValueExists(product, name))) {
    case RegistryWrite::Number:
        return SetNumber(product, name, RegistryNumber(item.data));
    case RegistryWrite::Text:
        return SetText(product, name, item.data);
    case RegistryWrite::Nothing:
        break;
    }
    return true;
}

RegistryKeyNames ItemKeyNames() {
    return {UnscrambleText(Texts::RegistryItemKey), UnscrambleText(Texts::RegistryTypeKey),
            UnscrambleText(Texts::RegistryDataKey), UnscrambleText(Texts::RegistryNumberWord),
            UnscrambleText(Texts::RegistryTextWord)};
}

// Failures of the two path values go unreported: the product runs without
// them.
void WritePathValues(const InstallState& state, HKEY product) {
    const std::string& company = state.names[kNameCompany];
    const std::string& productName = state.names[kNameProduct];
    const std::string startMenu = JoinPath({state.folders[kFolderStartMenu], company, productName});
    const std::string installed = JoinPath({state.folders[kFolderInstallRoot], company, productName});
    if (SetText(product, UnscrambleText(Texts::StartMenuFolderValue), startMenu))
        SetText(product, UnscrambleText(Texts::InstallDirectoryValue), installed);
}

// The product's key goes with the product; a company key made for it only
// when nothing else is left in it.
void RecordProductKeys(InstallState& state, bool companyCreated) {
    const std::string companyKey = JoinPath({UnscrambleText(Texts::RegistryBaseKey), state.names[kNameCompany]});
    if (companyCreated)
        state.record.Add(RecordKind::EmptyKey, companyKey, "HKCU");
    state.record.Add(RecordKind::Key, JoinPath({companyKey, state.names[kNameProduct]}), "HKCU");
}

// False for a fatal failure; every key is closed on return.
bool WriteProductValues(InstallState& state) {
    CScopedKey base, company, product;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, UnscrambleText(Texts::RegistryBaseKey), 0, KEY_READ | KEY_WRITE,
                      base.Receive()) == ERROR_SUCCESS) {
        bool companyCreated = false, productCreated = false;
        const bool opened = OpenOrCreate(base.Get(), state.names[kNameCompany].c_str(), company, companyCreated) &&
                            OpenOrCreate(company.Get(), state.names[kNameProduct].c_str(), product, productCreated);
        if (!opened)
            return false;
        RecordProductKeys(state, companyCreated);
    }
    for (const RegistryItem& item : ReadRegistryItems(*state.archive, ItemKeyNames()))
        if (!WriteItem(product.Get(), item))
            return false;
    WritePathValues(state, product.Get());
    return true;
}

std::string ArchiveValue(CMemPGR& archive, const char* name) {
    const char* value = archive.GetKey(name);
    return value ? value : "";
}

}  // namespace

void WriteProductRegistryValues(InstallState& state) {
    if (!WriteProductValues(state))
        ReportFatal(state.installerWindow, UnscrambleText(Texts::RegistryError));
}

void WriteUninstallEntry(InstallState& state) {
    CMemPGR& archive = *state.archive;
    const std::string displayName = ArchiveValue(archive, ArchiveKeys::kUninstallDisplayName);
    state.record.product = displayName;
    const std::string keyName = ArchiveValue(archive, ArchiveKeys::kUninstallKeyName);
    const std::string exeName = ArchiveValue(archive, ArchiveKeys::kUninstallProgramName);
    const std::string uninstallExe = ArchiveValue(archive, ArchiveKeys::kUninstallerName);
    // An empty name would open the uninstall root itself and write the
    // entry's values there, among every other product's subkeys.
    if (keyName.empty())
        return;
    CScopedKey root, entry;
    bool created = false;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, UnscrambleText(Texts::UninstallRootKey), 0, KEY_READ | KEY_WRITE,
                      root.Receive()) != ERROR_SUCCESS ||
        !OpenOrCreate(root.Get(), keyName.c_str(), entry, created))
        return;
    state.record.Add(RecordKind::Key, JoinPath({UnscrambleText(Texts::UninstallRootKey), keyName}), "HKLM");
    const char* chosenRoot = state.folders[kFolderChosenRoot];
    const std::string& company = state.names[kNameCompany];
    const std::string& product = state.names[kNameProduct];
    SetText(entry.Get(), "DisplayIcon", CommandPath(ProductFilePath(chosenRoot, company, product, exeName)));
    SetText(entry.Get(), "UninstallString", CommandPath(ProductFilePath(chosenRoot, company, product, uninstallExe)));
    SetText(entry.Get(), "DisplayName", displayName);
}
