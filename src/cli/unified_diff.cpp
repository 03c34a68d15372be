// SPDX-License-Identifier: MIT
#include "unified_diff.h"

#include <algorithm>
#include <filesystem>
#include <ostream>
#include <string>
#include <vector>

#include "analysis/linediff.h"

namespace qm::cli {

namespace {

// One line of the edit script: kept (' '), removed ('-') or added ('+'), with its position in
// both lists (for a line on one side only, where it stands between the lines of the other).
struct TEdit {
  char Kind;
  int Before;
  int After;
};

// The edit script in diff order: every run of changes lists its removals before its additions.
std::vector<TEdit> EditScript(const TLines& before, const TLines& after) {
  const TDiffResult diff = CompareLines(before, after, false);
  std::vector<char> kinds;
  int removed = 0, added = 0;
  auto flush = [&] {
    kinds.insert(kinds.end(), removed, '-');
    kinds.insert(kinds.end(), added, '+');
    removed = added = 0;
  };
  for (const TDiffRow& row : diff.Rows) {
    if (row.Kind == TDiffRowKind::Equal) {
      flush();
      kinds.push_back(' ');
      continue;
    }
    if (row.Left >= 0) ++removed;
    if (row.Right >= 0) ++added;
  }
  flush();

  // The rows hold every line of both sides once and in order, so counting gives the positions.
  std::vector<TEdit> edits;
  edits.reserve(kinds.size());
  int b = 0, a = 0;
  for (char kind : kinds) {
    edits.push_back({kind, b, a});
    if (kind != '+') ++b;
    if (kind != '-') ++a;
  }
  return edits;
}

// "start,count" of one side of a hunk, from 1; an empty side names the line before it.
std::string Range(int start, int count) {
  return std::to_string(count == 0 ? start : start + 1) + "," + std::to_string(count);
}

// A file name on a header line as git apply and patch read it: in C quotes when it holds a quote,
// a backslash or a control character; followed by a tab when it holds a space (patch reads a name
// up to its first space unless a tab ends it, as one does before the date that diff writes there).
std::string HeaderName(std::string_view name) {
  const bool quote = std::any_of(name.begin(), name.end(), [](char c) {
    return c == '"' || c == '\\' || (static_cast<unsigned char>(c) < 0x20) || c == 0x7F;
  });
  if (!quote) return std::string(name) + (name.find(' ') != std::string_view::npos ? "\t" : "");
  std::string quoted = "\"";
  for (const char c : name) {
    const auto byte = static_cast<unsigned char>(c);
    if (c == '"' || c == '\\') {
      quoted += '\\';
      quoted += c;
    } else if (c == '\t') {
      quoted += "\\t";
    } else if (c == '\n') {
      quoted += "\\n";
    } else if (byte < 0x20 || byte == 0x7F) {
      const char octal[] = {'\\', static_cast<char>('0' + (byte >> 6)), static_cast<char>('0' + ((byte >> 3) & 7)),
                            static_cast<char>('0' + (byte & 7)), '\0'};
      quoted += octal;
    } else {
      quoted += c;
    }
  }
  return quoted + '"';
}

// The lines as patch programs read them: each up to and with its line feed; a last one without.
TLines PatchLines(std::string_view bytes) {
  TLines lines;
  std::size_t pos = 0;
  while (pos < bytes.size()) {
    const std::size_t lf = bytes.find('\n', pos);
    const std::size_t end = lf == std::string_view::npos ? bytes.size() : lf + 1;
    lines.emplace_back(bytes.substr(pos, end - pos));
    pos = end;
  }
  return lines;
}

// The hunks under the two header lines. Raw lines carry their own line ends.
bool WriteHunks(std::ostream& out, std::string_view beforeName, std::string_view afterName, const TLines& before,
                const TLines& after, int context, bool raw) {
  if (before == after) return false;
  const std::vector<TEdit> edits = EditScript(before, after);
  const int n = static_cast<int>(edits.size());

  out << "--- " << HeaderName(beforeName) << "\n+++ " << HeaderName(afterName) << "\n";
  int k = 0;
  while (true) {
    while (k < n && edits[k].Kind == ' ') ++k;
    if (k >= n) break;
    // A hunk runs from the context before its first change to the context after its last, and
    // takes in every further change whose context would touch it.
    const int first = std::max(0, k - context);
    int last = k;
    for (int m = k + 1; m < n; ++m) {
      if (edits[m].Kind == ' ') continue;
      if (m - last - 1 > 2 * context) break;
      last = m;
    }
    const int end = std::min(n, last + context + 1);

    int beforeCount = 0, afterCount = 0;
    for (int m = first; m < end; ++m) {
      if (edits[m].Kind != '+') ++beforeCount;
      if (edits[m].Kind != '-') ++afterCount;
    }
    out << "@@ -" << Range(edits[first].Before, beforeCount) << " +" << Range(edits[first].After, afterCount)
        << " @@\n";
    for (int m = first; m < end; ++m) {
      const std::string& text = edits[m].Kind == '+' ? after[edits[m].After] : before[edits[m].Before];
      out << edits[m].Kind << text;
      if (!raw) {
        out << '\n';
      } else if (text.empty() || text.back() != '\n') {
        out << "\n\\ No newline at end of file\n";
      }
    }
    k = end;
  }
  return true;
}

}  // namespace

bool WriteUnifiedDiff(std::ostream& out, std::string_view beforeName, std::string_view afterName,
                      const TLines& before, const TLines& after, int context) {
  return WriteHunks(out, beforeName, afterName, before, after, context, false);
}

bool WriteUnifiedPatch(std::ostream& out, std::string_view beforeName, std::string_view afterName,
                       std::string_view before, std::string_view after, int context) {
  if (before == after) return false;
  return WriteHunks(out, beforeName, afterName, PatchLines(before), PatchLines(after), context, true);
}

std::string PatchName(const std::string& path) {
  namespace fs = std::filesystem;
  std::error_code ec;
  const fs::path absolute = fs::absolute(path, ec).lexically_normal();
  const fs::path here = fs::current_path(ec);
  if (ec) return absolute.generic_string();
  const fs::path relative = absolute.lexically_relative(here);
  return relative.empty() ? absolute.generic_string() : relative.generic_string();
}

}  // namespace qm::cli
