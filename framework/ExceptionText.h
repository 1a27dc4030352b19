// What an exception caught by `catch (...)` says, for a message at the edge where it stops: a
// window procedure, the modal loop, a thread, a command.
#pragma once

#include <exception>
#include <string>

inline std::string ExceptionText(const std::exception_ptr& caught) {
    try {
        std::rethrow_exception(caught);
    } catch (const std::exception& e) {
        return e.what();
    } catch (...) {
        return "an exception of an unknown kind";
    }
}
