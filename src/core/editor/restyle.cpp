// SPDX-License-Identifier: MIT
#include "editor/restyle.h"

#include "engine/formatter.h"
#include "engine/programcheck.h"
#include "globals.h"
#include "ui/progress.h"

namespace qm {

TRestyled RestyleSource(const TLines& lines, const TRestyleRequest& request) {
  TNullProgress processing, copying;
  TVBSrcFormatter formatter(
      TEngineServices{request.Settings, request.Prompts, processing, copying, nullptr, request.Templates});
  formatter.FFileName = request.FileName.empty() ? std::string("-") : request.FileName;
  formatter.FFileKind = request.Kind;
  CancelRequested = false;
  TRestyled result;
  result.Done = formatter.FormatPasses(lines);
  if (!result.Done) return result;
  result.MismatchLine = ProgramMismatchLine(lines, formatter.FOutput,
                                            ProgramCheckOptionsFor(request.Settings, request.Templates));
  result.Output = std::move(formatter.FOutput);
  return result;
}

TLines TextsOf(const TMarkedList& output) {
  TLines texts;
  texts.reserve(output.size());
  for (const TMarkedLine& line : output) texts.push_back(line.Text);
  return texts;
}

}  // namespace qm
