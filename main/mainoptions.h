#pragma once
// The user settings the main window hands to terminals, panels and the message log. A default
// object holds the values the program runs with before the user changed anything.

#include <QColor>
#include <QFont>
#include <QGuiApplication>

#include <array>

class TDlgOptions;

struct TMainOptions {
    static constexpr int Devices = 6;

    int ComTimeOut = 500;
    QColor ActiveDeviceColor = Qt::black;
    // Index [device 0..5][link 0..1].
    std::array<std::array<QColor, 2>, Devices> ColorToMsn = AllWhite();
    // Its family and size are the message log's; colour and weight come from each line's kind.
    QFont MemoFont = QGuiApplication::font();

private:
    static std::array<std::array<QColor, 2>, Devices> AllWhite()
    {
        std::array<std::array<QColor, 2>, Devices> colours;
        for (auto& device : colours)
            device.fill(Qt::white);
        return colours;
    }
};

// The settings the options dialog's controls hold now.
TMainOptions OptionsOf(const TDlgOptions& dialog);
