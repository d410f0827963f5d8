#pragma once
// The network picture of the plan on screen: the picture the export writes, fitted into the
// widget but never so small that its texts cannot be read (the widget then asks for more room,
// which the scroll area around it gives) nor blown up beyond a readable size, and clicks on it turned into what they point at (a device box or a link), which the
// owner turns into a panel and a field. It keeps the plan it was last given; the owner decides
// when that changes.

#include "documents/networklayout.h"
#include "documents/networkmarks.h"
#include "documents/networkplan.h"
#include "documents/networksvg.h"

#include <QRectF>
#include <QWidget>

#include <optional>
#include <string>

class TNetworkView : public QWidget {
    Q_OBJECT
public:
    explicit TNetworkView(QWidget* parent = nullptr);

    // Lays the plan out and draws it anew. Colours that are no "#rrggbb" or marks that do not
    // fit the plan raise ERangeError, and the view keeps the picture it had.
    void SetPicture(TNetworkPlan plan, const TLineColours& colours, const TNetworkMarks& marks);

    // What the view shows now.
    const TNetworkPlan& Plan() const { return FPlan; }
    const TNetworkLayout& Layout() const { return FLayout; }
    const std::string& Svg() const { return FSvg; }
    // Where a point of the layout is on the widget, as the picture was last painted.
    QPointF WidgetPoint(const TNetPoint& point) const;

    // The picture as PNG at twice its natural size, or as the SVG text itself. The file is
    // written completely or not at all; a failure raises EOSError naming the file.
    void WritePng(const std::string& fileName) const;
    void WriteSvg(const std::string& fileName) const;

    QSize sizeHint() const override;

    // The smallest and the largest scale the picture is shown at, against its natural size.
    static constexpr double MinScale = 0.5;
    static constexpr double MaxScale = 1.25;

signals:
    // A click on the box of device (0 for device 1).
    void DeviceClicked(int device);
    // A click on a link: the line whose partner number made it.
    void LinkClicked(TLineRef line);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    std::optional<TNetPoint> LayoutPoint(const QPointF& point) const;

    TNetworkPlan FPlan;
    TNetworkLayout FLayout;
    std::string FSvg;
    // Where the picture was last drawn; empty before the first paint.
    QRectF FDrawn;
};
