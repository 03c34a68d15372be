// SPDX-License-Identifier: MIT
#pragma once

// The generated sources the benchmarks run on, and the settings with every rule on: a synthetic file that uses every construct the
// engine knows, and one that reads like a real application's code. Deterministic, so that every
// run measures the same text.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "settings/catalogue.h"

namespace qm::bench {

// A small deterministic generator, so that every run measures the same text.
class TRandom {
 public:
  explicit TRandom(std::uint32_t seed) : state_(seed * 2654435761u + 1) {}
  int Next(int bound) {
    state_ = state_ * 1664525u + 1013904223u;
    return static_cast<int>((state_ >> 8) % static_cast<std::uint32_t>(bound));
  }

 private:
  std::uint32_t state_;
};

struct TSourceWriter {
  std::string text;
  int lines = 0;
  void Line(std::string_view line) {
    text += line;
    text += "\r\n";
    ++lines;
  }
};

// One procedure of about seventy lines that uses every construct the engine knows: blocks of
// each kind, #If, single-line Ifs with Else, colon-joined statements, declarations of several
// variables and constants, whole-line, in-line and Rem comments and runs of them, labels, tabs
// and nested For loops, written with uneven indentation.
inline void WriteProcedure(TSourceWriter& w, int n, TRandom& random) {
  const std::string id = std::to_string(n);
  const std::string pad = std::string(random.Next(3) * 2, ' ');
  switch (n % 3) {
    case 0: w.Line("Public Function Compute" + id + "(ByVal a As Integer, b As String) As Long"); break;
    case 1: w.Line("Private Sub Handle" + id + "(ByVal Index As Integer)"); break;
    default: w.Line("Sub Plain" + id + " ()"); break;
  }
  w.Line("Dim i As Integer, j As Integer, k As Long, sName As String");
  w.Line("Const LIMIT" + id + " = 10, STEP" + id + " = 2");
  w.Line("' Whole-line comment opening a run");
  w.Line("' second line of the run");
  w.Line("' third line of the run");
  w.Line("' fourth line of the run");
  w.Line("' fifth line of the run");
  w.Line("\tsName = \"Item \" & \"" + id + "\"   ' in-line comment with a quote's apostrophe");
  w.Line(pad + "If i > 0 Then j = 1 Else j = 2");
  w.Line("i = 1: j = 2: k = 3");
  w.Line("#If Win32 Then");
  w.Line("k = k * 2");
  w.Line("#Else");
  w.Line("k = k + 2");
  w.Line("#End If");
  w.Line(pad + "For i = 1 To LIMIT" + id);
  w.Line("\tFor j = 1 To i Step STEP" + id);
  w.Line("\t\tIf i = j Then");
  w.Line("k = k + i * j ' diagonal");
  w.Line("\t\tElseIf i > j Then");
  w.Line("k = k - 1");
  w.Line("\t\tElse");
  w.Line("k = k + 1");
  w.Line("\t\tEnd If");
  w.Line("\tNext");
  w.Line("Next i");
  w.Line("Select Case k Mod 4");
  w.Line("Case 0");
  w.Line("    sName = sName & \"zero\"");
  w.Line("Case 1, 2");
  w.Line("sName = sName & \"small\": k = k + 1");
  w.Line("Case Else");
  w.Line("        sName = sName & \"large\"");
  w.Line("End Select");
  w.Line("Do While k > 100");
  w.Line("k = k \\ 2");
  w.Line("Loop");
  w.Line("Do");
  w.Line("  k = k + 3");
  w.Line("Loop Until k > 50");
  w.Line("While Len(sName) < 40");
  w.Line("sName = sName & \"-\"");
  w.Line("Wend");
  w.Line("With Screen");
  w.Line(".MousePointer = 11");
  w.Line("End With");
  w.Line("Rem a Rem comment between statements");
  w.Line("On Error GoTo Failed" + id);
  w.Line("If k = 0 Then Exit " + std::string(n % 3 == 0 ? "Function" : "Sub"));
  w.Line("GoSub Report" + id);
  w.Line(n % 3 == 0 ? "Compute" + id + " = k" : "Debug.Print k; sName");
  w.Line("Exit " + std::string(n % 3 == 0 ? "Function" : "Sub"));
  w.Line("Report" + id + ":");
  w.Line("    Debug.Print \"report \"; k ' trace");
  w.Line("    Return");
  w.Line("Failed" + id + ":");
  w.Line("\tResume Next");
  w.Line(n % 3 == 0 ? "End Function" : "End Sub");
  w.Line("");
}

// The declarations section of a file: a Type block, several-variable and several-constant lines.
inline void WriteDeclarations(TSourceWriter& w, int file) {
  const std::string id = std::to_string(file);
  w.Line("'=====================================================");
  w.Line("' Synthetic file " + id + " of the benchmark project.");
  w.Line("'=====================================================");
  w.Line("Global Const APP" + id + " = \"Bench\", VERSION" + id + " = 3");
  w.Line("Dim mCount As Integer, mTotal As Currency, mName As String");
  w.Line("Type Record" + id);
  w.Line("Name As String * 30");
  w.Line("    Count As Integer");
  w.Line("End Type");
  w.Line("");
}

// One source file of about linesPerFile lines; forms and classes carry a description block.
inline std::string GenerateFile(int file, int linesPerFile, std::string& name, int& lines) {
  TRandom random(static_cast<std::uint32_t>(file));
  TSourceWriter w;
  const int kind = file % 4;
  if (kind == 0) {
    name = "FORM" + std::to_string(file) + ".FRM";
    w.Line("VERSION 4.00");
    w.Line("Begin VB.Form Form" + std::to_string(file));
    w.Line("   Caption         =   \"Form " + std::to_string(file) + "\"");
    w.Line("   ClientHeight    =   3195");
    w.Line("   Begin VB.CommandButton cmdGo");
    w.Line("      Caption         =   \"Go\"");
    w.Line("   End");
    w.Line("End");
    w.Line("Attribute VB_Name = \"Form" + std::to_string(file) + "\"");
  } else if (kind == 1) {
    name = "CLASS" + std::to_string(file) + ".CLS";
    w.Line("VERSION 1.0 CLASS");
    w.Line("BEGIN");
    w.Line("  MultiUse = -1  'True");
    w.Line("END");
    w.Line("Attribute VB_Name = \"Class" + std::to_string(file) + "\"");
  } else {
    name = "MODULE" + std::to_string(file) + ".BAS";
    w.Line("Attribute VB_Name = \"Module" + std::to_string(file) + "\"");
  }
  WriteDeclarations(w, file);
  for (int n = 0; w.lines < linesPerFile; ++n) WriteProcedure(w, file * 1000 + n, random);
  lines = w.lines;
  return w.text;
}

// Code that reads like a real Visual Basic 6 application's rather than a test of every construct:
// long procedures of database, string and form code, about 15 % whole-line comments (mostly alone
// or in pairs) and 20 % blank lines, most lines between 20 and 70 characters with a tail of long
// ones (SQL built up over continued lines, long messages, Declare statements), string literals on
// a large share of the lines (some holding apostrophes), code already indented by four blanks or
// a tab, and only the odd line that a split takes apart.
class TRealCodeWriter {
 public:
  TRealCodeWriter(TSourceWriter& w, TRandom& random) : w_(w), random_(random) {}

  void Form(int file) {
    const std::string id = std::to_string(file);
    w_.Line("VERSION 5.00");
    w_.Line("Object = \"{5E9E78A0-531B-11CF-91F6-C2863C385E30}#1.0#0\"; \"MSFLXGRD.OCX\"");
    w_.Line("Begin VB.Form frmOrders" + id);
    w_.Line("   BorderStyle     =   1  'Fixed Single");
    w_.Line("   Caption         =   \"Customer orders " + id + "\"");
    w_.Line("   ClientHeight    =   6390");
    w_.Line("   ClientWidth     =   9480");
    w_.Line("   StartUpPosition =   2  'CenterScreen");
    const int controls = 6 + random_.Next(20);
    for (int c = 0; c < controls; ++c) {
      const std::string cid = std::to_string(c);
      w_.Line(std::string("   Begin VB.") + (c % 3 == 0 ? "TextBox txtField" : c % 3 == 1 ? "Label lblField" : "CommandButton cmdAction") + cid);
      w_.Line("      Height          =   " + std::to_string(285 + random_.Next(200)));
      w_.Line(std::string("      Left            =   ") + std::to_string(120 + random_.Next(6000)));
      w_.Line(std::string("      TabIndex        =   ") + std::to_string(c));
      w_.Line(std::string("      Top             =   ") + std::to_string(120 + c * 360));
      w_.Line("      Width           =   " + std::to_string(1200 + random_.Next(3000)));
      if (c % 3 != 0) w_.Line("      Caption         =   \"&" + Pick(kNouns) + " " + cid + "\"");
      w_.Line("   End");
    }
    w_.Line("End");
    w_.Line("Attribute VB_Name = \"frmOrders" + id + "\"");
    w_.Line("Attribute VB_GlobalNameSpace = False");
    w_.Line("Attribute VB_Creatable = False");
    w_.Line("Attribute VB_PredeclaredId = True");
    w_.Line("Attribute VB_Exposed = False");
  }

  void Class(int file) {
    w_.Line("VERSION 1.0 CLASS");
    w_.Line("BEGIN");
    w_.Line("  MultiUse = -1  'True");
    w_.Line("  Persistable = 0  'NotPersistable");
    w_.Line("END");
    w_.Line("Attribute VB_Name = \"clsCustomer" + std::to_string(file) + "\"");
    w_.Line("Attribute VB_Creatable = True");
  }

  void Declarations(int file) {
    const std::string id = std::to_string(file);
    w_.Line("Option Explicit");
    w_.Line("");
    w_.Line("'-----------------------------------------------------------------------------");
    w_.Line("' Orders " + id + ": reading, checking and saving the orders of one customer.");
    w_.Line("'-----------------------------------------------------------------------------");
    w_.Line("");
    w_.Line("Private Declare Function GetPrivateProfileString Lib \"kernel32\" Alias \"GetPrivateProfileStringA\" "
            "(ByVal lpApplicationName As String, ByVal lpKeyName As Any, ByVal lpDefault As String, "
            "ByVal lpReturnedString As String, ByVal nSize As Long, ByVal lpFileName As String) As Long");
    w_.Line("Private Declare Function GetTickCount Lib \"kernel32\" () As Long");
    w_.Line("");
    w_.Line("Private Const MODULE_NAME As String = \"Orders" + id + "\"");
    w_.Line("Private Const MAX_LINES As Integer = 250");
    w_.Line("");
    w_.Line("Private mCustomerID As Long");
    w_.Line("Private mConnection As ADODB.Connection");
    w_.Line("Private mDirty As Boolean, mLoading As Boolean");
    w_.Line("");
    w_.Line("Private Type OrderLine");
    w_.Line("    ProductID As Long");
    w_.Line("    Description As String");
    w_.Line("    Quantity As Integer");
    w_.Line("    Price As Currency");
    w_.Line("End Type");
    w_.Line("");
  }

  void Procedure(int n) {
    const std::string id = std::to_string(n);
    depth_ = 1;
    tabs_ = random_.Next(5) == 0;
    const int shape = random_.Next(10);
    const int bodyLines = shape < 6 ? 20 + random_.Next(60) : shape < 9 ? 80 + random_.Next(170) : 250 + random_.Next(350);
    const bool isFunction = random_.Next(3) == 0;
    const std::string keyword = isFunction ? "Function" : "Sub";
    const std::string name = (isFunction ? "Get" : "Load") + Pick(kNouns) + id;

    if (random_.Next(3) > 0) {
      Comment("' " + name + ": " + Pick(kPhrases));
      if (random_.Next(2) == 0) Comment("' " + Pick(kPhrases));
    }
    const std::string scope = random_.Next(3) == 0 ? "Public " : "Private ";
    w_.Line(scope + keyword + " " + name + "(ByVal lngID As Long, Optional ByVal sFilter As String = \"\")" +
            (isFunction ? " As Boolean" : ""));
    Code("Dim rs As ADODB.Recordset");
    Code(random_.Next(4) == 0 ? "Dim sSQL As String, sMsg As String" : "Dim sSQL As String");
    Code("Dim i As Long");
    Blank();
    Code("On Error GoTo ErrHandler");
    Blank();
    const int until = w_.lines + bodyLines;
    while (w_.lines < until) Group();
    while (depth_ > 1) Close();
    Blank();
    if (isFunction) Code(name + " = True");
    Code("Exit " + keyword);
    Blank();
    w_.Line("ErrHandler:");
    Code("MsgBox \"Error \" & Err.Number & \" in " + name + ": \" & Err.Description, vbCritical, App.Title");
    w_.Line("End " + keyword);
    Blank();
  }

 private:
  static constexpr std::string_view kNouns[] = {"Customer", "Order", "Invoice", "Product", "Supplier", "Address",
                                                "Payment", "Account", "Report", "Setting", "Stock", "Shipment"};
  static constexpr std::string_view kFields[] = {"CustomerID", "OrderDate", "CompanyName", "UnitPrice", "Quantity",
                                                 "ShipCity", "PostalCode", "Discount", "Status", "Notes"};
  static constexpr std::string_view kPhrases[] = {
      "read the rows of the current customer into the grid",
      "the total is kept in the footer, so recalculate it after every change",
      "TODO: move this into the data layer once the reports use it too",
      "an empty filter means every row",
      "don't let the user leave a mandatory field empty",
      "keep the old value so that Cancel can put it back",
      "see the note in modMain about the connection string",
      "build the query piece by piece; the WHERE clause depends on the filter"};

  std::string Pick(std::span<const std::string_view> list) { return std::string(list[static_cast<std::size_t>(random_.Next(static_cast<int>(list.size())))]); }

  std::string Indent() const { return tabs_ ? std::string(static_cast<std::size_t>(depth_), '\t') : std::string(static_cast<std::size_t>(depth_) * 4, ' '); }
  void Code(const std::string& text) { w_.Line(Indent() + text); }
  void Comment(const std::string& text) { w_.Line(Indent() + text); }
  void Blank() { w_.Line(""); }

  // A group of statements as people write them: sometimes a comment above, a few lines of code,
  // a blank line after.
  void Group() {
    if (random_.Next(10) < 8) {
      Comment("' " + Pick(kPhrases));
      if (random_.Next(2) == 0) Comment("' " + Pick(kPhrases));
    }
    const int statements = 2 + random_.Next(4);
    for (int k = 0; k < statements; ++k) Statement();
    Blank();
    if (random_.Next(5) == 0) Blank();
  }

  void Open() {
    const int kind = random_.Next(5);
    blocks_.push_back(kind);
    switch (kind) {
      case 0: Code("If Not rs.EOF And Len(sFilter) > 0 Then"); break;
      case 1: Code("For i = 1 To grdLines.Rows - 1"); break;
      case 2: Code("Do While Not rs.EOF"); break;
      case 3: Code("Select Case rs.Fields(\"" + Pick(kFields) + "\").Value"); break;
      default: Code("With grdLines"); break;
    }
    ++depth_;
    if (kind == 3) {
      Code("Case \"A\", \"B\"");
      ++depth_;
    }
  }

  void Close() {
    const int kind = blocks_.back();
    blocks_.pop_back();
    --depth_;
    if (kind == 3) --depth_;
    switch (kind) {
      case 0: Code("End If"); break;
      case 1: Code("Next i"); break;
      case 2: Code("    rs.MoveNext"); Code("Loop"); break;
      case 3: Code("End Select"); break;
      default: Code("End With"); break;
    }
  }

  void Statement() {
    const int roll = random_.Next(100);
    if (roll < 10 && depth_ < 5) return Open();
    if (roll < 18 && blocks_.size() > 0) return Close();
    if (roll < 20 && !blocks_.empty() && blocks_.back() == 0) {
      --depth_;
      Code("Else");
      ++depth_;
      return;
    }
    if (roll < 22 && !blocks_.empty() && blocks_.back() == 3) {
      --depth_;
      Code("Case Else");
      ++depth_;
      return;
    }
    const std::string field = Pick(kFields);
    std::string line;
    switch (random_.Next(16)) {
      case 0:
        // SQL over continued lines: the long lines of real code.
        Code("sSQL = \"SELECT o.OrderID, o.OrderDate, o.ShipCity, c.CompanyName, c.Phone \" & _");
        Code("       \"FROM Orders o INNER JOIN Customers c ON c.CustomerID = o.CustomerID \" & _");
        Code("       \"WHERE o.CustomerID = \" & lngID & \" AND o.Status <> 'X' ORDER BY o.OrderDate DESC\"");
        return;
      case 1: line = "sSQL = sSQL & \" AND " + field + " LIKE '\" & Replace(sFilter, \"'\", \"''\") & \"%'\""; break;
      case 2: line = "MsgBox \"The " + Pick(kNouns) + " could not be saved because the field " + field + " is empty.\", vbExclamation, App.Title"; break;
      case 3: line = "txt" + field + ".Text = Trim$(rs.Fields(\"" + field + "\").Value & \"\")"; break;
      case 4: line = "rs.Fields(\"" + field + "\").Value = txt" + field + ".Text"; break;
      case 5: line = "Call LogEvent(MODULE_NAME, \"" + Pick(kNouns) + "\", \"loaded \" & CStr(i) & \" rows\")"; break;
      case 6: line = "lngTotal = lngTotal + CLng(grdLines.TextMatrix(i, 3)) * CCur(grdLines.TextMatrix(i, 4))"; break;
      case 7: line = "Set rs = mConnection.Execute(sSQL, , adCmdText)"; break;
      case 8: line = "lbl" + field + ".Caption = Format$(rs!" + field + ", \"#,##0.00\") & \" \" & sCurrency"; break;
      case 9: line = "sMsg = \"Customer \" & rs!CompanyName & \" has \" & CStr(rs!OrderCount) & \" open orders.\""; break;
      case 10: line = "If Len(sFilter) = 0 Then sFilter = \"*\""; break;  // the odd single-line If
      case 11: line = "i = 0: mDirty = False"; break;                      // and colon-joined statements
      case 12: line = "Debug.Print \"" + field + " = \"; rs.Fields(\"" + field + "\").Value"; break;
      case 13: line = "mDirty = True"; break;
      case 14: line = "grdLines.TextMatrix(i, 0) = rs!" + field; break;
      default: line = "cmdSave.Enabled = mDirty And Not mLoading"; break;
    }
    if (random_.Next(14) == 0) line += "   ' " + Pick(kPhrases);
    Code(line);
  }

  TSourceWriter& w_;
  TRandom& random_;
  int depth_ = 1;
  bool tabs_ = false;
  std::vector<int> blocks_;
};

inline std::string GenerateRealCodeFile(int file, int linesPerFile, std::string& name, int& lines) {
  TRandom random(static_cast<std::uint32_t>(file) + 7919u);
  TSourceWriter w;
  TRealCodeWriter code(w, random);
  const int kind = file % 5;
  if (kind < 2) {
    name = "FRMORD" + std::to_string(file) + ".FRM";
    code.Form(file);
  } else if (kind == 2) {
    name = "CUSTOM" + std::to_string(file) + ".CLS";
    code.Class(file);
  } else {
    name = "MODORD" + std::to_string(file) + ".BAS";
    w.Line("Attribute VB_Name = \"modOrders" + std::to_string(file) + "\"");
  }
  code.Declarations(file);
  for (int n = 0; w.lines < linesPerFile; ++n) code.Procedure(file * 1000 + n);
  lines = w.lines;
  return w.text;
}


// Every rule of the engine on (spelling needs a dictionary and a person, so it stays off).
inline void EveryRuleOn(TSettings& settings) {
  for (SettingKey key : {SettingKey::OptionExplicitInsert, SettingKey::MultiVarSplit, SettingKey::MultiConstSplit,
                         SettingKey::IfThenSplit, SettingKey::MultiStatementSplit, SettingKey::AlignMultiDimAs,
                         SettingKey::CodeIndentPerform, SettingKey::SingleLineCommentBlocks,
                         SettingKey::SubLevelCommentsPerform, SettingKey::FunctionLevelCommentsPerform,
                         SettingKey::CreateLog, SettingKey::BackupMAKFiles}) {
    settings.SetBool(key, true);
  }
  settings.SetBool(SettingKey::PreviewBeforeSaving, false);
  settings.SetInt(SettingKey::GrpForNextProcessing, 1);
  settings.SetInt(SettingKey::GrpBlankLines, 1);
  settings.SetInt(SettingKey::GrpSingleLineComments, 2);
  settings.SetInt(SettingKey::GrpInLineComments, 1);
}

}  // namespace qm::bench
