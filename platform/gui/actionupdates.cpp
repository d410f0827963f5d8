#include "platform/gui/actionupdates.h"

#include "platform/gui/application.h"

#include <QAbstractEventDispatcher>
#include <QCoreApplication>
#include <QThread>

#include <stdexcept>

TActionUpdates::TActionUpdates(QObject* parent) : QObject(parent)
{
    // aboutToBlock fires once each time the GUI thread's loop (the main loop or a modal dialog's)
    // is about to wait. It comes only after something woke the loop, so there is no timer and no
    // polling: an idle program is not woken by its own update handlers.
    QAbstractEventDispatcher* dispatcher = QAbstractEventDispatcher::instance(parent->thread());
    if (dispatcher)
        connect(dispatcher, &QAbstractEventDispatcher::aboutToBlock, this, &TActionUpdates::Pass);
}

TActionUpdates& TActionUpdates::Instance()
{
    // One registry per application object; it goes with the application object, so a later one
    // (tests) starts afresh.
    static QPointer<TActionUpdates> instance;
    if (!instance) {
        QCoreApplication* application = QCoreApplication::instance();
        if (!application)
            throw std::logic_error("TActionUpdates: no application object");
        instance = new TActionUpdates(application);
    }
    return *instance;
}

void TActionUpdates::Add(QObject* owner, std::function<void()> update)
{
    if (!owner || !update)
        return;
    Instance().FHandlers.push_back({owner, std::move(update)});
}

void TActionUpdates::RunAll()
{
    Instance().Pass();
}

quint64 TActionUpdates::PassCount()
{
    return Instance().FPasses;
}

void TActionUpdates::Pass()
{
    // A handler that opens a nested loop (it should not, but a message box can come from
    // anywhere) must not start a second pass over the same list.
    if (FRunning)
        return;
    FRunning = true;
    ++FPasses;
    for (auto it = FHandlers.begin(); it != FHandlers.end();) {
        if (!it->Owner) {
            it = FHandlers.erase(it);
            continue;
        }
        try {
            it->Update();
            ++it;
        } catch (const std::exception& error) {
            // The handler would fail again in the next pass, and the one after, each time the
            // loop wakes: it is dropped and its error shown once, after the pass, by the
            // top-level handler's display.
            it = FHandlers.erase(it);
            const std::string message = error.what();
            QMetaObject::invokeMethod(
                this, [message] { TApplication::ShowException(std::runtime_error(message)); },
                Qt::QueuedConnection);
        } catch (...) {
            it = FHandlers.erase(it);
            QMetaObject::invokeMethod(
                this, [] { TApplication::ShowException(std::runtime_error(TApplication::UnknownErrorText())); },
                Qt::QueuedConnection);
        }
    }
    FRunning = false;
}
