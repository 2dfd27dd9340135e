#include "TfsMessages.h"

TfsMessages &TfsMessages::Instance()
{
    static TfsMessages messages;
    return messages;
}
