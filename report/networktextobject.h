#pragma once
// The network picture as an object in a QTextDocument: it takes its place in the text flow like
// a character, and is drawn as vectors by whatever painter draws the text, so a PDF keeps lines
// and names sharp.

#include <QObject>
#include <QSizeF>
#include <QTextObjectInterface>

#include <string>

class QTextCursor;
class QTextDocument;

class TNetworkTextObject : public QObject, public QTextObjectInterface {
    Q_OBJECT
    Q_INTERFACES(QTextObjectInterface)
public:
    static constexpr int ObjectType = QTextFormat::UserObject + 1;

    // Registers the picture with document, which owns it, as large as fits into bounds
    // (document units) with its proportions kept.
    TNetworkTextObject(std::string svg, const QSizeF& bounds, QTextDocument& document);

    // Inserts the picture at cursor as a paragraph of its own.
    static void Insert(QTextCursor& cursor);

    QSizeF intrinsicSize(QTextDocument* document, int position, const QTextFormat& format) override;
    void drawObject(QPainter* painter, const QRectF& rect, QTextDocument* document, int position,
                    const QTextFormat& format) override;

private:
    std::string FSvg;
    QSizeF FSize;
};
