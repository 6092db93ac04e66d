#include "framework/ExceptionBarrier.h"

#include "framework/Exceptions.h"

#include <windows.h>

namespace {
std::function<void(const std::exception&)>& Handler() {
    static std::function<void(const std::exception&)> handler;
    return handler;
}
} // namespace

void SetExceptionHandler(std::function<void(const std::exception&)> handler) {
    Handler() = std::move(handler);
}

void HandleException(const std::exception& error) noexcept {
    try {
        if (Handler())
            Handler()(error);
        else
            MessageBoxA(nullptr, error.what(), "Error", MB_OK | MB_ICONERROR);
    } catch (...) {
        // The box itself failed (out of memory): nothing is left to tell.
    }
}

void HandleUnknownException() noexcept {
    HandleException(Exception("Unknown error"));
}
