#include "report/networktextobject.h"

#include "report/networkimage.h"

#include <QAbstractTextDocumentLayout>
#include <QPainter>
#include <QTextCursor>
#include <QTextDocument>

#include <utility>

TNetworkTextObject::TNetworkTextObject(std::string svg, const QSizeF& bounds, QTextDocument& document)
    : QObject(&document), FSvg(std::move(svg)), FSize(NetworkSize(FSvg).scaled(bounds, Qt::KeepAspectRatio))
{
    document.documentLayout()->registerHandler(ObjectType, this);
}

void TNetworkTextObject::Insert(QTextCursor& cursor)
{
    QTextBlockFormat block;
    block.setAlignment(Qt::AlignHCenter);
    cursor.insertBlock(block);
    QTextCharFormat object;
    object.setObjectType(ObjectType);
    cursor.insertText(QString(QChar::ObjectReplacementCharacter), object);
}

QSizeF TNetworkTextObject::intrinsicSize(QTextDocument*, int, const QTextFormat&)
{
    return FSize;
}

void TNetworkTextObject::drawObject(QPainter* painter, const QRectF& rect, QTextDocument*, int, const QTextFormat&)
{
    DrawNetwork(*painter, FSvg, rect);
}
