// SPDX-License-Identifier: MIT
#pragma once

// The choices of the radio-group settings, each in the order of its items in the catalogue (a
// group's value is the index of its item; -1, no item chosen, matches none of them). Read them
// through TSettings::Choice, e.g. settings.Choice<TBlankLineProcessing>(SettingKey::GrpBlankLines).

namespace qm {

// GrpForNextProcessing
enum class TForNextProcessing : int { Ignore, AddVariable, RemoveVariable };
// GrpSingleLineComments
enum class TSingleLinePlacement : int { LeaveAsIs, FixedColumn, PriorIndent, NextIndent, Remove };
// GrpInLineComments
enum class TInLinePlacement : int { LeaveAsIs, FixedColumn, RightBy, Remove };
// GrpInLineCommentsFixedColUnavail: where an in-line comment goes when its fixed column is taken.
enum class TFixedColumnFallback : int { RightBy, PreviousLine, NextLine, Remove };
// GrpSubLevelComments and GrpFunctionLevelComments: which files get header comments.
enum class THeaderFiles : int { FormLevelCode, ModuleLevelCode, Both };
// GrpBlankLines
enum class TBlankLineProcessing : int { NoChange, UseRules, RemoveAll };

}  // namespace qm
