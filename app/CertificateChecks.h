#pragma once

#include <QString>

struct CertificateRecord;

namespace CertificateChecks {

// The checks that must pass before a certificate is printed, in their fixed order: the message of
// the first that fails, or an empty text when the certificate may be printed.
QString firstProblem(const CertificateRecord &record);

} // namespace CertificateChecks
