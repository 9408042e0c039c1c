#pragma once

#include "failure.h"

#include <QtGlobal>

#include <optional>
#include <utility>
#include <variant>

// The outcome of an operation that can fail: a value, or the failure that
// the error dialog will show. Errors stay values until the user must decide.
template <typename T = std::monostate> class [[nodiscard]] Result
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
    // Only for a result that is ok().
    const T &value() const &
    {
        Q_ASSERT_X(ok(), "Result::value", "the value of a failed result");
        return *m_value;
    }
    T &value() &
    {
        Q_ASSERT_X(ok(), "Result::value", "the value of a failed result");
        return *m_value;
    }
    T &&value() &&
    {
        Q_ASSERT_X(ok(), "Result::value", "the value of a failed result");
        return std::move(*m_value);
    }
    const Failure &failure() const { return m_failure; }

private:
    std::optional<T> m_value;
    Failure m_failure;
};

using Status = Result<>;
