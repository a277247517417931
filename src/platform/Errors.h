#pragma once

#include <QString>

#include <stdexcept>

// The program's errors are exceptions; they are caught at the event boundary (the
// application's error handler) or by the caller that expects them.
class TickerineError : public std::runtime_error {
public:
    explicit TickerineError(const QString& message)
        : std::runtime_error(message.toStdString()), m_message(message)
    {}
    const QString& message() const { return m_message; }

private:
    QString m_message;
};

// A file or folder operation failed; the message names the path and the system's reason.
class IoError : public TickerineError {
public:
    using TickerineError::TickerineError;
};

// A text could not be read as the value asked for (a colour, a number).
class ConvertError : public TickerineError {
public:
    using TickerineError::TickerineError;
};

// A value lies outside the range its type allows (a negative colour number).
class RangeError : public TickerineError {
public:
    using TickerineError::TickerineError;
};

// A document is not well-formed, or an element's content is not what the caller asked for.
class XmlError : public TickerineError {
public:
    using TickerineError::TickerineError;
};

// A per-user store key could not be opened or written.
class StoreError : public TickerineError {
public:
    using TickerineError::TickerineError;
};

// A regular expression that does not compile.
class RegexError : public TickerineError {
public:
    using TickerineError::TickerineError;
};
