// SPDX-License-Identifier: MIT
// Renders the program's scalable icon into PNG files of the hicolor theme's sizes, so that the
// bitmaps installed beside the SVG are always drawn from it.
//
// usage: quillmate-iconrender SVG OUTDIR SIZE...   (writes OUTDIR/SIZExSIZE.png)

#include <QColor>
#include <QImage>
#include <QPainter>
#include <QString>
#include <QSvgRenderer>

#include <cstdio>
#include <cstdlib>
#include <string>

int main(int argc, char* argv[]) {
  if (argc < 4) {
    std::fprintf(stderr, "usage: quillmate-iconrender SVG OUTDIR SIZE...\n");
    return 2;
  }
  QSvgRenderer renderer(QString::fromLocal8Bit(argv[1]));
  if (!renderer.isValid()) {
    std::fprintf(stderr, "quillmate-iconrender: cannot read %s\n", argv[1]);
    return 1;
  }
  const QString outDir = QString::fromLocal8Bit(argv[2]);
  for (int i = 3; i < argc; ++i) {
    const int size = std::atoi(argv[i]);
    if (size <= 0 || size > 1024) {
      std::fprintf(stderr, "quillmate-iconrender: bad size %s\n", argv[i]);
      return 2;
    }
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    renderer.render(&painter);
    painter.end();
    const QString path = QStringLiteral("%1/%2x%2.png").arg(outDir).arg(size);
    if (!image.save(path, "PNG")) {
      std::fprintf(stderr, "quillmate-iconrender: cannot write %s\n", qPrintable(path));
      return 1;
    }
  }
  return 0;
}
