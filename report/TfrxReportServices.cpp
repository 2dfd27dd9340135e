#include "TfrxReportServices.h"

TfrxReportServices &TfrxReportServices::Instance()
{
    static TfrxReportServices services;
    return services;
}

QString TfrxReportServices::Text(const QString &key, const QString &englishText)
{
    const TfrxReportServices &services = Instance();
    return services.GetText ? services.GetText(key) : englishText;
}
