#pragma once
// Answers a real Qt dialog: a timer polls for the application's active modal widget and, once
// one of type `Dialog` is open, hands it to `answer`, which inspects it and closes it. When none
// opens within five seconds the test fails, and a modal widget of another type is closed, so
// that nothing waits for ever.

#include <functional>
#include <memory>

#include <QAbstractButton>
#include <QApplication>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QTimer>
#include <QWidget>

#include <gtest/gtest.h>

namespace guitest {

template <typename Dialog>
void whenModalOpens(std::function<void(Dialog*)> answer) {
    auto* timer = new QTimer(qApp);
    auto attempts = std::make_shared<int>(0);
    QObject::connect(timer, &QTimer::timeout, timer, [timer, attempts, answer] {
        QWidget* modalWidget = QApplication::activeModalWidget();
        if (auto* dialog = qobject_cast<Dialog*>(modalWidget)) {
            timer->stop();
            timer->deleteLater();
            answer(dialog);
        } else if (++*attempts > 500) {
            timer->stop();
            timer->deleteLater();
            ADD_FAILURE() << "no modal dialog of the expected type opened";
            if (modalWidget) {
                modalWidget->close();
            }
        }
    });
    timer->start(10);
}

// Clicks a file dialog's accept button (Otevřít, Uložit, Vybrat), as the user would.
inline void clickAccept(QFileDialog* dialog) {
    auto* buttons = dialog->findChild<QDialogButtonBox*>("buttonBox");
    for (QAbstractButton* button : buttons->buttons()) {
        if (buttons->buttonRole(button) == QDialogButtonBox::AcceptRole) {
            button->click();
            return;
        }
    }
    ADD_FAILURE() << "the file dialog has no accept button";
}

} // namespace guitest
