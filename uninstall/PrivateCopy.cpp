#include "uninstall/PrivateCopy.h"

#include <wincrypt.h>

#include <cstdio>

namespace {

constexpr DWORD kOriginalEndTimeout = 60000;
constexpr int kDirectoryAttempts = 16;

std::string SystemDirectory() {
    char path[MAX_PATH] = {};
    GetSystemDirectoryA(path, MAX_PATH);
    return path;
}

std::string TempDirectory() {
    char path[MAX_PATH + 1] = {};
    const DWORD length = GetTempPathA(MAX_PATH + 1, path);
    std::string directory(path, length > MAX_PATH ? 0 : length);
    if (!directory.empty() && directory.back() == '\\')
        directory.pop_back();
    return directory;
}

// Unpredictable, so that no one can prepare the directory, or a program in
// it, before the copy gets there.
bool RandomName(std::string& name) {
    HCRYPTPROV provider = 0;
    if (!CryptAcquireContextA(&provider, nullptr, nullptr, PROV_RSA_FULL, CRYPT_VERIFYCONTEXT | CRYPT_SILENT))
        return false;
    unsigned char bytes[8] = {};
    const bool made = CryptGenRandom(provider, sizeof bytes, bytes) != 0;
    CryptReleaseContext(provider, 0);
    char text[2 * sizeof bytes + 1] = {};
    for (size_t i = 0; i < sizeof bytes; ++i)
        std::snprintf(text + 2 * i, 3, "%02x", bytes[i]);
    name = std::string("Orvalis-") + text;
    return made;
}

// A directory that did not exist before: one already there under the same
// name is never used.
bool MakePrivateDirectory(std::string& directory) {
    const std::string temp = TempDirectory();
    std::string name;
    for (int attempt = 0; !temp.empty() && attempt < kDirectoryAttempts && RandomName(name); ++attempt) {
        directory = temp + "\\" + name;
        if (CreateDirectoryA(directory.c_str(), nullptr))
            return true;
        if (GetLastError() != ERROR_ALREADY_EXISTS)
            return false;
    }
    return false;
}

std::string FileName(const std::string& path) {
    return path.substr(path.find_last_of('\\') + 1);
}

// Started in the system directory, so that it holds no directory of the
// product (or its own) as its current one.
bool StartProcess(const std::string& program, std::string commandLine, DWORD flags, bool inherit) {
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    const std::string directory = SystemDirectory();
    if (!CreateProcessA(program.c_str(), &commandLine[0], nullptr, nullptr, inherit, flags, nullptr,
                        directory.c_str(), &startup, &process))
        return false;
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return true;
}

// The copy inherits the handle it waits on; the standard handles this
// process was given must not go with it, or whoever reads them would wait
// for the copy to end as well.
void KeepStandardHandles() {
    for (DWORD which : {STD_INPUT_HANDLE, STD_OUTPUT_HANDLE, STD_ERROR_HANDLE}) {
        const HANDLE handle = GetStdHandle(which);
        if (handle && handle != INVALID_HANDLE_VALUE)
            SetHandleInformation(handle, HANDLE_FLAG_INHERIT, 0);
    }
}

bool StartCopy(const std::string& copy, const std::string& self) {
    KeepStandardHandles();
    HANDLE own = nullptr;
    if (!DuplicateHandle(GetCurrentProcess(), GetCurrentProcess(), GetCurrentProcess(), &own, SYNCHRONIZE, TRUE, 0))
        return false;
    const CopyCommand command{self, static_cast<uint64_t>(reinterpret_cast<uintptr_t>(own))};
    const bool started = StartProcess(copy, FormatCopyCommandLine(copy, command), 0, true);
    CloseHandle(own);
    return started;
}

// Removes the program file as soon as its process has let go of it, then
// its directory, then the script itself, which lies beside the directory:
// inside it, the script still open would keep the directory from going.
std::string RemovalScript(const std::string& self, const std::string& directory) {
    return "@echo off\r\n"
           "set tries=0\r\n"
           ":again\r\n"
           "del /f /q \"" + self + "\" >nul 2>&1\r\n"
           "if not exist \"" + self + "\" goto gone\r\n"
           "set /a tries+=1\r\n"
           "if %tries% lss 100000 goto again\r\n"
           ":gone\r\n"
           "rmdir \"" + directory + "\"\r\n"
           "del \"%~f0\"\r\n";
}

// The command interpreter's rules for quotes after /c differ between its
// versions; a path without blanks needs none. The short form has none
// where the system keeps short names.
std::string UnquotedPath(const std::string& path) {
    char shortPath[MAX_PATH] = {};
    const DWORD length = GetShortPathNameA(path.c_str(), shortPath, MAX_PATH);
    if (length > 0 && length < MAX_PATH)
        return shortPath;
    return path.find(' ') == std::string::npos ? path : "\"" + path + "\"";
}

// Only a new file: one already there under the name is never run.
bool WriteNewFile(const std::string& path, const std::string& text) {
    const HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    const bool whole = WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr) &&
                       written == text.size();
    return CloseHandle(file) && whole;
}

}  // namespace

std::string ModulePath() {
    char path[MAX_PATH + 1] = {};
    const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH + 1);
    return std::string(path, length > MAX_PATH ? 0 : length);
}

std::string DirectoryOf(const std::string& path) {
    const size_t slash = path.find_last_of('\\');
    return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

bool StartPrivateCopy(const std::string& self) {
    std::string directory;
    if (self.empty() || !MakePrivateDirectory(directory))
        return false;
    const std::string copy = directory + "\\" + FileName(self);
    if (CopyFileA(self.c_str(), copy.c_str(), TRUE) && StartCopy(copy, self))
        return true;
    DeleteFileA(copy.c_str());
    RemoveDirectoryA(directory.c_str());
    return false;
}

void WaitForOriginal(const CopyCommand& command) {
    const HANDLE original = reinterpret_cast<HANDLE>(static_cast<uintptr_t>(command.originalProcess));
    WaitForSingleObject(original, kOriginalEndTimeout);
    CloseHandle(original);
}

void RemovePrivateCopyAfterExit(const std::string& self) {
    const std::string directory = DirectoryOf(self);
    const std::string script = directory + ".cmd";
    if (!WriteNewFile(script, RemovalScript(self, directory)))
        return;
    StartProcess(SystemDirectory() + "\\cmd.exe", "cmd.exe /d /c " + UnquotedPath(script), CREATE_NO_WINDOW, false);
}
