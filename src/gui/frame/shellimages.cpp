// SPDX-License-Identifier: MIT
#include "frame/shellimages.h"

#include <QFile>

#include "shell/projecttree.h"

// Outside any namespace, as the resource system requires.
static void InitQuillmateResources() { Q_INIT_RESOURCE(quillmate); }

namespace qm {

void InitShellResources() {
  static const bool done = [] {
    InitQuillmateResources();
    return true;
  }();
  (void)done;
}

QPixmap ShellImage(const QString& name) {
  InitShellResources();
  return QPixmap(QStringLiteral(":/images/") + name + QStringLiteral(".png"));
}

QIcon ShellIcon(const QString& name) {
  InitShellResources();
  return QIcon(QStringLiteral(":/images/") + name + QStringLiteral(".png"));
}

QIcon ApplicationIcon() {
  QIcon icon;
  for (int size : {16, 32, 64}) icon.addPixmap(ShellImage(QStringLiteral("quillmate_%1").arg(size)));
  return icon;
}

QPixmap ProjectImage(int index) {
  switch (index) {
    case kImageForm: return ShellImage(QStringLiteral("tree_form"));
    case kImageModule: return ShellImage(QStringLiteral("tree_module"));
    case kImageClass: return ShellImage(QStringLiteral("tree_class"));
    case kImageUserControl: return ShellImage(QStringLiteral("tree_usercontrol"));
    case kImagePropertyPage: return ShellImage(QStringLiteral("tree_propertypage"));
    case kImageUserDocument: return ShellImage(QStringLiteral("tree_userdocument"));
    case kImageDesigner: return ShellImage(QStringLiteral("tree_designer"));
    default: return ShellImage(QStringLiteral("tree_project"));
  }
}

QPixmap ProjectStateImage(int index) {
  return ShellImage(index == kStateSelected ? QStringLiteral("state_selected") : QStringLiteral("state_deselected"));
}

}  // namespace qm
