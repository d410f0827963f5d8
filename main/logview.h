#pragma once
// A read-only log of lines in rich text: the message log and the data-transfer log. Every line
// is appended at the end, and the view follows it.

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
};
