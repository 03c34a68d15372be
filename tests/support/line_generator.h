// SPDX-License-Identifier: MIT
#pragma once

// Generated Visual Basic lines for tests that run rules over many lines: statements joined by
// colons, single-line Ifs nested and with Else, declarations and constants with several names,
// labels, continued statements and Rem comments, with literals that hold the characters the rules
// cut at, keywords in any letter case and optional trailing comments. One seed, one sequence.

#include <cctype>
#include <initializer_list>
#include <random>
#include <string>
#include <string_view>
#include <vector>

namespace qm::test {

class LineGenerator {
 public:
  explicit LineGenerator(unsigned seed) : rng_(seed) {}

  // One or two source lines (two for a continued statement).
  std::vector<std::string> Next() {
    switch (R(12)) {
      case 0: case 1: case 2: return {Indent() + Statements(1 + R(4)) + Comment()};
      case 3: case 4: case 5: return {Indent() + IfLine(0) + Comment()};
      case 6: case 7: return {Indent() + Declaration() + Comment()};
      case 8: return {Indent() + Constants() + Comment()};
      case 9: return {Pick({"Retry:", "Retry: ", "100 "}) + Statements(1 + R(2))};
      case 10:
        return {Indent() + Ident() + " = F(" + Expr(1) + ", _", "        " + Expr(1) + "): " + Simple()};
      default: return {Indent() + Statements(2) + ": " + Kw("Rem") + " note: a, b Then Else c"};
    }
  }

  // A module of several procedures as people write them: declarations at the top, Subs and
  // Functions with blocks (If, Select Case, For, Do, While, With) nested a few deep, runs of
  // whole-line comments, blank lines, and generated lines (Next()) between the statements.
  std::vector<std::string> Module(int procedures) {
    std::vector<std::string> out = {"Attribute VB_Name = \"Gen\""};
    if (R(2) == 0) out.push_back("Option Explicit");
    out.push_back("Dim Shared" + std::to_string(R(10)) + " As Integer");
    out.emplace_back();
    for (int p = 0; p < procedures; ++p) {
      const bool function = R(2) == 0;
      out.push_back(std::string(R(3) == 0 ? "Private " : "") + (function ? "Function F" : "Sub S") + std::to_string(p) +
                    " (" + (R(2) == 0 ? "ByVal n As Integer" : "") + ")" + (function ? " As Long" : ""));
      Block(out, 1 + R(2), 0);
      out.push_back(function ? "End Function" : "End Sub");
      for (int b = R(3); b > 0; --b) out.emplace_back();
    }
    return out;
  }

 private:
  int R(int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng_); }
  std::string Pick(std::initializer_list<const char*> items) { return *(items.begin() + R(static_cast<int>(items.size()))); }

  // A keyword as Visual Basic saves it, or in capitals, or in small letters.
  std::string Kw(std::string_view k) {
    std::string out(k);
    const int mode = R(4);
    for (char& c : out) {
      if (mode == 1) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
      if (mode == 2) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return out;
  }

  std::string Indent() { return std::string(static_cast<std::size_t>(Pick({"0", "2", "4", "8"})[0] - '0'), ' '); }
  std::string Ident() { return Pick({"a", "Count", "x1", "Total", "Name", "i", "Authentic", "Elsewhere", "Thenceforth", "s"}); }
  std::string Literal() {
    return Pick({"\"a:b\"", "\"x, y\"", "\" Then \"", "\" Else \"", "\"it's\"", "\"say \"\"hi: there\"\"\"", "\"\"",
                 "\"(\""});
  }
  std::string Date() { return Pick({"#12:30:00 PM#", "#1/2/1996#", "#January 1, 1996#"}); }

  std::string Expr(int depth) {
    switch (depth > 2 ? R(4) : R(7)) {
      case 0: return Ident();
      case 1: return Pick({"1", "42", "3.5", "&H1F"});
      case 2: return Literal();
      case 3: return Date();
      case 4: return Ident() + " + " + Expr(depth + 1);
      case 5: return "F(" + Expr(depth + 1) + ", " + Expr(depth + 1) + ")";
      default: return "(" + Expr(depth + 1) + ")";
    }
  }

  std::string Simple() {
    switch (R(9)) {
      case 0: case 1: case 2: return Ident() + " = " + Expr(0);
      case 3: return "Call G(" + Expr(0) + ", " + Expr(0) + ")";
      case 4: return "MsgBox Prompt:=" + Literal() + ", Title:=" + Literal();
      case 5: return "Print #1, " + Expr(0);
      case 6: return Pick({"Beep", "DoEvents", "Exit Sub", "Close #1"});
      case 7: return "m(1, " + Expr(1) + ") = " + Expr(0);
      default: return "Tally " + Expr(0) + ", " + Expr(0);
    }
  }

  std::string Statements(int n) {
    std::string out = Simple();
    for (int k = 1; k < n; ++k) out += Pick({": ", ":", " : "}) + Simple();
    return out;
  }

  std::string IfLine(int depth) {
    std::string out = Kw("If") + " " + Ident() + " = " + Expr(0) + " " + Kw("Then") + " ";
    out += (depth < 4 && R(4) == 0) ? IfLine(depth + 1) : Statements(1 + R(2));
    if (R(2) == 0) out += " " + Kw("Else") + " " + Statements(1 + R(2));
    return out;
  }

  std::string Declaration() {
    std::string out = Kw(Pick({"Dim", "ReDim", "ReDim Preserve", "Global", "Static"})) + " ";
    const int n = 1 + R(3);
    for (int k = 0; k < n; ++k) {
      if (k > 0) out += Pick({", ", ",", " , "});
      out += Ident();
      if (R(3) == 0) out += Pick({"(5)", "(1 To 5, 1 To 3)", "(n, F(1, 2))"});
      if (R(2) == 0) out += " " + Kw("As") + " " + Pick({"Integer", "String * 5", "Long", "New Collection"});
    }
    if (R(5) == 0) out += ": " + Simple();
    return out;
  }

  std::string Constants() {
    std::string out = Kw(Pick({"Const", "Global Const"})) + " ";
    const int n = 1 + R(3);
    for (int k = 0; k < n; ++k) {
      if (k > 0) out += Pick({", ", ",", " , "});
      out += Pick({"A", "B_MAX", "SEP"}) + std::string(" = ") + Pick({"1", "\",\"", "#January 1, 1996#", "(2 * 3)"});
    }
    return out;
  }

  std::string Comment() {
    if (R(3) != 0) return {};
    return std::string(" '") + Pick({"note", " a: b, c", "Then Else", "\"q\"", ""});
  }

  // Whole-line comments, now and then one continued with " _" onto lines that read like code (an
  // in-line comment too): Visual Basic reads them as more of the comment.
  void CommentRun(std::vector<std::string>& out, const std::string& indent) {
    const int n = 1 + R(7);
    for (int k = 0; k < n; ++k) {
      const std::string text = Pick({"step", "Note: a, b", "", "Then Else", "goes on _", "x = 1 ' goes on _"});
      out.push_back(indent + (text.starts_with("x") ? text : "' " + text));
      if (!text.ends_with('_')) continue;
      for (int more = 1 + R(2); more > 0; --more) {
        out.push_back(Pick({"    For each item: Next", "Sub Main() ' then", "", "  If a Then b = 1: c = 2", "' quoted"}) +
                      std::string(more > 1 ? " _" : ""));
      }
    }
  }

  // A few statements at depth, some of them blocks holding more.
  void Block(std::vector<std::string>& out, int statements, int depth) {
    const std::string in(static_cast<std::size_t>(4 * (depth + 1)), ' ');
    for (int k = 0; k < statements; ++k) {
      const int what = depth < 3 ? R(12) : 8 + R(4);
      switch (what) {
        case 0:
          out.push_back(in + "If " + Ident() + " = " + Expr(0) + " Then" + Comment());
          Block(out, 1 + R(2), depth + 1);
          if (R(2) == 0) {
            out.push_back(in + "Else");
            Block(out, 1 + R(2), depth + 1);
          }
          out.push_back(in + "End If");
          break;
        case 1: {
          const std::string v = Pick({"i", "j", "k"});
          out.push_back(in + "For " + v + " = 1 To " + Pick({"10", "n", "UBound(a)"}));
          Block(out, 1 + R(2), depth + 1);
          out.push_back(in + (R(2) == 0 ? "Next " + v : std::string("Next")));
          break;
        }
        case 2:
          out.push_back(in + "Select Case " + Ident());
          for (int c = 1 + R(3); c > 0; --c) {
            out.push_back(in + "    Case " + Pick({"1", "2, 3", "Is > 4", "Else"}));
            Block(out, 1, depth + 2);
          }
          out.push_back(in + "End Select");
          break;
        case 3: {
          static const char* const kLoops[][2] = {{"Do", "Loop"}, {"Do While x < 3", "Loop"}, {"While x < 3", "Wend"},
                                                  {"With Me", "End With"}};
          const auto& loop = kLoops[R(4)];
          out.push_back(in + loop[0]);
          Block(out, 1 + R(2), depth + 1);
          out.push_back(in + loop[1]);
          break;
        }
        case 4: CommentRun(out, in); break;
        case 5: out.emplace_back(); break;
        case 6: out.push_back(in + "Dim " + Ident() + " As " + Pick({"Integer", "String", "Long"})); break;
        default: {
          std::vector<std::string> lines = Next();
          for (std::string& l : lines) {
            if (!l.empty() && l[0] == ' ') l = in + TrimBlanks(l);
            out.push_back(l);
          }
          break;
        }
      }
    }
  }

  static std::string TrimBlanks(std::string_view s) {
    while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
    return std::string(s);
  }

  std::mt19937 rng_;
};

}  // namespace qm::test
