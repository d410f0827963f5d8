#include "main/logview.h"

#include "platform/exceptions.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include <string>

namespace {

// Kept with the line's block, so that the place goes when the line does.
struct TPlaceData : QTextBlockUserData {
    explicit TPlaceData(const TFindingPlace& place) : Place(place) {}
    TFindingPlace Place;
};

}  // namespace

TLogView::TLogView(QWidget* parent) : QTextEdit(parent)
{
    setReadOnly(true);
    // A caret the keyboard moves, so that Enter can follow the line it is in; the text stays
    // read-only.
    setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
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

void TLogView::SetPlace(int line, const TFindingPlace& place)
{
    QTextBlock block = document()->findBlockByNumber(line);
    if (document()->isEmpty() || !block.isValid())
        throw ERangeError("TLogView::SetPlace: falsche Zeile " + std::to_string(line));
    // The document owns the data of its blocks.
    block.setUserData(new TPlaceData(place));
}

TFindingPlace TLogView::Place(int line) const
{
    const auto* data = dynamic_cast<const TPlaceData*>(document()->findBlockByNumber(line).userData());
    return data ? data->Place : TFindingPlace();
}

void TLogView::keyPressEvent(QKeyEvent* event)
{
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (!enter || (event->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier) {
        QTextEdit::keyPressEvent(event);
        return;
    }
    if (!document()->isEmpty())
        emit LineActivated(textCursor().blockNumber());
}

void TLogView::mouseDoubleClickEvent(QMouseEvent* event)
{
    QTextEdit::mouseDoubleClickEvent(event);
    if (event->button() != Qt::LeftButton || document()->isEmpty())
        return;
    const QPoint point = event->position().toPoint();
    const QTextCursor at = cursorForPosition(point);
    // Above the first line or below the last the nearest line would be taken; only a line
    // itself counts.
    const QRect line = cursorRect(at);
    if (point.y() < line.top() || point.y() > line.bottom())
        return;
    emit LineActivated(at.blockNumber());
}
