#include "framework/Exceptions.h"

namespace {
std::string Substitute(const char* pattern, const char* placeholder, const std::string& text) {
    std::string result = pattern;
    auto at = result.find(placeholder);
    if (at != std::string::npos) result.replace(at, 2, text);
    return result;
}
} // namespace

std::string Format(const char* pattern, const std::string& arg) {
    return Substitute(pattern, "%s", arg);
}

std::string Format(const char* pattern, long long arg) {
    return Substitute(pattern, "%d", std::to_string(arg));
}
