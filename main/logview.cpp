#include "main/logview.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

TLogView::TLogView(QWidget* parent) : QTextEdit(parent)
{
    setReadOnly(true);
    setLineWrapMode(QTextEdit::NoWrap);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    // Logs may grow long; undo history would only hold a copy of everything ever written.
    setUndoRedoEnabled(false);
}

void TLogView::AppendLine(const QString& text, const QTextCharFormat& format)
{
    QTextCursor cursor(document());
    cursor.movePosition(QTextCursor::End);
    if (!document()->isEmpty())
        cursor.insertBlock();
    cursor.insertText(text, format);
    // The caret follows the new line, which scrolls the view to it.
    setTextCursor(cursor);
    ensureCursorVisible();
}

void TLogView::AppendLine(const QString& text)
{
    // An empty format leaves every attribute to the document's default font, the view's own.
    AppendLine(text, QTextCharFormat());
}

int TLogView::LineCount() const
{
    return document()->isEmpty() ? 0 : document()->blockCount();
}

QStringList TLogView::Lines() const
{
    if (document()->isEmpty())
        return {};
    return document()->toPlainText().split(QChar('\n'));
}

QTextCharFormat TLogView::LineFormat(int line) const
{
    const QTextBlock block = document()->findBlockByNumber(line);
    if (!block.isValid())
        return {};
    QTextCursor cursor(block);
    cursor.movePosition(QTextCursor::NextCharacter);
    return cursor.charFormat();
}

void TLogView::SetTextFont(const QFont& font)
{
    QTextCharFormat face;
    face.setFontFamilies(font.families().isEmpty() ? QStringList{font.family()} : font.families());
    if (font.pointSizeF() > 0)
        face.setFontPointSize(font.pointSizeF());
    document()->setDefaultFont(font);
    // A cursor of its own selects everything, so the user's selection is not touched.
    QTextCursor all(document());
    all.select(QTextCursor::Document);
    all.mergeCharFormat(face);
}
