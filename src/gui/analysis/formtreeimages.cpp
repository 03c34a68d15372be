// SPDX-License-Identifier: MIT
#include "analysis/formtreeimages.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

#include <map>

#include "analysis/formtree.h"

namespace qm {

namespace {

const QColor kOutline(64, 64, 64);
const QColor kCaptionBlue(0, 0, 128);
const QColor kPaper(255, 255, 255);
const QColor kFace(212, 208, 200);
const QColor kInk(96, 96, 96);

// A window: caption bar above a white client area.
void DrawWindow(QPainter& p, const QRectF& r) {
  p.setPen(QPen(kOutline, 1));
  p.setBrush(kPaper);
  p.drawRect(r);
  p.fillRect(QRectF(r.left() + 0.5, r.top() + 0.5, r.width() - 0.5, 3), kCaptionBlue);
}

void DrawProject(QPainter& p) {
  // Three forms stacked: the project holds them.
  DrawWindow(p, QRectF(5.5, 1.5, 9, 7));
  DrawWindow(p, QRectF(3.5, 4.5, 9, 7));
  DrawWindow(p, QRectF(1.5, 7.5, 9, 7));
}

void DrawForm(QPainter& p) {
  DrawWindow(p, QRectF(1.5, 2.5, 13, 11));
  // The grid of the form designer.
  p.setPen(QPen(kInk, 1));
  for (int y = 8; y <= 12; y += 2) {
    for (int x = 4; x <= 12; x += 2) p.drawPoint(x, y);
  }
}

void DrawFile(QPainter& p) {
  QPainterPath page;
  page.moveTo(3.5, 1.5);
  page.lineTo(9.5, 1.5);
  page.lineTo(12.5, 4.5);
  page.lineTo(12.5, 14.5);
  page.lineTo(3.5, 14.5);
  page.closeSubpath();
  p.setPen(QPen(kOutline, 1));
  p.setBrush(kPaper);
  p.drawPath(page);
  p.drawPolyline(QPolygonF({QPointF(9.5, 1.5), QPointF(9.5, 4.5), QPointF(12.5, 4.5)}));
  p.setPen(QPen(kInk, 1));
  for (int y = 7; y <= 12; y += 2) p.drawLine(QPointF(5, y + 0.5), QPointF(11, y + 0.5));
}

void DrawPropertySheet(QPainter& p) {
  // A two-column table: names on the left, values on the right.
  p.setPen(QPen(kOutline, 1));
  p.setBrush(kPaper);
  p.drawRect(QRectF(1.5, 2.5, 13, 11));
  p.fillRect(QRectF(2, 3, 12, 2.5), kFace);
  p.drawLine(QPointF(6.5, 2.5), QPointF(6.5, 13.5));
  for (int y = 5; y <= 11; y += 3) p.drawLine(QPointF(1.5, y + 0.5), QPointF(14.5, y + 0.5));
  p.setPen(QPen(QColor(0, 96, 0), 1));
  for (int y = 7; y <= 12; y += 3) p.drawLine(QPointF(8, y + 0.5), QPointF(13, y + 0.5));
}

void DrawControl(QPainter& p) {
  // A command button, raised.
  const QRectF face(1.5, 4.5, 13, 7);
  p.setPen(Qt::NoPen);
  p.setBrush(kFace);
  p.drawRect(face);
  p.setPen(QPen(kPaper, 1));
  p.drawLine(face.topLeft(), face.topRight());
  p.drawLine(face.topLeft(), face.bottomLeft());
  p.setPen(QPen(kOutline, 1));
  p.drawLine(face.bottomLeft(), face.bottomRight());
  p.drawLine(face.topRight(), face.bottomRight());
  p.setPen(QPen(kInk, 1));
  p.drawLine(QPointF(5, 8.5), QPointF(11, 8.5));
}

QPixmap Draw(int index, int scale) {
  QPixmap pixmap(16 * scale, 16 * scale);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing, scale > 1);
  p.scale(scale, scale);
  switch (index) {
    case kFormImageRoot: DrawProject(p); break;
    case kFormImageForm: DrawForm(p); break;
    case kFormImageFile: DrawFile(p); break;
    case kFormImageProperties: DrawPropertySheet(p); break;
    default: DrawControl(p); break;
  }
  return pixmap;
}

}  // namespace

QIcon FormTreeIcon(int index) {
  static std::map<int, QIcon> cache;
  if (auto found = cache.find(index); found != cache.end()) return found->second;
  QIcon icon;
  icon.addPixmap(Draw(index, 1));
  icon.addPixmap(Draw(index, 2));
  return cache.emplace(index, icon).first->second;
}

}  // namespace qm
