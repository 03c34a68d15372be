// SPDX-License-Identifier: MIT
#pragma once

// The images shipped inside the program: toolbar buttons, the project tree's node and state
// images, the background of the client area and the program's icon.

#include <QIcon>
#include <QPixmap>
#include <QString>

namespace qm {

// Makes the shipped images and help pages available (they live in a static library, whose
// resources are not registered by themselves).
void InitShellResources();

// An image by name ("tb_open", "tree_form", "background", ...); the high-resolution variant is
// picked by the icon when the screen wants it.
QPixmap ShellImage(const QString& name);
QIcon ShellIcon(const QString& name);
// The program's icon in its sizes.
QIcon ApplicationIcon();

// The tree's image lists: node images by index (0 project, 1 form, 4 module, 5 class; the others
// are not used and show the project image) and state images (1 takes part, 2 does not).
QPixmap ProjectImage(int index);
QPixmap ProjectStateImage(int index);

}  // namespace qm
