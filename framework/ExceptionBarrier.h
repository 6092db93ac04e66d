#pragma once
// Where exceptions from handlers stop. Every window procedure, timer and hook
// procedure of the framework runs its work inside Guarded, so no exception
// unwinds through the system's frames; the handler installed here (the
// application's error box) shows it and the program goes on.

#include <exception>
#include <functional>
#include <utility>

void SetExceptionHandler(std::function<void(const std::exception&)> handler);
// Shows the error through the installed handler, or in a plain box.
void HandleException(const std::exception& error) noexcept;
// The same for an exception that is no std::exception.
void HandleUnknownException() noexcept;

// Runs step; what it throws goes to HandleException. False when it threw.
template <class Step> bool Guarded(Step&& step) noexcept {
    try {
        std::forward<Step>(step)();
        return true;
    } catch (const std::exception& error) {
        HandleException(error);
    } catch (...) {
        HandleUnknownException();
    }
    return false;
}
