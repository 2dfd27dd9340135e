#pragma once

#include <QtGlobal>

#include <stdexcept>

// Raised for every syntax error of the library's XML dialect. The message is always
// "Invalid file format"; the byte position in the input tells where reading stopped.
class TfrxInvalidXMLException : public std::runtime_error
{
public:
    explicit TfrxInvalidXMLException(qint64 position)
        : std::runtime_error("Invalid file format"), FPosition(position)
    {
    }

    qint64 Position() const { return FPosition; }

private:
    qint64 FPosition;
};
