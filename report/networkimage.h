#pragma once
// The network picture drawn with Qt: the same SVG the export writes, rendered for the screen, a
// PNG file or a printed page, so every place shows one picture.

#include <QImage>
#include <QRectF>

#include <string>

class QPainter;

// The picture at scale times its natural size (one unit a pixel), on white. An SVG that Qt cannot
// read raises ERangeError.
QImage NetworkImage(const std::string& svg, double scale);

// The picture's natural size (one unit a pixel). An SVG that Qt cannot read raises ERangeError.
QSizeF NetworkSize(const std::string& svg);

// Draws the picture into target, as large as fits with its proportions kept, centred; returns
// the rectangle it took.
QRectF DrawNetwork(QPainter& painter, const std::string& svg, const QRectF& target);
