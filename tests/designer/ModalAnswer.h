#pragma once

#include <QApplication>
#include <QTimer>

#include <functional>

// Runs action and, once the modal dialog of type T that it opens is up, hands it to answer (which
// closes it); returns whether one opened.
template <class T>
bool AnswerModal(const std::function<void()> &action, const std::function<void(T *)> &answer)
{
    bool opened = false;
    QTimer::singleShot(0, [&opened, &answer] {
        if (auto *dialog = qobject_cast<T *>(QApplication::activeModalWidget())) {
            opened = true;
            answer(dialog);
        }
    });
    action();
    QCoreApplication::processEvents(); // the timer, when action opened nothing
    return opened;
}
