#include "TfrxError.h"

TfrxError::TfrxError(const QString &key, const QString &message)
    : std::runtime_error(message.toStdString()), FKey(key), FMessage(message)
{
}
