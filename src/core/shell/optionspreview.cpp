// SPDX-License-Identifier: MIT
#include "shell/optionspreview.h"

#include "engine/formatter.h"
#include "project/sourcemgt.h"
#include "ui/progress.h"
#include "ui/prompts.h"

namespace qm {

namespace {

// General: the splitting rules, the As alignment and For-Next. No Option Explicit, so that its
// insertion shows too.
const TLines kGeneralSample = {
    "Sub UpdateTotals(ByVal Count As Integer)",
    "Dim i As Integer, Total As Long, Caption As String",
    "Const MAX_ITEMS = 10, MIN_ITEMS = 1",
    "If Count > MAX_ITEMS Then Count = MAX_ITEMS",
    "Total = 0: Caption = \"Totals\"",
    "For i = 1 To Count",
    "Total = Total + i",
    "Next",
    "End Sub",
};

// Indents: one of every block construct.
const TLines kIndentsSample = {
    "Option Explicit",
    "",
    "Type TPoint",
    "X As Integer",
    "Y As Integer",
    "End Type",
    "",
    "Sub ShowStatus(ByVal Code As Integer)",
    "Dim Message As String",
    "If Code = 0 Then",
    "Message = \"Ready\"",
    "ElseIf Code < 0 Then",
    "Message = \"Failed\"",
    "Else",
    "Message = \"Busy\"",
    "End If",
    "Select Case Code",
    "Case 0",
    "Beep",
    "Case Else",
    "Message = Message & \"!\"",
    "End Select",
    "Do While Code > 0",
    "Code = Code - 1",
    "Loop",
    "While Code < 3",
    "Code = Code + 1",
    "Wend",
    "For Code = 1 To 3",
    "Debug.Print Code",
    "Next Code",
    "With Screen",
    ".MousePointer = 0",
    "End With",
    "End Sub",
};

// Single Line: whole-line comments, alone and in a run long enough to be blocked.
const TLines kSingleLineSample = {
    "Option Explicit",
    "",
    "' Reads the customer file",
    "Sub LoadCustomers()",
    "Dim Count As Integer",
    "        ' Start from an empty list",
    "lstCustomers.Clear",
    "' One line per customer:",
    "' the file holds the names",
    "' in the order of entry,",
    "' one name a line",
    "' and no header line",
    "Count = 0",
    "End Sub",
};

// In-line: comments behind code, one behind a line too long for the fixed column.
const TLines kInLineSample = {
    "Option Explicit",
    "",
    "Function Area(ByVal w As Single, ByVal h As Single) As Single",
    "Dim Result As Single ' the area so far",
    "Result = w * h ' width times height",
    "If Result < 0 Then Result = 0 ' never negative",
    "lblStatus.Caption = \"Area of \" & Format$(w) & \" by \" & Format$(h) ' shown",
    "Area = Result ' hand it back",
    "End Function",
};

const TLines kSubSample = {
    "Option Explicit",
    "",
    "Sub PrintReport(ByVal Title As String, ByVal Copies As Integer)",
    "Printer.Print Title",
    "End Sub",
};

const TLines kFunctionSample = {
    "Option Explicit",
    "",
    "Private Function Area(ByVal w As Single, ByVal h As Single) As Single",
    "Area = w * h",
    "End Function",
};

// Blank Lines: every construct with a count of its own, and blank lines to keep or remove.
const TLines kBlankLinesSample = {
    "Option Explicit",
    "",
    "Sub CountFiles(ByVal Folder As String)",
    "Dim FileName As String",
    "Dim Count As Integer",
    "FileName = Dir(Folder & \"\\*.BAS\")",
    "Do While FileName <> \"\"",
    "If Len(FileName) > 8 Then",
    "Count = Count + 1",
    "Else",
    "Debug.Print FileName",
    "End If",
    "FileName = Dir",
    "Loop",
    "",
    "",
    "While Count > 9",
    "Count = Count - 1",
    "Wend",
    "For Count = 1 To 2",
    "Select Case Count",
    "Case 1",
    "Beep",
    "End Select",
    "Next Count",
    "End Sub",
};

// Spell Check: a comment and a literal (the preview does not check them).
const TLines kSpellingSample = {
    "Option Explicit",
    "",
    "Sub Greet()",
    "' Show a friendly greeting",
    "MsgBox \"Welcome to the program\"",
    "End Sub",
};

// User: the name goes into the header comments of both kinds.
const TLines kUserSample = {
    "Option Explicit",
    "",
    "Sub PrintReport(ByVal Title As String)",
    "Printer.Print Title",
    "End Sub",
    "",
    "Function Twice(ByVal n As Integer) As Integer",
    "Twice = n * 2",
    "End Function",
};

// Answers nothing: the preview runs no step that asks.
class TSilentPrompts final : public IPrompts {
 public:
  TAnswer Ask(TMsgKind, TButtons buttons, const std::string&) override {
    return buttons == TButtons::YesNo || buttons == TButtons::YesNoCancel ? TAnswer::Yes : TAnswer::Ok;
  }
};

}  // namespace

const TLines& PreviewSample(TOptionsPage page, TCommentsTab tab) {
  switch (page) {
    case TOptionsPage::General:
      return kGeneralSample;
    case TOptionsPage::Comments:
      switch (tab) {
        case TCommentsTab::SingleLine:
          return kSingleLineSample;
        case TCommentsTab::InLine:
          return kInLineSample;
        case TCommentsTab::Subroutines:
          return kSubSample;
        case TCommentsTab::Functions:
          return kFunctionSample;
      }
      break;
    case TOptionsPage::BlankLines:
      return kBlankLinesSample;
    case TOptionsPage::SpellCheck:
      return kSpellingSample;
    case TOptionsPage::User:
      return kUserSample;
    case TOptionsPage::Indents:
    case TOptionsPage::Save:
      break;
  }
  return kIndentsSample;
}

TMarkedList FormatPreview(const TSettings& settings, const TCommentTemplates& templates,
                          const TLines& sample) {
  TSettings values = settings;
  values.SetBool(SettingKey::SpellingPerform, false);
  TSilentPrompts prompts;
  TNullProgress processing, copying;
  TVBSrcFormatter formatter(TEngineServices{values, prompts, processing, copying, nullptr, &templates});
  formatter.FFileName = "Preview.bas";
  formatter.FFileKind = rkModule;
  // The formatter has a cancel request of its own: no run's cancel cuts the sample short.
  formatter.FormatPasses(sample);
  return std::move(formatter.FOutput);
}

}  // namespace qm
