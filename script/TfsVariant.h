#pragma once

#include "TfsValue.h"

#include <QVariant>

// Values crossing between scripts and the report library, which keeps its values as QVariant.
// Dates are QDateTime in local time; currency becomes a double; an array a QVariantList; an
// object handle a qlonglong. Null and empty both become an invalid QVariant, which turns back
// into null.
QVariant fsValueToVariant(const TfsValue &value);
TfsValue fsVariantToValue(const QVariant &value);
