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

bool StartCopy(const std::string& copy, const std::string& self) {
    HANDLE own = nullptr;
    if (!DuplicateHandle(GetCurrentProcess(), GetCurrentProcess(), GetCurrentProcess(), &own, SYNCHRONIZE, TRUE, 0))
        return false;
    const CopyCommand command{self, static_cast<uint64_t>(reinterpret_cast<uintptr_t>(own))};
    const bool started = StartProcess(copy, FormatCopyCommandLine(copy, command), 0, true);
    CloseHandle(own);
    return started;
}

// Removes the program file as soon as its process has let go of it, then
// the directory with the script itself.
std::string RemovalScript(const std::string& self, const std::string& directory) {
    return "@echo off\r\n"
           "set tries=0\r\n"
           ":again\r\n"
           "del /f /q \"" + self + "\" >nul 2>&1\r\n"
           "if not exist \"" + self + "\" goto gone\r\n"
           "set /a tries+=1\r\n"
           "if %tries% lss 100000 goto again\r\n"
           ":gone\r\n"
           "rmdir /s /q \"" + directory + "\"\r\n";
}

bool WriteText(const std::string& path, const std::string& text) {
    FILE* out = std::fopen(path.c_str(), "wb");
    if (!out)
        return false;
    const bool written = std::fwrite(text.data(), 1, text.size(), out) == text.size();
    return std::fclose(out) == 0 && written;
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
    const std::string script = directory + "\\remove.cmd";
    if (!WriteText(script, RemovalScript(self, directory)))
        return;
    const std::string shell = SystemDirectory() + "\\cmd.exe";
    StartProcess(shell, "cmd.exe /d /s /c \"\"" + script + "\"\"", CREATE_NO_WINDOW, false);
}
