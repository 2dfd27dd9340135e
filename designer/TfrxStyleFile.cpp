#include "TfrxStyleFile.h"

#include "TfrxFileException.h"
#include "TfrxInvalidXMLException.h"
#include "TfrxStyleItem.h"
#include "TfrxStyles.h"
#include "TfrxXMLDocument.h"
#include "TfrxXMLItem.h"
#include "TfrxXMLSerializer.h"

#include <QFile>
#include <QSaveFile>

namespace {

const QString rootName = QStringLiteral("style");
const QString itemName = QStringLiteral("item");

} // namespace

void TfrxStyleFile::Write(const TfrxStyles &styles, QIODevice *stream)
{
    TfrxXMLDocument document;
    document.SetAutoIndent(true);
    TfrxXMLItem *root = document.Root();
    root->SetName(rootName);
    root->SetProp(QStringLiteral("Name"), styles.Name());
    TfrxXMLSerializer serializer;
    for (qsizetype i = 0; i < styles.Count(); ++i)
        root->Add(itemName)->SetText(serializer.ObjToXML(styles.Items(i)).trimmed());
    document.SaveToStream(stream);
}

bool TfrxStyleFile::Read(TfrxStyles &styles, QIODevice *stream)
{
    TfrxXMLDocument document;
    try {
        document.LoadFromStream(stream);
    } catch (const TfrxInvalidXMLException &) {
        return false;
    } catch (const TfrxFileException &) {
        return false;
    }
    const TfrxXMLItem *root = document.Root();
    if (root->Name() != rootName)
        return false;
    styles.SetName(root->GetProp(QStringLiteral("Name")));
    TfrxXMLSerializer serializer;
    for (int i = 0; i < root->Count(); ++i) {
        const TfrxXMLItem *element = root->Items(i);
        if (element->Name() != itemName)
            continue;
        TfrxStyleItem *style = styles.Add();
        serializer.XMLToObj(element->Text(), style);
        // A style whose name was missing or taken still needs one of its own.
        if (style->Name().isEmpty())
            style->CreateUniqueName();
    }
    return true;
}

bool TfrxStyleFile::Save(const TfrxStyles &styles, const QString &fileName)
{
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    try {
        Write(styles, &file);
    } catch (const TfrxFileException &) {
        return false; // the temporary file goes, the target stays as it was
    }
    return file.commit();
}

bool TfrxStyleFile::Load(TfrxStyles &styles, const QString &fileName)
{
    QFile file(fileName);
    return file.open(QIODevice::ReadOnly) && Read(styles, &file);
}
