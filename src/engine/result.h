#pragma once

#include "failure.h"

#include <optional>
#include <utility>
#include <variant>

// The outcome of an operation that can fail: a value, or the failure that
// the error dialog will show. Errors stay values until the user must decide.
template <typename T = std::monostate> class Result
{
public:
    Result(T value)
        : m_value(std::move(value))
    { }
    Result(Failure failure)
        : m_failure(std::move(failure))
    { }

    static Result success() { return Result(T{}); }

    bool ok() const { return m_value.has_value(); }
    const T &value() const { return *m_value; }
    const Failure &failure() const { return m_failure; }

private:
    std::optional<T> m_value;
    Failure m_failure;
};

using Status = Result<>;
