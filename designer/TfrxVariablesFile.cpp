#include "TfrxVariablesFile.h"

#include "TfrxVariable.h"
#include "TfrxVariables.h"
#include "TfrxXMLDocument.h"
#include "TfrxXMLItem.h"
#include "TfrxXMLSerializer.h"

#include <QFile>

namespace {

const QString rootName = QStringLiteral("variables");
const QString itemName = QStringLiteral("item");

} // namespace

// variables -> item*, each item the attributes of one variable
bool TfrxVariablesFile::Load(const QString &fileName, TfrxVariables &variables, QString &error)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly)) {
        error = file.errorString();
        return false;
    }
    TfrxXMLDocument document;
    try {
        document.LoadFromStream(&file);
    } catch (const std::exception &e) {
        error = QString::fromUtf8(e.what());
        return false;
    }
    const TfrxXMLItem *root = document.Root();
    if (root->Name().compare(rootName, Qt::CaseInsensitive) != 0) {
        error.clear(); // well-formed, but not a variables file
        return false;
    }
    // Attributes that do not apply are skipped by the serializer, so nothing below can fail.
    variables.Clear();
    TfrxXMLSerializer serializer;
    for (int i = 0; i < root->Count(); ++i)
        if (root->Items(i)->Name().compare(itemName, Qt::CaseInsensitive) == 0)
            serializer.XMLToObj(root->Items(i)->Text(), variables.Add());
    return true;
}

bool TfrxVariablesFile::Save(const QString &fileName, const TfrxVariables &variables, QString &error)
{
    TfrxXMLDocument document;
    document.SetAutoIndent(true);
    TfrxXMLItem *root = document.Root();
    root->SetName(rootName);
    TfrxXMLSerializer serializer;
    for (qsizetype i = 0; i < variables.Count(); ++i)
        root->Add(itemName)->SetText(serializer.ObjToXML(variables.Items(i)).trimmed());
    try {
        document.SaveToFile(fileName);
    } catch (const std::exception &e) {
        error = QString::fromUtf8(e.what());
        return false;
    }
    return true;
}
