#include "report/networkimage.h"

#include "platform/exceptions.h"

#include <QPainter>
#include <QSvgRenderer>

#include <algorithm>
#include <cmath>

namespace {

void Load(QSvgRenderer& renderer, const std::string& svg)
{
    if (!renderer.load(QByteArray::fromStdString(svg)))
        throw ERangeError("NetworkImage: kein lesbares SVG");
}

}  // namespace

QImage NetworkImage(const std::string& svg, double scale)
{
    QSvgRenderer renderer;
    Load(renderer, svg);
    const QSizeF size = renderer.viewBoxF().size() * scale;
    QImage image(std::max(1, static_cast<int>(std::ceil(size.width()))),
                 std::max(1, static_cast<int>(std::ceil(size.height()))), QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    renderer.render(&painter, QRectF(QPointF(0, 0), size));
    return image;
}

QSizeF NetworkSize(const std::string& svg)
{
    QSvgRenderer renderer;
    Load(renderer, svg);
    return renderer.viewBoxF().size();
}

QRectF DrawNetwork(QPainter& painter, const std::string& svg, const QRectF& target)
{
    QSvgRenderer renderer;
    Load(renderer, svg);
    const QSizeF natural = renderer.viewBoxF().size();
    if (natural.isEmpty() || target.isEmpty())
        return {};
    const QSizeF fitted = natural.scaled(target.size(), Qt::KeepAspectRatio);
    const QRectF place(target.left() + (target.width() - fitted.width()) / 2,
                       target.top() + (target.height() - fitted.height()) / 2, fitted.width(), fitted.height());
    renderer.render(&painter, place);
    return place;
}
