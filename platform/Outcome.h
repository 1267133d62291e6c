// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What an operation that may fail gives back: success, or why it failed (by default a message
// in plain words for the user). The one way the program's own code outside core's exceptions
// says "this may fail": no empty text that means success, no flag beside an error string.

#include <QString>
#include <optional>
#include <type_traits>

template<typename Failure = QString> class [[nodiscard]] Outcome
{
public:
    // Success.
    Outcome() = default;
    static Outcome failed(Failure why)
    {
        Outcome outcome;
        outcome.m_failure = std::move(why);
        return outcome;
    }

    bool ok() const { return !m_failure; }
    explicit operator bool() const { return ok(); }
    // Why it failed; only for an outcome that is not ok().
    const Failure &failure() const { return *m_failure; }
    // The message of a failure, an empty text for success.
    QString message() const requires std::is_same_v<Failure, QString> { return m_failure.value_or(QString()); }

private:
    std::optional<Failure> m_failure;
};
