#pragma once
// The main window's status bar: nine panels side by side, of which the window draws four itself
// (the error and warning lamps and the two count boxes); the last one shows the long hint of
// whatever is under the mouse, and when there is none, what the devices are doing.

#include <QStatusBar>

#include <array>

class TMainStatusBar : public QStatusBar {
    Q_OBJECT
public:
    static constexpr int PanelCount = 9;
    enum : int {
        ErrorLamp = 0,
        WarningLamp = 1,
        ErrorCaption = 3,
        ErrorCount = 4,
        WarningCaption = 5,
        WarningCount = 6,
        Hint = 8,
    };

    explicit TMainStatusBar(QWidget* parent = nullptr);

    // Shows the counts in their boxes; a count above 0 lights its lamp and outlines its box.
    void SetCounts(int errors, int warnings);
    int Errors() const { return FErrors; }
    int Warnings() const { return FWarnings; }

    // What runs on the devices; empty when nothing does.
    void SetActivity(const QString& text);
    const QString& Activity() const { return FActivity; }

    // The text a panel shows ("Fehler:", the decimal counts, the hint; empty for the others).
    QString PanelText(int index) const;
    QRect PanelRect(int index) const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void DrawLamp(QPainter& painter, const QRect& rect, bool lit, const QColor& colour) const;
    void DrawCountBox(QPainter& painter, const QRect& rect, int count, const QColor& colour) const;

    static constexpr std::array<int, PanelCount> PanelWidths = {20, 23, 10, 40, 40, 65, 40, 10, 500};
    int FErrors = 0;
    int FWarnings = 0;
    QString FActivity;
};
