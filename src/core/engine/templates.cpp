// SPDX-License-Identifier: MIT
#include "engine/templates.h"

#include <algorithm>
#include <ctime>
#include <iomanip>
#include <locale>
#include <sstream>
#include <stdexcept>

#include "engine/linefuncs.h"
#include "engine/statementscan.h"
#include "messages.h"
#include "platform/localtime.h"
#include "platform/paths.h"
#include "settings/catalogue.h"
#include "ui/prompts.h"

namespace qm {

namespace {

constexpr std::string_view kRule = "' -----------------------------------------------------------";
constexpr std::string_view kUnknownName = "Unknown";

TLines MakeTemplate(bool withReturns) {
  TLines lines = {
      std::string(kRule),
      "'  Name   :  %n",
      "'  Author :  %a",
      "'  Date   :  %d",
      "'  Params :  %p",
      "'  Purpose:  ",
      "'",
      "' DATE      WHO         WHAT",
      "' --------  ---------- --------------------------------------",
      "'",
      std::string(kRule),
  };
  if (withReturns) lines.insert(lines.begin() + 5, "'  Returns:  %r");
  return lines;
}

// The statement without its comment: an apostrophe inside a string literal (an Optional
// parameter's default) does not end it.
std::string_view CodePart(std::string_view line) {
  const int comment = CommentPos(line);
  return comment > 0 ? line.substr(0, static_cast<std::size_t>(comment) - 1) : line;
}

// The name of a procedure's first statement: after its scope (Public, Private or Friend), Static,
// and the keyword of its kind (Sub, Function, or Property with Get, Let or Set), up to the
// parameter list, the comment or a blank, in any letter case. Empty kind when the statement is no
// procedure start.
enum class TProcedureWord { None, Sub, Function };

struct TProcedureName {
  TProcedureWord Kind = TProcedureWord::None;
  std::string_view Name;
};

TProcedureName ReadProcedureName(std::string_view line) {
  std::string_view rest = CodePart(Trim(line));
  const auto take = [&rest](std::string_view upperWord) {
    if (!HasUpperPrefix(rest, upperWord)) return false;
    rest = TrimLeft(rest.substr(upperWord.size()));
    return true;
  };
  take("PUBLIC ") || take("PRIVATE ") || take("FRIEND ");
  take("STATIC ");
  TProcedureName result;
  if (take("SUB ")) {
    result.Kind = TProcedureWord::Sub;
  } else if (take("FUNCTION ")) {
    result.Kind = TProcedureWord::Function;
  } else if (take("PROPERTY ") && (take("GET ") || take("LET ") || take("SET "))) {
    result.Kind = TProcedureWord::Function;
  } else {
    return result;
  }
  // A name holds no blank, so what follows one ("Function Pi As Double") is not part of it.
  result.Name = Trim(rest.substr(0, rest.find_first_of("( ")));
  return result;
}

std::string NameIfKind(std::string_view line, TProcedureWord kind) {
  const TProcedureName name = ReadProcedureName(line);
  return name.Kind == kind ? std::string(name.Name) : std::string(kUnknownName);
}

// Index just past the ')' that closes the first '(' of code; npos when there is no '(' or it is
// never closed.
std::size_t PastParameterList(std::string_view code) {
  const std::size_t open = code.find('(');
  if (open == std::string_view::npos) return std::string_view::npos;
  int depth = 0;
  for (std::size_t i = open; i < code.size(); ++i) {
    if (code[i] == '(') ++depth;
    if (code[i] == ')' && --depth == 0) return i + 1;
  }
  return std::string_view::npos;
}

}  // namespace

const TLines& DefaultSubTemplate() {
  static const TLines lines = MakeTemplate(false);
  return lines;
}

const TLines& DefaultFunctionTemplate() {
  static const TLines lines = MakeTemplate(true);
  return lines;
}

const TCommentTemplates& DefaultCommentTemplates() {
  static const TCommentTemplates templates;
  return templates;
}

std::string TCommentTemplates::Today() const { return DateText ? DateText() : ShortDateToday(); }

std::string ExpandHeaderTemplate(std::string_view templateLine, const THeaderValues& values) {
  std::string out;
  out.reserve(templateLine.size() + values.Params.size());
  for (std::size_t i = 0; i < templateLine.size(); ++i) {
    const char c = templateLine[i];
    if (c != '%' || i + 1 == templateLine.size()) {
      out += c;
      continue;
    }
    const std::string* value = nullptr;
    switch (templateLine[i + 1]) {
      case 'n': case 'N': value = &values.Name; break;
      case 'a': case 'A': value = &values.Author; break;
      case 'd': case 'D': value = &values.Date; break;
      case 'p': case 'P': value = &values.Params; break;
      case 'r': case 'R': value = &values.Returns; break;
      default: break;
    }
    if (value) {
      out += *value;
      ++i;
    } else {
      // The following character is read again as usual, so "%%n" gives a '%' and the name.
      out += c;
    }
  }
  return out;
}

std::string SubNameOf(std::string_view line) { return NameIfKind(line, TProcedureWord::Sub); }

std::string FunctionNameOf(std::string_view line) { return NameIfKind(line, TProcedureWord::Function); }

std::string SubParamsOf(std::string_view line) {
  const std::string_view code = CodePart(line);
  const std::size_t open = code.find('(');
  if (open == std::string_view::npos) return {};
  std::string_view inside = Trim(code.substr(open + 1));
  if (inside.ends_with(')')) inside.remove_suffix(1);
  return std::string(Trim(inside));
}

// Everything read while the depth is above zero: the outermost parentheses' contents, nested
// parentheses (array parameters) included.
std::string FunctionParamsOf(std::string_view line) {
  std::string out;
  int depth = 0;
  for (const char c : CodePart(line)) {
    if (c == ')') --depth;
    if (depth > 0) out += c;
    if (c == '(') ++depth;
  }
  return std::string(Trim(out));
}

// The clause after the parameter list; a Function declared without a list ("Function F As
// Integer") gives what follows its As.
std::string FunctionReturnOf(std::string_view line) {
  std::string code(line);
  StripComment(code);
  std::size_t from = PastParameterList(code);
  if (from == std::string::npos) {
    if (code.find('(') != std::string::npos) return {};
    from = UpperCase(code).find(" AS ");
    if (from == std::string::npos) return {};
  }
  return std::string(Trim(std::string_view(code).substr(from)));
}

std::string ShortDateToday() { return FormatLocalNow("%x"); }

void LoadCommentHeaders(const TSettings& settings, TCommentTemplates& templates, IPrompts& prompts) {
  struct TSource {
    SettingKey File;
    TLines& Template;
    std::string_view Failure;
  };
  for (const TSource& source : {TSource{SettingKey::SubLevelCommentsFile, templates.Sub, msg::UnableToLoadSubHeader},
                                TSource{SettingKey::FunctionLevelCommentsFile, templates.Function,
                                        msg::UnableToLoadFunctionHeader}}) {
    const std::string& file = settings.Text(source.File);
    if (Trim(file).empty()) continue;
    std::string bytes, reason;
    if (ReadSmallFile(file, bytes, &reason)) {
      source.Template = SplitLines(bytes);
    } else {
      // A file that is no regular file or is too large says so; a missing one needs no reason.
      std::string text = msg::Format(source.Failure, file);
      if (reason == kNotRegularFile || reason == kTooLarge) text += " (" + reason + ")";
      prompts.Show(TMsgKind::Warning, text);
    }
  }
}

}  // namespace qm
