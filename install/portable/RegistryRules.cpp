#include "install/portable/RegistryRules.h"

#include "install/portable/DecimalText.h"

namespace {

std::string Copied(const char* value) {
    return value ? value : "";
}

}  // namespace

RegistryValueKind ClassifyRegistryType(const char* type, const RegistryKeyNames& names) {
    if (!type)
        return RegistryValueKind::Neither;
    if (names.numberWord == type)
        return RegistryValueKind::Number;
    if (names.textWord == type)
        return RegistryValueKind::Text;
    return RegistryValueKind::Neither;
}

// The reader's one search cursor is what ties an item to its type and
// data: each lookup continues after the key matched last.
std::vector<RegistryItem> ReadRegistryItems(CReadPGR& archive, const RegistryKeyNames& names) {
    std::vector<RegistryItem> items;
    for (const char* name = archive.GetKey(names.itemKey.c_str()); name;
         name = archive.GetNextKey(names.itemKey.c_str())) {
        RegistryItem item;
        item.name = name;
        item.kind = ClassifyRegistryType(archive.GetNextKey(names.typeKey.c_str()), names);
        item.data = Copied(archive.GetNextKey(names.dataKey.c_str()));
        items.push_back(item);
    }
    return items;
}

RegistryWrite DecideRegistryWrite(RegistryValueKind kind, bool valueExists) {
    switch (kind) {
    case RegistryValueKind::Number:
        return RegistryWrite::Number;
    case RegistryValueKind::Text:
        return valueExists ? RegistryWrite::Nothing : RegistryWrite::Text;
    case RegistryValueKind::Neither:
        break;
    }
    return RegistryWrite::Nothing;
}

uint32_t RegistryNumber(const std::string& data) {
    return static_cast<uint32_t>(ParseLikeAtoi(data.c_str()));
}
