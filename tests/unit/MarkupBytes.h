// Compiled markup written out byte by byte, for tests that compare or feed it.
#pragma once

#include <initializer_list>
#include <string>

// A code as compiled: the introducer, the code byte and the payload.
inline std::string Code(std::initializer_list<int> bytes) {
    std::string code(1, '\x01');
    for (int b : bytes)
        code += static_cast<char>(b);
    return code;
}

inline const std::string kBlue = Code({1, 0, 0, 255});
inline const std::string kReset = Code({8});
