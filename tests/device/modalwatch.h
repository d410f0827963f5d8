#pragma once
// Acts on the modal dialogs that an action opens. A test sets up a watch before the action; while
// a modal dialog is up, the watch's handler runs from inside the dialog's own event loop, once per
// turn of that loop, until the handler has closed the dialog.

#include <QApplication>
#include <QInputDialog>
#include <QMessageBox>
#include <QTimer>
#include <QWidget>

#include <functional>
#include <vector>

class TModalWatch {
public:
    using THandler = std::function<void(QWidget& modal)>;

    explicit TModalWatch(THandler handler) : FHandler(std::move(handler))
    {
        // A modal loop gives control back only through its events; a zero-interval timer is
        // one such event in every turn of the loop.
        QObject::connect(&FTimer, &QTimer::timeout, [this] {
            if (QWidget* modal = QApplication::activeModalWidget())
                FHandler(*modal);
        });
        FTimer.start(1);
    }

private:
    THandler FHandler;
    QTimer FTimer;
};

// Records the text of every message box and closes it; anything else modal is cancelled, so a
// test never hangs on a dialog it did not expect.
class TMessageBoxes {
public:
    TMessageBoxes()
        : FWatch([this](QWidget& modal) {
              if (auto* box = qobject_cast<QMessageBox*>(&modal)) {
                  Texts.push_back(box->text().toStdString());
                  box->done(QMessageBox::Ok);
              } else if (auto* dialog = qobject_cast<QDialog*>(&modal)) {
                  Others.push_back(modal.objectName().toStdString());
                  dialog->reject();
              }
          })
    {
    }

    std::vector<std::string> Texts;
    std::vector<std::string> Others;

private:
    TModalWatch FWatch;
};
