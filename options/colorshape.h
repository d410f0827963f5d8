#pragma once
// A colour sample: a rectangle or rounded rectangle filled with its brush and framed with its
// pen. It is the dialog's "TShape": the colour choices live in these samples, and the dialog
// tells a sample from any other control by this class.

#include <QBrush>
#include <QPainter>
#include <QPen>
#include <QWidget>

class TColorShape : public QWidget {
    Q_OBJECT
public:
    enum tShapeType : int { stRectangle, stRoundRect };

    explicit TColorShape(tShapeType shape, QWidget* parent = nullptr);

    const QBrush& Brush() const { return FBrush; }
    void SetBrush(const QBrush& brush);
    const QPen& Pen() const { return FPen; }
    void SetPen(const QPen& pen);
    // How the frame is combined with what lies below it.
    QPainter::CompositionMode PenMode() const { return FPenMode; }
    void SetPenMode(QPainter::CompositionMode mode);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    tShapeType FShape;
    QBrush FBrush{Qt::white};
    QPen FPen{QBrush(Qt::black), 1};
    QPainter::CompositionMode FPenMode = QPainter::CompositionMode_SourceOver;
};
