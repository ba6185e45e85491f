#pragma once

#include <stdexcept>

namespace vantor {

// Why a configuration could not be read to its end; what() is the text shown to the operator.
class ConfigFailure : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The stream ended before a field was complete, or a string claimed an unusable length.
class ReadFailure : public ConfigFailure {
public:
    enum class Kind { PastEnd, BadLength };

    explicit ReadFailure(Kind kind)
        : ConfigFailure(kind == Kind::PastEnd
                            ? "Attempted to access an unnamed file past its end."
                            : "An unknown error occurred while accessing an unnamed file."),
          m_kind(kind) {}

    Kind GetKind() const { return m_kind; }

private:
    Kind m_kind;
};

// An item position outside the item list was needed.
class IndexFailure : public ConfigFailure {
public:
    IndexFailure() : ConfigFailure("Encountered an improper argument.") {}
};

}  // namespace vantor
