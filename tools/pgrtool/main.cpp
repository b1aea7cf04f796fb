// pgrtool: builds PGR archives from a manifest and the program's scrambled texts.
#include <CLI/CLI.hpp>

#include <cstdio>
#include <string>

#include "tools/pgrtool/FileIo.h"
#include "tools/pgrtool/Manifest.h"
#include "tools/pgrtool/PgrBuilder.h"
#include "tools/pgrtool/TextTable.h"

namespace {

void Pack(const std::string& manifest, const std::string& output) {
    PgrBuilder builder;
    LoadManifest(manifest, builder);
    const std::vector<uint8_t> archive = builder.Build();
    WriteFileAtomically(output, archive.data(), archive.size());
    printf("%s: %zu bytes\n", output.c_str(), archive.size());
}

void ScrambleTexts(const std::string& table, const std::string& output) {
    const std::vector<uint8_t> bytes = ReadWholeFile(table);
    std::vector<TextTableEntry> texts;
    try {
        texts = ParseTextTable(std::string(bytes.begin(), bytes.end()));
    } catch (const PgrBuildError& e) {
        throw PgrBuildError(table + ": " + e.what());
    }
    const std::string header = GenerateTextHeader(texts);
    WriteFileAtomically(output, header.data(), header.size());
}

}  // namespace

int main(int argc, char** argv) {
    CLI::App app{"pgrtool: builds and inspects PGR install-data archives"};
    app.require_subcommand(1);

    std::string manifest, packOutput;
    CLI::App* pack = app.add_subcommand("pack", "build an archive from a JSON manifest");
    pack->add_option("MANIFEST", manifest, "the manifest")->required();
    pack->add_option("-o,--output", packOutput, "the archive to write")->required();

    std::string table, headerOutput;
    CLI::App* texts = app.add_subcommand("scramble-texts", "generate the header of scrambled program texts");
    texts->add_option("TABLE", table, "the plain table of texts")->required();
    texts->add_option("-o,--output", headerOutput, "the header to write")->required();

    CLI11_PARSE(app, argc, argv);
    try {
        if (*pack)
            Pack(manifest, packOutput);
        else if (*texts)
            ScrambleTexts(table, headerOutput);
    } catch (const PgrBuildError& e) {
        fprintf(stderr, "pgrtool: %s\n", e.what());
        return 1;
    }
    return 0;
}
