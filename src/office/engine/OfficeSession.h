#pragma once

#include <QString>

#include <memory>

namespace office {

// A private headless LibreOffice with its own profile, reached over a pipe of its own; ended by
// the destructor whatever happened in between, so the teacher's own office stays untouched.
class OfficeSession
{
public:
    // Throws OfficeError when soffice is missing, fails to start or does not answer.
    explicit OfficeSession(const QString &soffice);
    ~OfficeSession();
    OfficeSession(const OfficeSession &) = delete;
    OfficeSession &operator=(const OfficeSession &) = delete;

    struct Desktop;
    const Desktop &desktop() const;

private:
    struct Private;
    std::unique_ptr<Private> d;
};

} // namespace office
