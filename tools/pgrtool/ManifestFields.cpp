#include "tools/pgrtool/ManifestFields.h"

#include <fstream>

json ReadManifestObject(const std::string& manifestPath) {
    std::ifstream in(manifestPath);
    if (!in)
        throw PgrBuildError("cannot read manifest " + manifestPath);
    json manifest;
    try {
        manifest = json::parse(in);
    } catch (const json::parse_error& e) {
        throw PgrBuildError(manifestPath + ": not valid JSON: " + e.what());
    }
    if (!manifest.is_object())
        throw PgrBuildError(manifestPath + ": the manifest must be a JSON object");
    return manifest;
}

std::string FolderOf(const std::string& path) {
    const size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? "." : path.substr(0, slash);
}

std::string SourcePath(const std::string& folder, const std::string& source) {
    return source.rfind('/', 0) == 0 ? source : folder + "/" + source;
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

std::string OptionalString(const json& item, const char* field, const std::string& fallback, const std::string& where) {
    return item.contains(field) ? RequiredString(item, field, where) : fallback;
}

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
