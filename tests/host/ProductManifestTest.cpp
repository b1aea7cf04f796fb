// Product manifests: what the installer will do with the archive built from
// one (read back with the installer's own rules), and every refusal naming
// its place in the manifest.
#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "install/portable/ArchiveKeys.h"
#include "install/portable/CopyPlan.h"
#include "install/portable/RegistryRules.h"
#include "pgr/ExtractEntry.h"
#include "pgr/MemPGR.h"
#include "tools/pgrtool/InstallerNames.h"
#include "tools/pgrtool/ProductManifest.h"

namespace fs = std::filesystem;

namespace {

const DisplayInfo kDisplay{0, 768, 1024};

class ProductManifest : public ::testing::Test {
  protected:
    void SetUp() override {
        m_dir = fs::temp_directory_path() / ("product-manifest-" + std::to_string(getpid()) + "-" +
                                             ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(m_dir);
        fs::create_directories(m_dir / "docs");
        Write("banner.jpg", "jpeg");
        Write("welcome.txt", "Welcome");
        Write("Chart.exe", std::string(1048577, 'x'));
        Write("docs/guide.txt", "guide");
        Write("codec.dll", "codec");
        Write("defaults.ini", "[grid]");
        Write("Uninstall.exe", "uninstaller");
    }
    void TearDown() override { fs::remove_all(m_dir); }

    void Write(const std::string& name, const std::string& content) {
        std::ofstream(m_dir / name, std::ios::binary) << content;
    }

    ProductArchive Build(const std::string& manifest) {
        Write("product.json", manifest);
        return BuildProductArchive((m_dir / "product.json").string(), (m_dir / "Uninstall.exe").string());
    }

    // The refusal's text, or "built" when there was none.
    std::string Refusal(const std::string& manifest) {
        try {
            Build(manifest);
        } catch (const std::runtime_error& e) {
            return e.what();
        }
        return "built";
    }

    fs::path m_dir;
};

// A manifest with FILES as its files and EXTRA as further fields.
std::string Manifest(const std::string& files, const std::string& extra = "") {
    return R"({"company": "Fernwick", "product": "Chart Studio", "banner": "banner.jpg", "welcome": "welcome.txt",)" +
           extra + R"("files": [)" + files + "]}";
}

const std::string kFullProduct = Manifest(
    R"({"source": "Chart.exe", "main_program": true},
       {"source": "docs/guide.txt", "to": "product/Docs/Guides"},
       {"source": "codec.dll", "to": "system", "compress": false},
       {"source": "defaults.ini", "to": "local_app_data", "name": "settings.ini"})",
    R"("link_name": "Charts", "registry": [{"name": "Units", "text": "cm"}, {"name": "Grid", "number": -1}],)");

TEST_F(ProductManifest, InstallsEachFileWhereTheManifestSays) {
    const ProductArchive archive = Build(kFullProduct);
    CMemPGR reader(archive.bytes.data(), static_cast<uint32_t>(archive.bytes.size()), kDisplay);
    ASSERT_EQ(reader.ReadFile(), 0);
    InstallFolders folders;
    folders.startMenu = "S", folders.installRoot = "P", folders.system = "W", folders.localAppData = "L";
    const CopyPlanResult result = ReadCopyPlan(reader, TheInstallerNames().copy, folders, "I");
    ASSERT_EQ(result.problem, CopyPlanProblem::None) << result.subject;
    std::vector<std::string> destinations;
    for (const EntryCopy& entry : result.plan.entries)
        destinations.push_back(entry.destination + (entry.mainProgram ? " (main)" : ""));
    EXPECT_EQ(destinations, (std::vector<std::string>{
                                "P\\Fernwick\\Chart Studio\\Chart.exe (main)",
                                "P\\Fernwick\\Chart Studio\\Uninstall.exe",
                                "W\\codec.dll",
                                "L\\Fernwick\\settings.ini",
                                "P\\Fernwick\\Chart Studio\\Docs\\Guides\\guide.txt",
                            }));
    EXPECT_EQ(result.plan.subdirectories, (std::vector<std::string>{"Docs", "Docs\\Guides"}));

    const std::vector<RegistryItem> registry = ReadRegistryItems(reader, TheInstallerNames().registry);
    ASSERT_EQ(registry.size(), 2u);
    EXPECT_EQ(registry[0].name, "Units");
    EXPECT_EQ(registry[0].kind, RegistryValueKind::Text);
    EXPECT_EQ(registry[1].kind, RegistryValueKind::Number);
    EXPECT_EQ(RegistryNumber(registry[1].data), 0xFFFFFFFFu);

    EXPECT_STREQ(reader.GetKey(ArchiveKeys::kMainLinkName), "Charts");
    EXPECT_STREQ(reader.GetKey(ArchiveKeys::kUninstallDisplayName), "Fernwick Chart Studio");
    EXPECT_STREQ(reader.GetKey(ArchiveKeys::kUninstallProgramName), "Chart.exe");
    EXPECT_STREQ(reader.GetKey(ArchiveKeys::kUninstallerName), "Uninstall.exe");
    EXPECT_EQ(reader.GetKey(ArchiveKeys::kSaleBanner), nullptr);
    int32_t size = 0;
    EXPECT_GE(reader.FindFile(TheInstallerNames().bannerEntry.c_str(), &size), 0);
    EXPECT_GE(reader.FindFile(TheInstallerNames().welcomeEntry.c_str(), &size), 0);
}

// Every file takes whole 4096-byte clusters: the program's 1 MiB and one
// byte, and four small files, are 1 MiB and 5 clusters, so 2 MB; the two
// outside the product folder take 1 MB.
TEST_F(ProductManifest, WorksOutTheSpaceFromTheInstalledSizes) {
    const ProductArchive archive = Build(kFullProduct);
    EXPECT_EQ(archive.requiredMegabytes, 2);
    EXPECT_EQ(archive.secondRequiredMegabytes, 1);
    EXPECT_EQ(archive.fileCount, 5u);
    CMemPGR reader(archive.bytes.data(), static_cast<uint32_t>(archive.bytes.size()), kDisplay);
    ASSERT_EQ(reader.ReadFile(), 0);
    EXPECT_STREQ(reader.GetKey(TheInstallerNames().freeSpaceKey.c_str()), "2");
    EXPECT_STREQ(reader.GetKey(TheInstallerNames().secondFreeSpaceKey.c_str()), "1");
}

// Signing makes a copy of the main program; the copy is what is packed.
TEST_F(ProductManifest, PacksTheSignedCopyInPlaceOfTheMainProgram) {
    Write("product.json", kFullProduct);
    const std::string manifest = (m_dir / "product.json").string();
    EXPECT_EQ(MainProgramSource(manifest), (m_dir / "Chart.exe").string());
    Write("signed.exe", "signed program");
    const ProductArchive archive =
        BuildProductArchive(manifest, (m_dir / "Uninstall.exe").string(), (m_dir / "signed.exe").string());
    CMemPGR reader(archive.bytes.data(), static_cast<uint32_t>(archive.bytes.size()), kDisplay);
    ASSERT_EQ(reader.ReadFile(), 0);
    const CopyPlanResult result = ReadCopyPlan(reader, TheInstallerNames().copy, InstallFolders{}, "");
    ASSERT_FALSE(result.plan.entries.empty());
    ASSERT_TRUE(result.plan.entries[0].mainProgram);
    const ExtractedEntry main = ExtractEntry(reader, result.plan.entries[0].entry.c_str());
    ASSERT_EQ(main.status, ExtractStatus::Extracted);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(main.data.get()), main.length), "signed program");

    Write("product.json", Manifest(R"({"source": "codec.dll"})"));
    EXPECT_EQ(MainProgramSource(manifest), "");
}

TEST_F(ProductManifest, TheSameManifestGivesTheSameBytes) {
    EXPECT_EQ(Build(kFullProduct).bytes, Build(kFullProduct).bytes);
}

TEST_F(ProductManifest, RefusesWhatTheInstallerWouldFailOnNamingThePlace) {
    const std::string longName(120, 'n');
    const struct {
        std::string manifest;
        std::string refusal;
    } cases[] = {
        {Manifest(R"({"source": "missing.exe"})"), "cannot read"},
        {Manifest(R"({"source": "codec.dll"}, {"source": "defaults.ini", "name": "CODEC.DLL"})"),
         "files[1] goes where files[0] goes"},
        {Manifest(R"({"source": "codec.dll", "name": "Uninstall.exe"})"),
         "goes where files[0] goes: \"Uninstall.exe\""},
        {Manifest(R"({"source": "codec.dll", "name": "InstallRecord.txt"})"), "the installer's own record"},
        {Manifest(R"({"source": "codec.dll", "to": "desktop"})"), "files[0].to: unknown destination \"desktop\""},
        {Manifest(R"({"source": "codec.dll", "to": "product/"})"), "files[0].to: a folder of \"product/\" is empty"},
        {R"({"company": "", "product": "P", "banner": "banner.jpg", "welcome": "welcome.txt", "files": []})",
         "company is empty"},
        {Manifest(R"({"source": "codec.dll"})", R"("product": "Chart Ω",)"), "code page 1252 cannot hold"},
        {Manifest(R"({"source": "codec.dll", "name": "a|b"})"), "files[0].name: \"a|b\" holds a character"},
        {Manifest(R"({"source": "codec.dll", "name": "codec."})"), "ends with a dot or a space"},
        {Manifest(R"({"source": "codec.dll", "name": "aux.dll"})"), "the name of a device"},
        {Manifest(R"({"source": "codec.dll", "to": "product/ProgramFiles"})"), "keeps for a group"},
        {Manifest(R"({"source": "codec.dll", "to": "product/Docs"}, {"source": "defaults.ini", "to": "product/DOCS"})"),
         "differ only in case"},
        {Manifest(R"({"source": "codec.dll", "name": "Docs"}, {"source": "defaults.ini", "to": "product/Docs"})"),
         "files[0] is a file where the folder \"Docs\" must be"},
        {Manifest(R"({"source": "codec.dll", "main_program": true}, {"source": "Chart.exe", "main_program": true})"),
         "more than one file is marked as the main program"},
        {Manifest(R"({"source": "codec.dll", "to": "system", "main_program": true})"),
         "the main program must go to \"product\" itself"},
        {Manifest(R"({"source": "codec.dll", "to": "product/)" + longName + R"(", "name": ")" + longName + R"("})"),
         "is longer than Windows allows"},
        {Manifest(R"({"source": "codec.dll"})", R"("registry": [{"name": "Grid", "number": 1, "text": "1"}],)"),
         "registry[0]: give either \"number\" or \"text\""},
        {Manifest(R"({"source": "codec.dll"})", R"("registry": [{"name": "Grid", "number": 4294967295}],)"),
         "registry[0].number must be a whole number"},
        {Manifest(""), "\"files\" lists no file to install"},
        {Manifest(R"({"source": "codec.dll", "target": "x"})"), "files[0]: unknown field \"target\""},
    };
    for (const auto& c : cases) {
        const std::string refusal = Refusal(c.manifest);
        EXPECT_NE(refusal.find(c.refusal), std::string::npos) << "wanted: " << c.refusal << "\ngot: " << refusal;
        EXPECT_NE(refusal.find("product.json: "), std::string::npos) << refusal;
    }
}

}  // namespace
