#include <gtest/gtest.h>

#include <climits>
#include <memory>
#include <string>
#include <vector>

#include "install/portable/FinishPaths.h"
#include "install/portable/RegistryRules.h"
#include "pgr/MemPGR.h"
#include "pgr/PgrTransforms.h"
#include "tests/unit/ArchiveFixtures.h"
#include "tools/pgrtool/PgrBuilder.h"

namespace {

const RegistryKeyNames kNames = {"REGITEM", "REGTYPE", "REGDATA", "NUMBER", "TEXT"};

TEST(RegistryRules, TypeWordNamesTheKind) {
    const struct {
        const char* type;
        RegistryValueKind kind;
    } cases[] = {
        {"NUMBER", RegistryValueKind::Number}, {"TEXT", RegistryValueKind::Text},
        {"number", RegistryValueKind::Neither}, {"TEXT ", RegistryValueKind::Neither},
        {"NUM", RegistryValueKind::Neither},    {"", RegistryValueKind::Neither},
        {nullptr, RegistryValueKind::Neither},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ClassifyRegistryType(c.type, kNames), c.kind) << (c.type ? c.type : "(none)");
}

TEST(RegistryRules, TextKeptNumberReplaced) {
    const struct {
        RegistryValueKind kind;
        bool exists;
        RegistryWrite write;
    } cases[] = {
        {RegistryValueKind::Number, false, RegistryWrite::Number},
        {RegistryValueKind::Number, true, RegistryWrite::Number},
        {RegistryValueKind::Text, false, RegistryWrite::Text},
        {RegistryValueKind::Text, true, RegistryWrite::Nothing},
        {RegistryValueKind::Neither, false, RegistryWrite::Nothing},
        {RegistryValueKind::Neither, true, RegistryWrite::Nothing},
    };
    for (const auto& c : cases)
        EXPECT_EQ(DecideRegistryWrite(c.kind, c.exists), c.write)
            << static_cast<int>(c.kind) << " exists " << c.exists;
}

TEST(RegistryRules, NumberReadLikeAtoi) {
    const struct {
        const char* data;
        uint32_t value;
    } cases[] = {
        {"48", 48},          {"  64 bits", 64},    {"+8", 8},
        {"-1", 0xFFFFFFFFu}, {"none", 0},          {"", 0},
        {"99999999999", static_cast<uint32_t>(INT_MAX)},
    };
    for (const auto& c : cases)
        EXPECT_EQ(RegistryNumber(c.data), c.value) << c.data;
}

class RegistryArchive {
  public:
    RegistryArchive& Key(const std::string& name, const std::string& value) {
        m_builder.AddKey({name, value});
        return *this;
    }
    std::vector<RegistryItem> Read() {
        InitNoiseTable();
        m_bytes = m_builder.Build();
        m_reader = std::make_unique<CMemPGR>(m_bytes.data(), static_cast<uint32_t>(m_bytes.size()), kTestDisplay);
        EXPECT_EQ(m_reader->ReadFile(), kPgrOk);
        return ReadRegistryItems(*m_reader, kNames);
    }

  private:
    PgrBuilder m_builder;
    std::vector<uint8_t> m_bytes;
    std::unique_ptr<CMemPGR> m_reader;
};

std::vector<std::string> Described(const std::vector<RegistryItem>& items) {
    std::vector<std::string> lines;
    for (const RegistryItem& item : items)
        lines.push_back(item.name + " " + std::to_string(static_cast<int>(item.kind)) + " [" + item.data + "]");
    return lines;
}

TEST(RegistryRules, ItemsReadAsTriplesInTableOrder) {
    RegistryArchive archive;
    archive.Key("REGITEM", "Depth").Key("REGTYPE", "NUMBER").Key("REGDATA", "48")
        .Key("COMPANYNAME", "Orvalis")  // other keys between triples are passed over
        .Key("REGITEM", "Language").Key("REGTYPE", "TEXT").Key("REGDATA", "English")
        .Key("REGITEM", "Odd").Key("REGTYPE", "FLOAT").Key("REGDATA", "1.5")
        .Key("REGITEM", "Last");  // its type and data are missing
    const std::vector<std::string> expected = {"Depth 0 [48]", "Language 1 [English]", "Odd 2 [1.5]", "Last 2 []"};
    EXPECT_EQ(Described(archive.Read()), expected);
}

TEST(RegistryRules, NoItemsNoValues) {
    RegistryArchive archive;
    archive.Key("COMPANYNAME", "Orvalis");
    EXPECT_TRUE(archive.Read().empty());
}

TEST(FinishPaths, ShortcutAndItsCopies) {
    const ShortcutPaths paths = ShortcutPathsFor("C:\\Menu", "C:\\Desk", "Orvalis", "Image Editor", "Orvalis");
    EXPECT_EQ(paths.link, "C:\\Menu\\Orvalis\\Image Editor\\Orvalis.lnk");
    EXPECT_EQ(paths.desktopCopy, "C:\\Desk\\Orvalis.lnk");
    EXPECT_EQ(paths.startMenuCopy, "C:\\Menu\\Orvalis.lnk");
    EXPECT_EQ(FirstOverlongShortcutPath(paths), "");
    EXPECT_EQ(ProductFilePath("D:\\Apps", "Orvalis", "Image Editor", "Uninstall.exe"),
              "D:\\Apps\\Orvalis\\Image Editor\\Uninstall.exe");
    EXPECT_EQ(CommandPath("C:\\Program Files\\Orvalis\\Uninstall.exe"),
              "\"C:\\Program Files\\Orvalis\\Uninstall.exe\"");
}

TEST(FinishPaths, OverlongPathNamed) {
    // "C:\M\O\P\" and ".lnk" take 13 characters of the link path.
    const struct {
        size_t nameLength;
        bool fits;
    } cases[] = {{246, true}, {247, false}};
    for (const auto& c : cases) {
        const ShortcutPaths paths = ShortcutPathsFor("C:\\M", "C:\\D", "O", "P", std::string(c.nameLength, 'n'));
        EXPECT_EQ(FitsSystemPathBuffer(paths.link), c.fits) << paths.link.size();
        EXPECT_EQ(FirstOverlongShortcutPath(paths), c.fits ? "" : paths.link) << c.nameLength;
    }
    const ShortcutPaths deepDesktop = ShortcutPathsFor("C:\\M", std::string(256, 'd'), "O", "P", "n");
    EXPECT_EQ(FirstOverlongShortcutPath(deepDesktop), deepDesktop.desktopCopy);
}

}  // namespace
