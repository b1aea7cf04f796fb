#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <string>

#include "toolkit/core/SystemApis.h"

namespace {

std::string Lower(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return std::tolower(c); });
    return s;
}

std::string SystemDirectory() {
    char directory[MAX_PATH];
    const UINT length = GetSystemDirectoryA(directory, MAX_PATH);
    return Lower(std::string(directory, length)) + "\\";
}

std::string ProgramDirectory() {
    std::string path = ModulePath(nullptr);
    return path.substr(0, path.find_last_of('\\') + 1);
}

TEST(SystemLibrary, LoadsFromTheSystemDirectoryNotBesideTheProgram) {
    for (const char* name : {"dwmapi.dll", "uxtheme.dll", "msimg32.dll"}) {
        ASSERT_NE(GetFileAttributesA((ProgramDirectory() + name).c_str()), INVALID_FILE_ATTRIBUTES)
            << "the planted " << name << " is missing";
        HMODULE module = LoadSystemLibrary(name);
        ASSERT_NE(module, nullptr) << name;
        EXPECT_EQ(Lower(ModulePath(module)), SystemDirectory() + name);
        EXPECT_EQ(GetProcAddress(module, "PlantedMarker"), nullptr) << name;
        EXPECT_EQ(GetModuleHandleA((ProgramDirectory() + name).c_str()), nullptr) << name;
    }
}

TEST(SystemLibrary, OptionalEntryPointsComeFromTheSystemLibraries) {
    SystemApis apis;
    LoadSystemApis(apis);
    ASSERT_NE(apis.dwmLibrary, nullptr);
    EXPECT_EQ(Lower(ModulePath(apis.dwmLibrary)), SystemDirectory() + "dwmapi.dll");
    ASSERT_NE(apis.themeLibrary, nullptr);
    EXPECT_EQ(Lower(ModulePath(apis.themeLibrary)), SystemDirectory() + "uxtheme.dll");
    EXPECT_NE(apis.OpenThemeData, nullptr);
    ASSERT_NE(apis.imageLibrary, nullptr);
    EXPECT_EQ(Lower(ModulePath(apis.imageLibrary)), SystemDirectory() + "msimg32.dll");
    EXPECT_NE(apis.GradientFill, nullptr);
    EXPECT_NE(apis.AlphaBlend, nullptr);
    EXPECT_NE(apis.UpdateLayeredWindow, nullptr);
    // Pairs are published together or not at all.
    EXPECT_EQ(apis.DwmIsCompositionEnabled == nullptr, apis.DwmEnableComposition == nullptr);
    EXPECT_EQ(apis.DwmSetWindowAttribute == nullptr, apis.DwmGetWindowAttribute == nullptr);
}

TEST(SystemLibrary, MissingLibraryIsNull) {
    EXPECT_EQ(LoadSystemLibrary("no-such-library.dll"), nullptr);
}

}  // namespace
