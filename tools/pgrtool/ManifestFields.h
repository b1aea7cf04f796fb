// Reading the fields of a JSON manifest, for both kinds of manifest. Every
// refusal is a PgrBuildError naming the field's place, such as
// files[2].source, so that the author finds the line to mend.
#pragma once

#include <nlohmann/json.hpp>

#include <cstdint>
#include <set>
#include <string>

#include "tools/pgrtool/CodePage.h"
#include "tools/pgrtool/PgrBuilder.h"

using nlohmann::json;

// The whole file as one JSON object.
json ReadManifestObject(const std::string& manifestPath);

// The folder relative to which a manifest names its sources.
std::string FolderOf(const std::string& path);
// source as given when absolute, else relative to folder.
std::string SourcePath(const std::string& folder, const std::string& source);

void RejectUnknownFields(const json& item, const std::set<std::string>& known, const std::string& where);
std::string RequiredString(const json& item, const char* field, const std::string& where);
std::string OptionalString(const json& item, const char* field, const std::string& fallback, const std::string& where);
// A string the installer reads, in its code page; where + "." + field names
// the string's place in any refusal.
std::string RequiredText(const json& item, const char* field, const std::string& where, CodePageConverter& codePage);
bool OptionalFlag(const json& item, const char* field, bool fallback, const std::string& where);
// The manifest's "codepage", kDefaultCodePage when absent.
int64_t CodePageOf(const json& manifest);

const json& ArrayField(const json& manifest, const char* field);

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
