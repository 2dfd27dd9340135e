#pragma once

// The script editor shown in a window of its own and driven by key and mouse events.

#include "QtPrinters.h"
#include "TfrxSyntaxMemo.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>

// Places as (column, line).
inline void PrintTo(const QPoint &point, std::ostream *os)
{
    *os << '(' << point.x() << ", " << point.y() << ')';
}

class SyntaxMemoFixture : public ::testing::Test
{
protected:
    SyntaxMemoFixture()
    {
        memo.resize(640, 400);
        memo.show();
        memo.activateWindow();
        memo.setFocus();
        QApplication::processEvents();
    }

    void Load(const QStringList &lines, int column = 1, int line = 1)
    {
        memo.SetLines(lines);
        memo.SetPos(column, line);
    }

    void Key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QTest::keyClick(&memo, key, modifiers);
    }

    // Types the text one key at a time, each key carrying its character as a keyboard sends it.
    void Type(const QString &text, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        for (QChar c : text) {
            const auto key = Qt::Key(c.toUpper().unicode());
            QTest::sendKeyEvent(QTest::Press, &memo, key, QString(c), modifiers);
            QTest::sendKeyEvent(QTest::Release, &memo, key, QString(c), modifiers);
        }
    }

    QStringList Lines() const { return memo.Lines(); }
    QPoint Pos() const { return memo.Pos(); }

    // A point just right of where the caret stands before (column, line), in the viewport's
    // coordinates: a click there puts the caret at that place.
    QPoint CellAt(int column, int line)
    {
        const QPoint keep = memo.Pos();
        memo.SetPos(column, line);
        const QRect caret = memo.inputMethodQuery(Qt::ImCursorRectangle).toRect();
        memo.SetPos(keep.x(), keep.y());
        return caret.center() - memo.viewport()->pos() + QPoint(1, 0);
    }

    TfrxSyntaxMemo memo;
};
