#include "tools/pgrtool/InstallerNames.h"

#include <map>

#include "tools/pgrtool/PgrBuilder.h"
#include "tools/pgrtool/TextTable.h"

extern const char kInstallerTextTable[];

namespace {

class TextLookup {
  public:
    TextLookup() {
        for (auto& [identifier, text] : ParseTextTable(kInstallerTextTable))
            m_texts.emplace(identifier, text);
    }

    std::string operator()(const std::string& identifier) const {
        const auto found = m_texts.find(identifier);
        if (found == m_texts.end())
            throw PgrBuildError("the installer's text table has no " + identifier);
        return found->second;
    }

  private:
    std::map<std::string, std::string> m_texts;
};

InstallerNames ReadInstallerNames() {
    const TextLookup text;
    InstallerNames names;
    names.copy = {text("DataFileKey"),      text("GroupListKey"), text("SubdirectoryListKey"), text("CompanyKey"),
                  text("ProductKey"),       text("EntryField"),   text("TargetField"),         text("FlagField"),
                  text("MainProgramGroup"), text("SystemGroup")};
    names.registry = {text("RegistryItemKey"), text("RegistryTypeKey"), text("RegistryDataKey"),
                      text("RegistryNumberWord"), text("RegistryTextWord")};
    names.freeSpaceKey = text("FreeSpaceKey");
    names.secondFreeSpaceKey = text("SecondFreeSpaceKey");
    names.bannerEntry = text("BannerEntry");
    names.welcomeEntry = text("WelcomeDocumentEntry");
    return names;
}

}  // namespace

const InstallerNames& TheInstallerNames() {
    static const InstallerNames names = ReadInstallerNames();
    return names;
}
