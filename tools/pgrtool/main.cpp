// pgrtool: builds PGR archives from a manifest and the program's scrambled
// texts, and lists, verifies and extracts archives.
#include <CLI/CLI.hpp>

#include <cstdio>
#include <string>

#include "tools/pgrtool/ArchiveCommands.h"
#include "tools/pgrtool/FileIo.h"
#include "tools/pgrtool/Manifest.h"
#include "tools/pgrtool/PayloadSection.h"
#include "tools/pgrtool/PgrBuilder.h"
#include "tools/pgrtool/ProductManifest.h"
#include "tools/pgrtool/TextTable.h"

namespace {

// Later manifests add their entries and keys after those of the earlier ones.
void Pack(const std::vector<std::string>& manifests, const std::string& output) {
    PgrBuilder builder;
    for (const std::string& manifest : manifests)
        LoadManifest(manifest, builder);
    const std::vector<uint8_t> archive = builder.Build();
    WriteFileAtomically(output, archive.data(), archive.size());
    printf("%s: %zu bytes\n", output.c_str(), archive.size());
}

void PackProduct(const std::string& manifest, const std::string& uninstaller, const std::string& mainProgramCopy,
                 const std::string& output) {
    const ProductArchive archive = BuildProductArchive(manifest, uninstaller, mainProgramCopy);
    WriteFileAtomically(output, archive.bytes.data(), archive.bytes.size());
    printf("%s: %zu bytes, %zu files, needing %lld MB (%lld MB of them outside the product folder)\n", output.c_str(),
           archive.bytes.size(), archive.fileCount, static_cast<long long>(archive.requiredMegabytes),
           static_cast<long long>(archive.secondRequiredMegabytes));
}

void ShrinkPayload(const std::string& program) {
    std::vector<uint8_t> image = ReadWholeFile(program);
    try {
        const size_t cut = ShrinkPayloadSection(image);
        WriteFileAtomically(program, image.data(), image.size());
        printf("%s: %zu bytes, %zu of zeros cut out\n", program.c_str(), image.size(), cut);
    } catch (const PgrBuildError& e) {
        throw PgrBuildError(program + ": " + e.what());
    }
}

std::vector<TextTableEntry> LoadTextTable(const std::string& table) {
    const std::vector<uint8_t> bytes = ReadWholeFile(table);
    try {
        return ParseTextTable(std::string(bytes.begin(), bytes.end()));
    } catch (const PgrBuildError& e) {
        throw PgrBuildError(table + ": " + e.what());
    }
}

void ScrambleTexts(const std::string& table, const std::string& output) {
    const std::string header = GenerateTextHeader(LoadTextTable(table));
    WriteFileAtomically(output, header.data(), header.size());
}

// 0 when none of the table's texts stands plain in the program.
int FindPlainTextsIn(const std::string& table, const std::string& program) {
    const std::vector<uint8_t> bytes = ReadWholeFile(program);
    const std::vector<std::string> found =
        FindPlainTexts(LoadTextTable(table), std::string(bytes.begin(), bytes.end()));
    for (const std::string& identifier : found)
        printf("%s: the text %s stands plain in it\n", program.c_str(), identifier.c_str());
    return found.empty() ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    CLI::App app{"pgrtool: builds and inspects PGR install-data archives"};
    app.require_subcommand(1);

    std::vector<std::string> manifests;
    std::string packOutput;
    CLI::App* pack = app.add_subcommand("pack", "build an archive from JSON manifests");
    pack->add_option("MANIFEST", manifests, "the manifests, read in order")->required();
    pack->add_option("-o,--output", packOutput, "the archive to write")->required();

    std::string productManifest, uninstaller, mainProgramCopy, productOutput;
    CLI::App* packProduct =
        app.add_subcommand("pack-product", "build an archive from a product manifest: what goes where");
    packProduct->add_option("MANIFEST", productManifest, "the product manifest")->required();
    packProduct->add_option("--uninstaller", uninstaller, "the uninstaller program, put into the product folder")
        ->required();
    packProduct->add_option("--main-program-copy", mainProgramCopy,
                            "pack this file (a signed copy) in place of the main program's source");
    packProduct->add_option("-o,--output", productOutput, "the archive to write")->required();

    CLI::App* mainProgram =
        app.add_subcommand("main-program", "print the source of a product manifest's main program, if any");
    mainProgram->add_option("MANIFEST", productManifest, "the product manifest")->required();

    std::string shrinkProgram;
    CLI::App* shrink = app.add_subcommand(
        "shrink-payload", "cut the zero bytes behind the embedded archive out of a linked program, before signing");
    shrink->add_option("PROGRAM", shrinkProgram, "the program, changed in place")->required();

    std::string table, headerOutput;
    CLI::App* texts = app.add_subcommand("scramble-texts", "generate the header of scrambled program texts");
    texts->add_option("TABLE", table, "the plain table of texts")->required();
    texts->add_option("-o,--output", headerOutput, "the header to write")->required();

    std::string program;
    CLI::App* plain = app.add_subcommand("find-plain-texts", "list the table's texts that a program holds plain");
    plain->add_option("TABLE", table, "the plain table of texts")->required();
    plain->add_option("PROGRAM", program, "the program to search")->required();

    std::string archive;
    CLI::App* list = app.add_subcommand("list", "show the header, every entry and every key of an archive");
    list->add_option("ARCHIVE", archive, "the archive")->required();

    CLI::App* verify = app.add_subcommand("verify", "check the checksum, the structure and every entry");
    verify->add_option("ARCHIVE", archive, "the archive")->required();

    std::string extractDirectory;
    CLI::App* extract = app.add_subcommand("extract", "write every entry's file into a directory");
    extract->add_option("ARCHIVE", archive, "the archive")->required();
    extract->add_option("-o,--output", extractDirectory, "the directory to write into")->required();

    std::string keyName, keyQualifier;
    CLI::App* getKey = app.add_subcommand("get-key", "print every value of a key, in table order");
    getKey->add_option("ARCHIVE", archive, "the archive")->required();
    getKey->add_option("NAME", keyName, "the key's name")->required();
    CLI::Option* qualifier = getKey->add_option("QUALIFIER", keyQualifier, "looks up NAME:QUALIFIER");

    CLI11_PARSE(app, argc, argv);
    try {
        if (*pack)
            Pack(manifests, packOutput);
        else if (*packProduct)
            PackProduct(productManifest, uninstaller, mainProgramCopy, productOutput);
        else if (*mainProgram)
            printf("%s\n", MainProgramSource(productManifest).c_str());
        else if (*shrink)
            ShrinkPayload(shrinkProgram);
        else if (*texts)
            ScrambleTexts(table, headerOutput);
        else if (*plain)
            return FindPlainTextsIn(table, program);
        else if (*list)
            ListArchive(archive);
        else if (*verify)
            return VerifyArchive(archive) == 0 ? 0 : 1;
        else if (*extract)
            ExtractArchive(archive, extractDirectory);
        else if (*getKey)
            PrintKey(archive, keyName, *qualifier ? keyQualifier.c_str() : nullptr);
    } catch (const std::runtime_error& e) {
        fprintf(stderr, "pgrtool: %s\n", e.what());
        return 1;
    }
    return 0;
}
