// SPDX-License-Identifier: MIT
#pragma once

// The options dialog's preview: a short Visual Basic sample per page, chosen to exercise that
// page's rules, restyled by the engine with the values currently in the dialog. Nothing is read
// or written; the spelling step is left out (it would open the spelling dialog).

#include "engine/marks.h"
#include "engine/templates.h"
#include "platform/linefile.h"
#include "settings/catalogue.h"
#include "shell/optionspages.h"

namespace qm {

// The sample of a page; on "Comments" the tab chooses.
const TLines& PreviewSample(TOptionsPage page, TCommentsTab tab = TCommentsTab::SingleLine);

// The sample as a processing run would write it (as a code module), with the change marks.
TMarkedList FormatPreview(const TSettings& settings, const TCommentTemplates& templates,
                          const TLines& sample);

}  // namespace qm
