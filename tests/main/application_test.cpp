// Protects the top-level error display (text rule, box, loop going on after an error) and the busy cursor.
#include "platform/exceptions.h"
#include "platform/gui/application.h"
#include "tests/main/uitesthelpers.h"

#include <gtest/gtest.h>

#include <QEventLoop>

#include <functional>

namespace {

// Throws from its event handler, as an action or a slot of the program may.
class TThrower : public QObject {
public:
    explicit TThrower(std::function<void()> raise) : FRaise(std::move(raise)) {}

protected:
    bool event(QEvent* event) override
    {
        if (event->type() == QEvent::User)
            FRaise();
        return QObject::event(event);
    }

private:
    std::function<void()> FRaise;
};

}  // namespace

TEST(TApplicationErrorText, FullStopAppendedOnlyAfterCharactersThatSortAfterIt)
{
    const struct {
        std::string Message;
        QString Shown;
    } cases[] = {
        {"", ""},
        {"Fehler", "Fehler."},
        {"Datei gespeichert.", "Datei gespeichert."},
        {"endet mit Blank ", "endet mit Blank "},
        {"TKovTerminal::SetMsnIncoming: falscher Index 7", "TKovTerminal::SetMsnIncoming: falscher Index 7."},
        {"Abbruch!", "Abbruch!"},  // '!' sorts before '.'
        {"Bindestrich-", "Bindestrich-"},  // '-' is the last character before '.'
        {"Pfad /", "Pfad /."},  // '/' is the first after it
        {"Wirklich?", "Wirklich?."},
        {"Systemfehler. Code: 5.\nEingabe-/Ausgabefehler\n", "Systemfehler. Code: 5.\nEingabe-/Ausgabefehler\n"},
        {"Kein KovTerminal übergeben", "Kein KovTerminal übergeben."},
        {"Gerät", "Gerät."},  // a character beyond ASCII, read as UTF-8
    };
    for (const auto& c : cases)
        EXPECT_EQ(TApplication::ErrorText(c.Message), c.Shown) << c.Message;
}

TEST(TApplicationErrorDisplay, ErrorInAnEventHandlerIsShownAndTheLoopGoesOn)
{
    const struct {
        const char* Name;
        std::function<void()> Raise;
        QString Text;
    } cases[] = {
        {"program error", [] { throw ERangeError("TKovTerminal::SetMsnIncoming: falscher Index 7"); },
         "TKovTerminal::SetMsnIncoming: falscher Index 7."},
        {"foreign exception", [] { throw 42; }, "Unbekannter Fehler."},
    };
    for (const auto& c : cases) {
        TMessageBoxWatcher watcher;
        TThrower thrower(c.Raise);
        bool continued = false;
        QEventLoop loop;
        QCoreApplication::postEvent(&thrower, new QEvent(QEvent::User));
        QMetaObject::invokeMethod(
            &loop,
            [&] {
                continued = true;
                loop.quit();
            },
            Qt::QueuedConnection);
        loop.exec();

        EXPECT_TRUE(continued) << c.Name;
        ASSERT_EQ(watcher.Boxes.size(), 1u) << c.Name;
        EXPECT_EQ(watcher.Boxes[0].Caption, "TALV-Configurator") << c.Name;
        EXPECT_EQ(watcher.Boxes[0].Text, c.Text) << c.Name;
        EXPECT_EQ(watcher.Boxes[0].Icon, QMessageBox::Critical) << c.Name;
        EXPECT_EQ(watcher.Boxes[0].Buttons, QMessageBox::Ok) << c.Name;
    }
}

TEST(TApplicationErrorDisplay, CaptionFollowsTheCurrentTitle)
{
    TMessageBoxWatcher watcher;
    const QString before = TApplication::Title();
    TApplication::SetTitle("TALV-Configurator V2.00.00 - ./a.kov");
    TApplication::ShowException(Exception("nach a.kov kann nicht geschrieben werden"));
    TApplication::SetTitle(before);
    ASSERT_EQ(watcher.Boxes.size(), 1u);
    EXPECT_EQ(watcher.Boxes[0].Caption, "TALV-Configurator V2.00.00 - ./a.kov");
    EXPECT_EQ(watcher.Boxes[0].Text, "nach a.kov kann nicht geschrieben werden.");
}
