#pragma once
// Helpers for widget tests that run modal loops: answering message boxes as they appear, and
// running the event loop until it is about to wait.

#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QEvent>
#include <QEventLoop>
#include <QMessageBox>
#include <QPushButton>
#include <QThread>

#include <vector>

// Records every message box shown while it lives and presses its OK button once it is up.
class TMessageBoxWatcher : public QObject {
public:
    struct TBox {
        QString Caption;
        QString Text;
        QMessageBox::Icon Icon;
        QMessageBox::StandardButtons Buttons;
    };

    TMessageBoxWatcher() { qApp->installEventFilter(this); }
    ~TMessageBoxWatcher() override { qApp->removeEventFilter(this); }

    std::vector<TBox> Boxes;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        auto* box = qobject_cast<QMessageBox*>(watched);
        if (box && event->type() == QEvent::Show) {
            Boxes.push_back({box->windowTitle(), box->text(), box->icon(), box->standardButtons()});
            // Queued: the box's own loop has to run before it can be closed.
            QMetaObject::invokeMethod(
                box,
                [box] {
                    if (QAbstractButton* ok = box->button(QMessageBox::Ok))
                        ok->click();
                    else
                        box->reject();
                },
                Qt::QueuedConnection);
        }
        return false;
    }
};

// Runs the GUI thread's event loop until it is about to wait for new events.
inline void RunUntilIdle()
{
    QEventLoop loop;
    const auto connection = QObject::connect(QAbstractEventDispatcher::instance(QThread::currentThread()),
                                             &QAbstractEventDispatcher::aboutToBlock, &loop, &QEventLoop::quit);
    loop.exec();
    QObject::disconnect(connection);
}
