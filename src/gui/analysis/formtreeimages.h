// SPDX-License-Identifier: MIT
#pragma once

// The form tree's image list, drawn by the program itself: 0 the project, 1 a form, 3 a file,
// 4 a property sheet, 5 a control (2 is not used and shows a control).

#include <QIcon>

namespace qm {

QIcon FormTreeIcon(int index);

}  // namespace qm
