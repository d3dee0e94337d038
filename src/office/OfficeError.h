#pragma once

#include <QString>

#include <stdexcept>

namespace office {

// Every failure of the office engine, worded for the teacher.
class OfficeError : public std::runtime_error
{
public:
    explicit OfficeError(const QString &message)
        : std::runtime_error(message.toStdString()), m_message(message)
    {
    }

    QString message() const { return m_message; }

private:
    QString m_message;
};

} // namespace office
