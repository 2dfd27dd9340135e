#include "CertificatePrinting.h"

#include "TfrxCustomMemoView.h"
#include "TfrxReport.h"

namespace CertificatePrinting {

QStringList preprint(TfrxReport &report, const QList<std::pair<QString, QString>> &values)
{
    QStringList missing;
    for (const auto &[name, value] : values) {
        auto *memo = qobject_cast<TfrxCustomMemoView *>(report.FindObject(name));
        if (memo == nullptr) {
            missing << name;
            continue;
        }
        memo->SetAllowExpressions(false);
        memo->SetText(value);
    }
    return missing;
}

QString missingObjectsMessage(const QStringList &names)
{
    return QStringLiteral("В шаблоне печати нет текстовых объектов: ") + names.join(QStringLiteral(", "));
}

QString loadErrorsMessage(const QStringList &errors)
{
    return QStringLiteral("The following error(s) have occured:\r\n") + errors.join(QStringLiteral("\r\n"));
}

} // namespace CertificatePrinting
