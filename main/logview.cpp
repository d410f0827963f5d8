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
    face.setFontFixedPitch(font.fixedPitch());
    face.setFontStyleHint(font.styleHint());
    if (font.pointSizeF() > 0)
        face.setFontPointSize(font.pointSizeF());
    else if (font.pixelSize() > 0)
        face.setProperty(QTextFormat::FontPixelSize, font.pixelSize());

    // Lines appended without a format of their own take the default font: only its face
    // changes, so a bold or italic memo font does not make every later line bold or italic.
    QFont base = document()->defaultFont();
    base.setFamilies(face.fontFamilies().toStringList());
    base.setFixedPitch(font.fixedPitch());
    base.setStyleHint(font.styleHint());
    if (font.pointSizeF() > 0)
        base.setPointSizeF(font.pointSizeF());
    else if (font.pixelSize() > 0)
        base.setPixelSize(font.pixelSize());
    document()->setDefaultFont(base);

    // A cursor of its own selects everything, so the user's selection is not touched.
    QTextCursor all(document());
    all.select(QTextCursor::Document);
    all.mergeCharFormat(face);
}
