#pragma once
// Update handlers of actions: they work out enabled, checked and caption states whenever the user
// interface becomes idle, so the code that changes a state never pushes it into the controls.
// A pass runs each time the GUI thread's event loop is about to wait for new events; nothing runs
// while nothing happens.
//
// Handlers must leave unchanged values alone (QAction's setters already do): a pass that changes
// nothing then posts no event, the loop goes back to sleep and the program uses no CPU while idle.
// GUI thread only.

#include <QObject>
#include <QPointer>

#include <functional>
#include <list>

class TActionUpdates : public QObject {
    Q_OBJECT
public:
    // Runs `update` in every idle pass while `owner` lives; the handler is dropped with its owner.
    static void Add(QObject* owner, std::function<void()> update);
    // One pass now (tests, and code that must see the states at once).
    static void RunAll();
    // How many passes have run so far; lets tests see that an idle loop stays asleep.
    static quint64 PassCount();

private:
    struct THandler {
        QPointer<QObject> Owner;
        std::function<void()> Update;
    };

    explicit TActionUpdates(QObject* parent);
    static TActionUpdates& Instance();
    void Pass();

    // A list, so that a handler may add handlers during a pass without moving the running one.
    std::list<THandler> FHandlers;
    bool FRunning = false;
    quint64 FPasses = 0;
};
