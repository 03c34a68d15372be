// SPDX-License-Identifier: MIT
#pragma once

// Header comment templates for Subs and Functions: the two built-in templates, the live pair the
// formatter inserts from, the expansion of their placeholders, the values taken from a procedure's
// first statement, and loading the templates from the files the settings name.
//
// Where the live templates are held: one TCommentTemplates object lives as long as the options
// dialog (the program's whole life). The dialog shows and edits its two line lists in its template
// editors and calls LoadCommentHeaders after loading the settings; whoever creates a formatter
// hands the same object in through TEngineServices::Templates. A formatter given none inserts from
// the built-in templates.

#include <functional>
#include <string>
#include <string_view>

#include "platform/linefile.h"

namespace qm {

class IPrompts;
class TSettings;

// The built-in templates: eleven lines for Subs, twelve for Functions (the Sub's with a
// "Returns" line after the "Params" line).
const TLines& DefaultSubTemplate();
const TLines& DefaultFunctionTemplate();

struct TCommentTemplates {
  TLines Sub = DefaultSubTemplate();
  TLines Function = DefaultFunctionTemplate();
  // The text of %d; today's date in the user's short date format when not set. Tests fix it.
  std::function<std::string()> DateText;

  std::string Today() const;
};

// The built-in pair, for a formatter that was given no templates.
const TCommentTemplates& DefaultCommentTemplates();

// What the placeholders stand for: %n name, %a author, %d date, %p parameters, %r return clause.
struct THeaderValues {
  std::string Name;
  std::string Author;
  std::string Date;
  std::string Params;
  std::string Returns;
};

// Replaces every placeholder ('%' and one of n a d p r, either case) by its value. A '%' before
// any other character, or at the end of the line, stays as it is.
std::string ExpandHeaderTemplate(std::string_view templateLine, const THeaderValues& values);

// The values of a procedure's first statement (continuation lines already joined). The name is read
// for every scope and kind (Public, Private, Friend, Static, Private Static, ...; Property Get, Let
// and Set count as Functions), in any letter case; a statement that starts no procedure of the
// asked kind gives "Unknown".
std::string SubNameOf(std::string_view line);
std::string FunctionNameOf(std::string_view line);
// The text between the parameter list's parentheses, trimmed; empty without a list.
std::string SubParamsOf(std::string_view line);
std::string FunctionParamsOf(std::string_view line);
// The return clause after the parameter list ("As Integer"), trimmed; empty when there is none.
std::string FunctionReturnOf(std::string_view line);

// Today's date in the short date format of the user's locale (the environment's), or of the
// classic locale when the environment names none that exists.
std::string ShortDateToday();

// Replaces each template whose file the settings name (SubLevelCommentsFile,
// FunctionLevelCommentsFile) by the file's lines. A file that cannot be read (also a directory,
// a named pipe or device, or a file of more than a few megabytes) is reported with a warning that
// gives the reason, and leaves its template as it was.
void LoadCommentHeaders(const TSettings& settings, TCommentTemplates& templates, IPrompts& prompts);

}  // namespace qm
