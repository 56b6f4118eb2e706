#pragma once

#include <stdexcept>
#include <string>

namespace drawbook {

// The one exception type for database failures. Routines catch it where they
// decide what a failure means; nothing else throws it.
class DbError : public std::runtime_error {
public:
    DbError(const std::string& what, int code) : std::runtime_error(what), m_code(code) {}

    // SQLite's primary result code, or 0 when the failure is our own refusal.
    int Code() const { return m_code; }

private:
    int m_code;
};

} // namespace drawbook
