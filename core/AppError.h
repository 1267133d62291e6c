// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// An error that ends the operation in progress and carries the program's own message text,
// such as "Cannot open file /x/system/InvRecs.txt" or "'abc' is not a valid integer value".
// The window shows the message in an error box and goes on with the state reached so far.

#include <QString>
#include <exception>

class AppError : public std::exception
{
public:
    explicit AppError(QString message)
        : m_message(std::move(message))
        , m_utf8(m_message.toUtf8())
    {}
    const QString &message() const { return m_message; }
    const char *what() const noexcept override { return m_utf8.constData(); }

    // The 1-based line of the data file the error was found at, where one is known; the
    // message itself does not name it.
    int line() const { return m_line; }
    void setLine(int line) { m_line = line; }

private:
    QString m_message;
    QByteArray m_utf8;
    int m_line = 0;
};

// A record line field or a stored number that does not convert.
class ConversionError : public AppError
{
public:
    using AppError::AppError;
    static ConversionError invalidDate(const QString &text);
    static ConversionError invalidInteger(const QString &text);
};

// A data file that cannot be opened, read or written.
class FileError : public AppError
{
public:
    using AppError::AppError;
    static FileError cannotOpen(const QString &path);
    static FileError cannotCreate(const QString &path);
};

// A list read past its end where the caller needs the line.
class ListIndexError : public AppError
{
public:
    using AppError::AppError;
    static ListIndexError outOfBounds(int index);
};
