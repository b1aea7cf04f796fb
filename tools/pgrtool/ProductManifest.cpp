#include "tools/pgrtool/ProductManifest.h"

#include <algorithm>
#include <climits>
#include <cstring>
#include <map>
#include <set>

#include "install/portable/ArchiveKeys.h"
#include "install/portable/InstallRecord.h"
#include "pgr/DisplayInfo.h"
#include "pgr/MemPGR.h"
#include "tools/pgrtool/FileIo.h"
#include "tools/pgrtool/InstallerNames.h"
#include "tools/pgrtool/ManifestFields.h"

namespace {

enum class Place { Product, System, LocalAppData };

struct ProductFile {
    std::string where;  // the file's place in the manifest, such as files[2]
    std::string source;
    std::vector<uint8_t> content;
    Place place = Place::Product;
    std::string subdirectory;  // below the product folder, parts joined with '\'
    std::string name;
    bool compress = true;
    bool mainProgram = false;
};

struct Product {
    std::string company, product, linkName, uninstallName, uninstallKey;
    std::vector<uint8_t> banner, welcome, saleBanner;
    bool hasSaleBanner = false;
    std::vector<ProductFile> files;
    std::vector<RegistryItem> registry;
};

// Windows keeps these names for devices, with any extension.
bool IsDeviceName(std::string name) {
    name = UpperCaseName(name.substr(0, name.find('.')));
    static const std::set<std::string> kDevices = {"CON", "PRN", "AUX", "NUL"};
    if (kDevices.count(name))
        return true;
    return name.size() == 4 && (name.rfind("COM", 0) == 0 || name.rfind("LPT", 0) == 0) && name[3] >= '1' &&
           name[3] <= '9';
}

// A name the installer can give a file or folder on any Windows.
void CheckFileName(const std::string& name, const std::string& where) {
    if (name.empty())
        throw PgrBuildError(where + " is empty");
    for (const char c : name)
        if (static_cast<unsigned char>(c) < 0x20 || std::string("<>:\"/\\|?*").find(c) != std::string::npos)
            throw PgrBuildError(where + ": \"" + name + "\" holds a character Windows does not allow in a name");
    if (name.back() == '.' || name.back() == ' ')
        throw PgrBuildError(where + ": \"" + name + "\" ends with a dot or a space, which Windows drops");
    if (IsDeviceName(name))
        throw PgrBuildError(where + ": \"" + name + "\" is the name of a device on Windows");
}

std::string FileNameOf(const std::string& path) {
    const size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// "product", "product/Sub/Folder", "system" or "local_app_data".
void ReadDestination(const std::string& to, const std::string& where, ProductFile& file) {
    if (to == "system") {
        file.place = Place::System;
        return;
    }
    if (to == "local_app_data") {
        file.place = Place::LocalAppData;
        return;
    }
    if (to != "product" && to.rfind("product/", 0) != 0)
        throw PgrBuildError(where + ": unknown destination \"" + to +
                            "\"; say \"product\", \"product/FOLDER\", \"system\" or \"local_app_data\"");
    file.place = Place::Product;
    if (to == "product")
        return;
    const std::string folders = to.substr(std::string("product/").size());
    for (size_t start = 0;;) {
        const size_t slash = folders.find('/', start);
        const std::string part = folders.substr(start, slash - start);
        CheckFileName(part, where + ": a folder of \"" + to + "\"");
        file.subdirectory += (file.subdirectory.empty() ? "" : "\\") + part;
        if (slash == std::string::npos)
            return;
        start = slash + 1;
    }
}

ProductFile ReadProductFile(const json& item, const std::string& where, const std::string& folder,
                            CodePageConverter& codePage) {
    ProductFile file;
    file.where = where;
    const std::string source = RequiredString(item, "source", where);
    file.source = SourcePath(folder, source);
    file.content = ReadWholeFile(file.source);
    file.name = codePage.FromUtf8(OptionalString(item, "name", FileNameOf(source), where), where + ".name");
    CheckFileName(file.name, where + ".name");
    ReadDestination(codePage.FromUtf8(OptionalString(item, "to", "product", where), where + ".to"), where + ".to",
                    file);
    file.compress = OptionalFlag(item, "compress", true, where);
    file.mainProgram = OptionalFlag(item, "main_program", false, where);
    if (file.mainProgram && (file.place != Place::Product || !file.subdirectory.empty()))
        throw PgrBuildError(where + ": the main program must go to \"product\" itself");
    return file;
}

RegistryItem ReadRegistryItem(const json& item, const std::string& where, CodePageConverter& codePage) {
    RegistryItem value;
    value.name = RequiredText(item, "name", where, codePage);
    if (value.name.empty())
        throw PgrBuildError(where + ".name is empty");
    if (item.contains("number") == item.contains("text"))
        throw PgrBuildError(where + ": give either \"number\" or \"text\"");
    if (item.contains("text")) {
        value.kind = RegistryValueKind::Text;
        value.data = RequiredText(item, "text", where, codePage);
        return value;
    }
    const json& number = item["number"];
    if (!number.is_number_integer() || number.get<int64_t>() < INT32_MIN || number.get<int64_t>() > INT32_MAX)
        throw PgrBuildError(where + ".number must be a whole number from -2147483648 to 2147483647");
    value.kind = RegistryValueKind::Number;
    value.data = std::to_string(number.get<int64_t>());
    return value;
}

std::string RequiredName(const json& manifest, const char* field, CodePageConverter& codePage) {
    const std::string name = RequiredText(manifest, field, "manifest", codePage);
    CheckFileName(name, field);
    return name;
}

Product ReadProduct(const json& manifest, const std::string& folder, const std::string& uninstallerPath) {
    RejectUnknownFields(manifest,
                        {"codepage", "company", "product", "link_name", "uninstall_name", "uninstall_key", "banner",
                         "welcome", "sale_banner", "files", "registry"},
                        "manifest");
    CodePageConverter codePage(CodePageOf(manifest));
    Product product;
    product.company = RequiredName(manifest, "company", codePage);
    product.product = RequiredName(manifest, "product", codePage);
    const std::string fullName = product.company + " " + product.product;
    product.linkName =
        codePage.FromUtf8(OptionalString(manifest, "link_name", product.product, "manifest"), "link_name");
    CheckFileName(product.linkName, "link_name");
    product.uninstallName =
        codePage.FromUtf8(OptionalString(manifest, "uninstall_name", fullName, "manifest"), "uninstall_name");
    product.uninstallKey =
        codePage.FromUtf8(OptionalString(manifest, "uninstall_key", fullName, "manifest"), "uninstall_key");
    CheckFileName(product.uninstallKey, "uninstall_key");
    product.banner = ReadWholeFile(SourcePath(folder, RequiredString(manifest, "banner", "manifest")));
    product.welcome = ReadWholeFile(SourcePath(folder, RequiredString(manifest, "welcome", "manifest")));
    product.hasSaleBanner = manifest.contains("sale_banner");
    if (product.hasSaleBanner)
        product.saleBanner = ReadWholeFile(SourcePath(folder, RequiredString(manifest, "sale_banner", "manifest")));
    ForEachItem(manifest, "files", {"source", "name", "to", "compress", "main_program"},
                [&](const json& item, const std::string& where) {
                    product.files.push_back(ReadProductFile(item, where, folder, codePage));
                });
    if (product.files.empty())
        throw PgrBuildError("\"files\" lists no file to install");
    if (!uninstallerPath.empty()) {
        ProductFile uninstaller;
        uninstaller.where = "the uninstaller " + uninstallerPath;
        uninstaller.source = uninstallerPath;
        uninstaller.content = ReadWholeFile(uninstallerPath);
        uninstaller.name = kUninstallerFileName;
        product.files.push_back(std::move(uninstaller));
    }
    ForEachItem(manifest, "registry", {"name", "number", "text"}, [&](const json& item, const std::string& where) {
        product.registry.push_back(ReadRegistryItem(item, where, codePage));
    });
    return product;
}

// Windows compares names without regard to case.
std::string DestinationKey(const ProductFile& file) {
    return std::to_string(static_cast<int>(file.place)) + "\\" + UpperCaseName(file.subdirectory) + "\\" +
           UpperCaseName(file.name);
}

// A file of that name in that folder below the product folder.
ProductFile InProductFolder(const std::string& subdirectory, const std::string& name) {
    ProductFile file;
    file.subdirectory = subdirectory;
    file.name = name;
    return file;
}

// Each subdirectory, its parents first, in the order the files name them.
std::vector<std::string> Subdirectories(const Product& product) {
    std::vector<std::string> subdirectories;
    for (const ProductFile& file : product.files) {
        for (size_t end = 0; !file.subdirectory.empty() && end != std::string::npos;) {
            end = file.subdirectory.find('\\', end + 1);
            const std::string path = file.subdirectory.substr(0, end);
            if (std::find(subdirectories.begin(), subdirectories.end(), path) == subdirectories.end())
                subdirectories.push_back(path);
        }
    }
    return subdirectories;
}

// What would make two files one, a folder one with a file, or a folder's
// records one with a group's.
void CheckDestinations(const Product& product) {
    std::map<std::string, std::string> taken;  // destination key, the manifest's place
    taken[DestinationKey(InProductFolder("", kInstallRecordName))] = "the installer's own record";
    for (const ProductFile& file : product.files) {
        const auto [at, fresh] = taken.emplace(DestinationKey(file), file.where);
        if (!fresh)
            throw PgrBuildError(file.where + " goes where " + at->second + " goes: \"" + file.name + "\"");
    }
    const CopyKeyNames& names = TheInstallerNames().copy;
    const std::set<std::string> groups = {names.mainProgramGroup, names.systemGroup, ArchiveKeys::kApplicationDataGroup,
                                          ArchiveKeys::kLocalApplicationDataGroup};
    std::map<std::string, std::string> spellings;  // upper-case, as first written
    for (const std::string& subdirectory : Subdirectories(product)) {
        const std::string upper = UpperCaseName(subdirectory);
        if (groups.count(upper))
            throw PgrBuildError("the folder \"" + subdirectory + "\" has a name the installer keeps for a group");
        const auto [at, fresh] = spellings.emplace(upper, subdirectory);
        if (!fresh)
            throw PgrBuildError("the folders \"" + at->second + "\" and \"" + subdirectory +
                                "\" differ only in case, which Windows makes one folder");
        const size_t slash = subdirectory.find_last_of('\\');
        const ProductFile asFile = InProductFolder(slash == std::string::npos ? "" : subdirectory.substr(0, slash),
                                                   subdirectory.substr(slash + 1));
        if (taken.count(DestinationKey(asFile)))
            throw PgrBuildError(taken[DestinationKey(asFile)] + " is a file where the folder \"" + subdirectory +
                                "\" must be");
    }
    if (std::count_if(product.files.begin(), product.files.end(), [](const ProductFile& f) { return f.mainProgram; }) >
        1)
        throw PgrBuildError("more than one file is marked as the main program");
}

// Whole clusters, as the files take them on disk, rounded up to megabytes.
int64_t MegabytesFor(const Product& product, bool (*counted)(const ProductFile&)) {
    constexpr int64_t kCluster = 4096, kMegabyte = 1048576;
    int64_t bytes = 0;
    for (const ProductFile& file : product.files)
        if (counted(file))
            bytes += (static_cast<int64_t>(file.content.size()) + kCluster - 1) / kCluster * kCluster;
    return (bytes + kMegabyte - 1) / kMegabyte;
}

// The archive's entry of the product's index-th file, counted from 1 there.
constexpr char kFileEntryPrefix[] = "FILE";
std::string FileEntryName(size_t index) {
    return kFileEntryPrefix + std::to_string(index + 1);
}
size_t FileIndexOf(const std::string& entry) {
    return std::stoul(entry.substr(strlen(kFileEntryPrefix))) - 1;
}

class ArchiveWriter {
  public:
    explicit ArchiveWriter(PgrBuilder& builder) : m_builder(builder) {}

    void Key(const std::string& name, const std::string& value) { m_builder.AddKey({name, value, true, true}); }

    void Entry(const std::string& name, std::vector<uint8_t> content, bool compress) {
        m_builder.AddEntry({name, std::move(content), compress, true});
    }

  private:
    PgrBuilder& m_builder;
};

std::string GroupOf(const ProductFile& file) {
    const CopyKeyNames& names = TheInstallerNames().copy;
    switch (file.place) {
    case Place::Product:
        return file.subdirectory.empty() ? names.mainProgramGroup : UpperCaseName(file.subdirectory);
    case Place::System:
        return names.systemGroup;
    case Place::LocalAppData:
        return ArchiveKeys::kLocalApplicationDataGroup;
    }
    return {};
}

void WriteArchive(const Product& product, int64_t required, int64_t secondRequired, PgrBuilder& builder) {
    const InstallerNames& names = TheInstallerNames();
    const CopyKeyNames& copy = names.copy;
    ArchiveWriter out(builder);
    out.Entry(names.bannerEntry, product.banner, false);
    out.Entry(names.welcomeEntry, product.welcome, true);
    if (product.hasSaleBanner)
        out.Entry(ArchiveKeys::kSaleBannerEntry, product.saleBanner, false);
    for (size_t i = 0; i < product.files.size(); i++)
        out.Entry(FileEntryName(i), product.files[i].content, product.files[i].compress);

    out.Key(ArchiveKeys::kMainLinkName, product.linkName);
    out.Key(names.freeSpaceKey, std::to_string(required));
    out.Key(names.secondFreeSpaceKey, std::to_string(secondRequired));
    out.Key(ArchiveKeys::kUninstallDisplayName, product.uninstallName);
    out.Key(ArchiveKeys::kUninstallKeyName, product.uninstallKey);
    for (const ProductFile& file : product.files)
        if (file.mainProgram)
            out.Key(ArchiveKeys::kUninstallProgramName, file.name);
    out.Key(ArchiveKeys::kUninstallerName, kUninstallerFileName);
    for (const RegistryItem& item : product.registry) {
        out.Key(names.registry.itemKey, item.name);
        out.Key(names.registry.typeKey,
                item.kind == RegistryValueKind::Number ? names.registry.numberWord : names.registry.textWord);
        out.Key(names.registry.dataKey, item.data);
    }
    if (product.hasSaleBanner)
        out.Key(ArchiveKeys::kSaleBanner, "1");
    out.Key(copy.companyKey, product.company);
    out.Key(copy.productKey, product.product);

    // Groups first, then subdirectories; within each, one entry's records
    // follow each other, as the installer reads them in step.
    std::vector<std::string> groups;
    for (const ProductFile& file : product.files)
        if (file.subdirectory.empty() && std::find(groups.begin(), groups.end(), GroupOf(file)) == groups.end())
            groups.push_back(GroupOf(file));
    for (const std::string& group : groups)
        out.Key(copy.groupListKey, group);
    const std::vector<std::string> subdirectories = Subdirectories(product);
    for (const std::string& subdirectory : subdirectories)
        out.Key(copy.subdirectoryListKey, subdirectory);
    std::vector<std::string> qualifiers = groups;
    for (const std::string& subdirectory : subdirectories)
        qualifiers.push_back(UpperCaseName(subdirectory));
    for (const std::string& qualifier : qualifiers) {
        for (size_t i = 0; i < product.files.size(); i++) {
            const ProductFile& file = product.files[i];
            if (GroupOf(file) != qualifier)
                continue;
            out.Key(qualifier + ":" + copy.entryField, FileEntryName(i));
            out.Key(qualifier + ":" + copy.targetField, file.name);
            if (qualifier == copy.mainProgramGroup)
                out.Key(qualifier + ":" + copy.flagField, file.mainProgram ? "Y" : "N");
        }
    }
}

// The folders of a 64-bit Windows running the installer, with the longest
// user name Windows allows: a path too long here is too long at the user's.
InstallFolders LongestDefaultFolders() {
    InstallFolders folders;
    folders.startMenu = "C:\\ProgramData\\Microsoft\\Windows\\Start Menu\\Programs";
    folders.installRoot = "C:\\Program Files (x86)";
    folders.system = "C:\\Windows\\SysWOW64";
    folders.localAppData = "C:\\Users\\" + std::string(20, 'u') + "\\AppData\\Local";
    folders.desktop = "C:\\Users\\Public\\Desktop";
    return folders;
}

// The installer holds each file whole while it writes it: its stored bytes,
// and its inflated bytes too when it is compressed, beside the archive, which
// lies in its own program image. scripts/limits-bench found a 32-bit
// installer on 64-bit Windows (large-address-aware, so 4 GB of address space)
// to install a stored file of 1536 MiB from an archive of as much, 3 GiB in
// all, and to run out with 1900 MiB; 32-bit Windows gives half.
constexpr int64_t kInstallerMemory = 3LL << 30;

void CheckInstallerMemory(int64_t archiveBytes, const CopyPlan& plan, const Product& product) {
    for (const EntryCopy& entry : plan.entries) {
        const ProductFile& file = product.files[FileIndexOf(entry.entry)];
        const int64_t held = entry.storedSize + (file.compress ? static_cast<int64_t>(file.content.size()) : 0);
        if (archiveBytes + held > kInstallerMemory)
            throw PgrBuildError(file.where + " needs " + std::to_string(held >> 20) + " MiB held whole beside the " +
                                std::to_string(archiveBytes >> 20) + " MiB archive, more than the " +
                                std::to_string(kInstallerMemory >> 20) +
                                " MiB the installer has under 64-bit Windows; make it smaller or split it");
    }
}

// The installer's own reading of the archive, before anything is written:
// what it would refuse at the user's is refused here.
void CheckAsTheInstallerReadsIt(const std::vector<uint8_t>& bytes, const Product& product) {
    CMemPGR reader(bytes.data(), static_cast<uint32_t>(bytes.size()), DisplayInfo{0, 768, 1024});
    if (reader.ReadFile() != 0)
        throw PgrBuildError("the archive just built does not read back");
    const CopyPlanResult result = ReadCopyPlan(reader, TheInstallerNames().copy, LongestDefaultFolders(), "C:\\");
    switch (result.problem) {
    case CopyPlanProblem::None:
        return CheckInstallerMemory(static_cast<int64_t>(bytes.size()), result.plan, product);
    case CopyPlanProblem::PathTooLong:
        throw PgrBuildError("the installed path " + result.subject + " is longer than Windows allows (" +
                            std::to_string(kMaxFilePathLength) + " characters)");
    case CopyPlanProblem::ShortcutTooLong:
        throw PgrBuildError("the shortcut " + result.subject + " is longer than Windows allows; shorten link_name");
    default:
        throw PgrBuildError("the installer would refuse the archive: " + result.subject);
    }
}

// What the manifest says, read and checked, with the uninstaller unless its
// path is empty.
Product ReadCheckedProduct(const std::string& manifestPath, const std::string& uninstallerPath) {
    Product product = ReadProduct(ReadManifestObject(manifestPath), FolderOf(manifestPath), uninstallerPath);
    CheckDestinations(product);
    return product;
}

ProductFile* MainProgram(Product& product) {
    for (ProductFile& file : product.files)
        if (file.mainProgram)
            return &file;
    return nullptr;
}

}  // namespace

std::string MainProgramSource(const std::string& manifestPath) {
    try {
        Product product = ReadCheckedProduct(manifestPath, "");
        const ProductFile* main = MainProgram(product);
        return main ? main->source : "";
    } catch (const PgrBuildError& e) {
        throw PgrBuildError(manifestPath + ": " + e.what());
    }
}

ProductArchive BuildProductArchive(const std::string& manifestPath, const std::string& uninstallerPath,
                                   const std::string& mainProgramCopy) {
    try {
        Product product = ReadCheckedProduct(manifestPath, uninstallerPath);
        if (!mainProgramCopy.empty()) {
            ProductFile* main = MainProgram(product);
            if (!main)
                throw PgrBuildError("no file is marked as the main program, so there is none to replace");
            main->content = ReadWholeFile(mainProgramCopy);
        }
        ProductArchive archive;
        archive.requiredMegabytes = MegabytesFor(product, [](const ProductFile&) { return true; });
        archive.secondRequiredMegabytes =
            MegabytesFor(product, [](const ProductFile& f) { return f.place != Place::Product; });
        archive.fileCount = product.files.size();
        PgrBuilder builder;
        WriteArchive(product, archive.requiredMegabytes, archive.secondRequiredMegabytes, builder);
        archive.bytes = builder.Build();
        CheckAsTheInstallerReadsIt(archive.bytes, product);
        return archive;
    } catch (const PgrBuildError& e) {
        throw PgrBuildError(manifestPath + ": " + e.what());
    }
}
