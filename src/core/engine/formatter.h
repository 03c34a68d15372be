#pragma once

// The formatting engine: one object per processing run. Every rule of the engine works on these
// fields; the rules live in their own units (indent.cpp, pipeline.cpp, run.cpp, ...).

#include <cstdint>
#include <string>

#include "engine/forstack.h"
#include "engine/marks.h"
#include "engine/statement.h"
#include "settings/catalogue.h"

namespace qm {

class IPrompts;
class IProgress;
class IPreview;
class TSourceMgt;

// What the engine talks to: the settings it reads at the moment of use, the message boxes, the
// processing window, the copy progress window and the optional preview.
struct TEngineServices {
  TSettings& Settings;
  IPrompts& Prompts;
  IProgress& Processing;
  IProgress& Copying;
  IPreview* Preview = nullptr;
};

class TVBSrcFormatter {
 public:
  explicit TVBSrcFormatter(TEngineServices services);

  TForStack FForStack;
  std::int32_t FDimGroupCount = 0;
  std::int32_t FDimGroupAsColumn = 0;
  std::int32_t FIndentLevel = 0;
  std::int32_t FLastIndent = 0;
  TMarkedList FOutput;
  TMarkedList FPassInput;
  std::string FPrevLine;
  std::string FNextLine;
  std::string FFileName;
  std::string FOutputDir;
  std::uint8_t FFileKind = 0;
  bool FSpellCancelled = false;
  bool FSpellChanged = false;
  bool FModified = false;
  TSourceMgt* FProject = nullptr;

  // Indentation: re-indents one line (tabs already expanded) and updates FIndentLevel.
  void IndentLine(std::string& line);
  void ApplyLevelRule(TVBStatementKind kind);

 protected:
  bool On(SettingKey key) const { return services_.Settings.Bool(key); }
  int Num(SettingKey key) const { return services_.Settings.Int(key); }
  const std::string& Str(SettingKey key) const { return services_.Settings.Text(key); }

  TEngineServices services_;
};

}  // namespace qm
