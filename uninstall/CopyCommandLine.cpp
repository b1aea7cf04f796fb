#include "uninstall/CopyCommandLine.h"

#include <cstdlib>

namespace {

constexpr std::string_view kOriginalSwitch = " /original \"";
constexpr std::string_view kWaitSwitch = "\" /wait ";

bool ParseHandle(std::string_view digits, uint64_t& value) {
    if (digits.empty() || digits.size() > 20 || digits.find_first_not_of("0123456789") != std::string_view::npos)
        return false;
    value = std::strtoull(std::string(digits).c_str(), nullptr, 10);
    return value != 0;
}

}  // namespace

std::string FormatCopyCommandLine(const std::string& copy, const CopyCommand& command) {
    return "\"" + copy + "\"" + std::string(kOriginalSwitch) + command.original + std::string(kWaitSwitch) +
           std::to_string(command.originalProcess);
}

// A path holds no quote, so the one closing the original's path is the one
// before the last wait switch.
bool ParseCopyCommandLine(std::string_view commandLine, CopyCommand& command) {
    const size_t original = commandLine.find(kOriginalSwitch);
    const size_t wait = commandLine.rfind(kWaitSwitch);
    if (original == std::string_view::npos || wait == std::string_view::npos || wait <= original + kOriginalSwitch.size())
        return false;
    const size_t start = original + kOriginalSwitch.size();
    const std::string_view path = commandLine.substr(start, wait - start);
    if (path.find('"') != std::string_view::npos || !ParseHandle(commandLine.substr(wait + kWaitSwitch.size()), command.originalProcess))
        return false;
    command.original = std::string(path);
    return true;
}
