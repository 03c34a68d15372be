// SPDX-License-Identifier: MIT
#pragma once

// One source restyled from its lines, as a processing run restyles a project's file: the passes,
// then the safety check. The one road into the engine for everything that restyles a single text
// outside a project run (quillmate-cli format, the language server).

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "engine/marks.h"
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

struct TRestyled {
  bool Done = false;  // false: the run was cancelled, Output holds nothing of use
  TMarkedList Output;
  // Set when the restyled text would read as another program: the line (from 1) of the source
  // near which they part. Such an output must not replace the source.
  std::optional<std::size_t> MismatchLine;

  bool Usable() const { return Done && !MismatchLine; }
};

TRestyled RestyleSource(const TLines& lines, const TRestyleRequest& request);

// The restyled lines' texts, without their marks.
TLines TextsOf(const TMarkedList& output);

}  // namespace qm
