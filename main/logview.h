#pragma once
// A read-only log of lines in rich text: the message log and the data-transfer log. Every line
// is appended at the end, and the view follows it. A line may lead to a field of a device; the
// user follows it with a double-click or with Enter on the line the keyboard cursor is in.

#include "documents/findingplace.h"

#include <QStringList>
#include <QTextCharFormat>
#include <QTextEdit>

class TLogView : public QTextEdit {
    Q_OBJECT
public:
    explicit TLogView(QWidget* parent = nullptr);

    // Appends text as a new last line in format and scrolls to it.
    void AppendLine(const QString& text, const QTextCharFormat& format);
    // Appends text in the view's own font.
    void AppendLine(const QString& text);

    int LineCount() const;
    QStringList Lines() const;
    // The format of the first character of a line (0-based); for tests and the options.
    QTextCharFormat LineFormat(int line) const;

    // Takes the face of font (family, size, pitch) for all text and for text appended later;
    // colour, weight and the other style attributes stay each line's own. The user's selection
    // stays as it was.
    void SetTextFont(const QFont& font);

    // Where a line (0-based) leads. A line leads nowhere until it is given a place; clear()
    // forgets them all.
    void SetPlace(int line, const TFindingPlace& place);
    TFindingPlace Place(int line) const;

signals:
    // The user double-clicked a line or pressed Enter on it, whether it leads anywhere or not.
    void LineActivated(int line);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
};
