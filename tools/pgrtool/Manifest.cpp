#include "tools/pgrtool/Manifest.h"

#include <nlohmann/json.hpp>

#include <fstream>
#include <set>

#include "tools/pgrtool/CodePage.h"
#include "tools/pgrtool/FileIo.h"

namespace {

using nlohmann::json;

std::string FolderOf(const std::string& path) {
    const size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? "." : path.substr(0, slash);
}

void RejectUnknownFields(const json& item, const std::set<std::string>& known, const std::string& where) {
    for (auto it = item.begin(); it != item.end(); ++it)
        if (!known.count(it.key()))
            throw PgrBuildError(where + ": unknown field \"" + it.key() + "\"");
}

std::string RequiredString(const json& item, const char* field, const std::string& where) {
    if (!item.contains(field) || !item[field].is_string())
        throw PgrBuildError(where + ": \"" + field + "\" must be a string");
    return item[field].get<std::string>();
}

// A string the installer reads, in its code page; where + "." + field names
// the string's place in any refusal.
std::string RequiredText(const json& item, const char* field, const std::string& where, CodePageConverter& codePage) {
    return codePage.FromUtf8(RequiredString(item, field, where), where + "." + field);
}

bool OptionalFlag(const json& item, const char* field, bool fallback, const std::string& where) {
    if (!item.contains(field))
        return fallback;
    if (!item[field].is_boolean())
        throw PgrBuildError(where + ": \"" + field + "\" must be true or false");
    return item[field].get<bool>();
}

int64_t CodePageOf(const json& manifest) {
    if (!manifest.contains("codepage"))
        return kDefaultCodePage;
    if (!manifest["codepage"].is_number_integer())
        throw PgrBuildError("\"codepage\" must be a whole number, such as 1252");
    return manifest["codepage"].get<int64_t>();
}

const json& ArrayField(const json& manifest, const char* field) {
    static const json empty = json::array();
    if (!manifest.contains(field))
        return empty;
    if (!manifest[field].is_array())
        throw PgrBuildError(std::string("\"") + field + "\" must be an array");
    return manifest[field];
}

// Calls addItem(item, where) for each object of the array field, after
// checking that it is an object with no fields but the known ones.
template <typename AddItem>
void ForEachItem(const json& manifest, const char* field, const std::set<std::string>& known, AddItem addItem) {
    size_t index = 0;
    for (const json& item : ArrayField(manifest, field)) {
        const std::string where = std::string(field) + "[" + std::to_string(index++) + "]";
        if (!item.is_object())
            throw PgrBuildError(where + " must be an object");
        RejectUnknownFields(item, known, where);
        addItem(item, where);
    }
}

void AddEntries(const json& manifest, const std::string& folder, CodePageConverter& codePage, PgrBuilder& builder) {
    ForEachItem(manifest, "entries", {"name", "source", "compress", "scramble_name"},
                [&](const json& item, const std::string& where) {
                    PgrEntrySpec entry;
                    entry.name = RequiredText(item, "name", where, codePage);
                    const std::string source = RequiredString(item, "source", where);
                    entry.content = ReadWholeFile(source.rfind('/', 0) == 0 ? source : folder + "/" + source);
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
    std::ifstream in(manifestPath);
    if (!in)
        throw PgrBuildError("cannot read manifest " + manifestPath);
    json manifest;
    try {
        manifest = json::parse(in);
    } catch (const json::parse_error& e) {
        throw PgrBuildError(manifestPath + ": not valid JSON: " + e.what());
    }
    try {
        if (!manifest.is_object())
            throw PgrBuildError("the manifest must be a JSON object");
        RejectUnknownFields(manifest, {"codepage", "entries", "keys"}, "manifest");
        CodePageConverter codePage(CodePageOf(manifest));
        AddEntries(manifest, FolderOf(manifestPath), codePage, builder);
        AddKeys(manifest, codePage, builder);
    } catch (const PgrBuildError& e) {
        throw PgrBuildError(manifestPath + ": " + e.what());
    }
}
