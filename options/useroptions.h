#pragma once
// The user's settings as the options dialog edits them and the settings file keeps them: the
// reply time-out of every terminal and whether it reads fast, the frame of the device panel in use, the twelve connection
// colours, the font of the message log, which device each COM name reaches, and where the dialog
// was left. A default object holds the values the program runs with before the user changed
// anything. The main window and the panels read these, never the dialog's controls.

#include "documents/kovdocument.h"
#include "slutil/slportmap.h"

#include <QBrush>
#include <QColor>
#include <QFont>
#include <QGuiApplication>
#include <QPainter>
#include <QPen>
#include <QPoint>
#include <QString>

#include <array>
#include <optional>

struct TUserOptions {
    static constexpr int Devices = TKovDocument::MaxDevices;
    // The reply time-out the user may choose, in milliseconds.
    static constexpr int MinComTimeOut = 500;
    static constexpr int MaxComTimeOut = 60000;

    int ComTimeOut = MinComTimeOut;
    // Reads that end at the reply's prompt instead of waiting their full time (see TKovTerminal).
    bool FastTransfer = false;
    // Its colour frames the panel in use; style, width and mode are kept for the settings file.
    QPen ActiveDevicePen{QBrush(Qt::black), 3};
    QPainter::CompositionMode ActiveDevicePenMode = QPainter::CompositionMode_SourceOver;
    // Index [device 0..5][MSN 0..1].
    std::array<std::array<QBrush, 2>, Devices> ColorToMsn = AllWhite();
    // Its family and size are the message log's; colour and weight come from each line's kind.
    QFont MemoFont = QGuiApplication::font();
    QColor MemoFontColor = Qt::black;
    TslPortMap Ports;

    // The dialog's page in front and its position, as it was left at the last OK.
    QString ActivePage;
    std::optional<QPoint> Position;

private:
    static std::array<std::array<QBrush, 2>, Devices> AllWhite()
    {
        std::array<std::array<QBrush, 2>, Devices> brushes;
        for (auto& device : brushes)
            device.fill(QBrush(Qt::white));
        return brushes;
    }
};
