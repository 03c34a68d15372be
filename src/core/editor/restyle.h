// SPDX-License-Identifier: MIT
#pragma once

// One source restyled from its lines, as a processing run restyles a project's file: the passes,
// then the safety check. What restyles a single text outside a project run (quillmate-cli format,
// the language server) comes through here, into the engine's RestyleLines.

#include <cstdint>
#include <string>

#include "engine/restyle.h"
#include "platform/linefile.h"
#include "project/sourcemgt.h"

namespace qm {

class IPrompts;
class TSettings;
struct TCommentTemplates;

struct TRestyleRequest {
  TSettings& Settings;
  // The header comment templates the settings name; the built-in ones when null.
  const TCommentTemplates* Templates = nullptr;
  IPrompts& Prompts;
  std::uint8_t Kind = rkModule;
  std::string FileName;   // the file's name as the engine reports it ("-" for none)
};

// cancel: a request another thread may set; without one the restyling runs to its end.
TRestyled RestyleSource(const TLines& lines, const TRestyleRequest& request, TCancelToken* cancel = nullptr);

// The restyled lines' texts, without their marks.
TLines TextsOf(const TMarkedList& output);

}  // namespace qm
