#include "TfrxPropertyChecks.h"

#include "TfrxProperties.h"
#include "zorDialogKit.h"

#include <QCheckBox>

TfrxPropertyChecks::TfrxPropertyChecks(QObject *object, std::span<const Field> fields, QWidget *parent)
    : FFields(fields)
{
    for (const Field &field : fields) {
        const QString path = QLatin1String(field.path);
        auto *box = new QCheckBox(zorText(field.caption), parent);
        box->setObjectName(path.section(u'.', -1) + QStringLiteral("CB"));
        box->setChecked(TfrxProperties::Read(object, path).toBool());
        FBoxes.append(box);
    }
}

void TfrxPropertyChecks::Write(QObject *object) const
{
    for (qsizetype i = 0; i < FBoxes.size(); ++i)
        TfrxProperties::Write(object, QString::fromLatin1(FFields[size_t(i)].path), FBoxes[i]->isChecked());
}
