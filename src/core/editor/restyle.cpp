// SPDX-License-Identifier: MIT
#include "editor/restyle.h"

#include "ui/progress.h"

namespace qm {

TRestyled RestyleSource(const TLines& lines, const TRestyleRequest& request, TCancelToken* cancel) {
  TNullProgress processing, copying;
  const TEngineServices services{request.Settings, request.Prompts, processing, copying, nullptr, request.Templates};
  return RestyleLines(lines, request.FileName.empty() ? std::string("-") : request.FileName, request.Kind, services,
                      cancel);
}

TLines TextsOf(const TMarkedList& output) {
  TLines texts;
  texts.reserve(output.size());
  for (const TMarkedLine& line : output) texts.push_back(line.Text);
  return texts;
}

}  // namespace qm
