#include "tools/pgrtool/Manifest.h"

#include "tools/pgrtool/FileIo.h"
#include "tools/pgrtool/ManifestFields.h"

namespace {

void AddEntries(const json& manifest, const std::string& folder, CodePageConverter& codePage, PgrBuilder& builder) {
    ForEachItem(manifest, "entries", {"name", "source", "compress", "scramble_name"},
                [&](const json& item, const std::string& where) {
                    PgrEntrySpec entry;
                    entry.name = RequiredText(item, "name", where, codePage);
                    const std::string source = RequiredString(item, "source", where);
                    entry.content = ReadWholeFile(SourcePath(folder, source));
                    entry.compress = OptionalFlag(item, "compress", false, where);
                    entry.scrambleName = OptionalFlag(item, "scramble_name", true, where);
                    builder.AddEntry(std::move(entry));
                });
}

void AddKeys(const json& manifest, CodePageConverter& codePage, PgrBuilder& builder) {
    ForEachItem(manifest, "keys", {"name", "value", "scramble_name", "scramble_value"},
                [&](const json& item, const std::string& where) {
                    PgrKeySpec key;
                    key.name = RequiredText(item, "name", where, codePage);
                    key.value = RequiredText(item, "value", where, codePage);
                    key.scrambleName = OptionalFlag(item, "scramble_name", true, where);
                    key.scrambleValue = OptionalFlag(item, "scramble_value", true, where);
                    builder.AddKey(std::move(key));
                });
}

}  // namespace

void LoadManifest(const std::string& manifestPath, PgrBuilder& builder) {
    const json manifest = ReadManifestObject(manifestPath);
    try {
        RejectUnknownFields(manifest, {"codepage", "entries", "keys"}, "manifest");
        CodePageConverter codePage(CodePageOf(manifest));
        AddEntries(manifest, FolderOf(manifestPath), codePage, builder);
        AddKeys(manifest, codePage, builder);
    } catch (const PgrBuildError& e) {
        throw PgrBuildError(manifestPath + ": " + e.what());
    }
}
