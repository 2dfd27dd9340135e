#pragma once

// What the tests of the band, group, variables, page and report dialogs share: the designer's
// questions answered by the test, widgets found by name, a report with data sets, and pictures of
// the dialogs for a person to look at.

#include "DesignerTestSupport.h"
#include "FakeDesigner.h"
#include "TfrxDataPage.h"
#include "TfrxDesignerDialogs.h"
#include "TfrxReportDataSets.h"
#include "TfrxReportPage.h"
#include "TfrxUserDataSet.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QDir>
#include <QLabel>
#include <QTest>
#include <QWidget>

#include <gtest/gtest.h>

namespace structuretest {

// The designer's message boxes and file dialogs, answered and recorded; in place while it lives.
class RecordingDialogs : public TfrxDesignerDialogs
{
public:
    RecordingDialogs() { SetCurrent(this); }
    ~RecordingDialogs() override { SetCurrent(nullptr); }

    Answer answer = Cancel;
    QStringList fileNames; // answers to the file dialogs, in order; none left means cancelled
    QStringList questions;
    QStringList errors;

    Answer Ask(QWidget *, const QString &question) override
    {
        questions << question;
        return answer;
    }
    void ShowError(QWidget *, const QString &text) override { errors << text; }
    QString OpenFileName(QWidget *, const QString &, const QString &) override { return nextFile(); }
    QString SaveFileName(QWidget *, const QString &, const QString &, const QString &) override
    {
        return nextFile();
    }

private:
    QString nextFile() { return fileNames.isEmpty() ? QString() : fileNames.takeFirst(); }
};

template <class T> T *child(const QWidget *parent, const QString &name)
{
    T *widget = parent->findChild<T *>(name);
    EXPECT_NE(widget, nullptr) << name.toStdString();
    return widget;
}

// Clicks a button; check boxes and radio buttons on their indicator, since a wide one takes clicks
// only on its indicator and text.
inline void click(const QWidget *parent, const QString &button)
{
    auto *widget = child<QAbstractButton>(parent, button);
    const bool indicator = widget->inherits("QCheckBox") || widget->inherits("QRadioButton");
    QTest::mouseClick(widget, Qt::LeftButton, {}, indicator ? QPoint(8, widget->height() / 2) : QPoint());
}

// A data set of the report's data page with the given fields, in the report's list.
inline TfrxUserDataSet *AddDataSet(TfrxReport &report, const QString &name, const QStringList &fields)
{
    TfrxDataPage *dataPage = nullptr;
    for (TfrxComponent *child : report.Objects())
        if (auto *page = qobject_cast<TfrxDataPage *>(child))
            dataPage = page;
    auto *dataSet = new TfrxUserDataSet(dataPage);
    dataSet->SetName(name);
    dataSet->SetFields(fields);
    report.DataSets()->Add(dataSet);
    return dataSet;
}

// Where the pictures of the dialogs go, one folder for all of them.
inline QString PicturePath(const QString &name)
{
    const QString folder = QDir::temp().filePath(QStringLiteral("zelta-structdlg"));
    QDir().mkpath(folder);
    return QDir(folder).filePath(name);
}

// Every visible label and button of a shown window has the room its text needs (nothing clipped
// at this scale), and the window is saved as a picture named after it and the scale.
inline void CheckAndKeepPicture(QWidget *window, const QString &name)
{
    window->show();
    QCoreApplication::processEvents();
    for (const QWidget *w : window->findChildren<QWidget *>()) {
        const bool hasText = qobject_cast<const QLabel *>(w) || qobject_cast<const QAbstractButton *>(w);
        if (!w->isVisible() || !hasText)
            continue;
        EXPECT_GE(w->width(), w->minimumSizeHint().width())
            << name.toStdString() << ": " << w->metaObject()->className() << " "
            << w->objectName().toStdString();
        EXPECT_GE(w->height(), w->minimumSizeHint().height())
            << name.toStdString() << ": " << w->objectName().toStdString();
    }
    const QString file = QStringLiteral("%1@%2.png").arg(name).arg(window->devicePixelRatioF());
    EXPECT_TRUE(window->grab().save(PicturePath(file)));
}

} // namespace structuretest
