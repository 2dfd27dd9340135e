#include "TfrxTemplateFormat.h"

#include <optional>

namespace {

std::optional<TfrxTemplateFormat> &registeredFormat()
{
    static std::optional<TfrxTemplateFormat> format;
    return format;
}

}  // namespace

void TfrxTemplateFormat::Register(TfrxTemplateFormat format)
{
    registeredFormat() = std::move(format);
}

const TfrxTemplateFormat *TfrxTemplateFormat::Registered()
{
    const auto &format = registeredFormat();
    return format ? &*format : nullptr;
}
