// SPDX-License-Identifier: MIT
#pragma once

// Settings with every rule of the engine on, shared by the tests that run all rules together.

#include "settings/catalogue.h"

namespace qm::test {

inline void EveryRuleOn(TSettings& s) {
  using K = SettingKey;
  for (K key : {K::OptionExplicitInsert, K::MultiVarSplit, K::MultiConstSplit, K::IfThenSplit, K::MultiStatementSplit,
                K::AlignMultiDimAs, K::CodeIndentPerform, K::SingleLineCommentBlocks, K::SubLevelCommentsPerform,
                K::FunctionLevelCommentsPerform}) {
    s.SetBool(key, true);
  }
  s.SetInt(K::GrpForNextProcessing, 1);
  s.SetInt(K::GrpSingleLineComments, 2);
  s.SetInt(K::GrpInLineComments, 1);
  s.SetInt(K::GrpBlankLines, 1);
}

}  // namespace qm::test
