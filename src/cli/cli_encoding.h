// SPDX-License-Identifier: MIT
#pragma once

// How a command shows the text of Visual Basic files as UTF-8 (formtree, stats, spell and the
// JSON reports): the code page --encoding names (any name the system's converter knows, or auto),
// else the desktop's Encoding choice kept in section [Encoding] of the settings file. Restyling
// never goes through here: it reads and writes bytes.

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/os.h"
#include "settings/encoding.h"

namespace qm::cli {

// The code page whose characters split words for an encoding's name (letter case, '-' and '_'
// aside): the desktop's code pages by their usual names; a name of another single-byte encoding
// reads as Windows-1252, of another multi-byte one as a double-byte page (only ASCII letters
// make words there). None for a name the system cannot convert from.
std::optional<TCodePage> WordsCodePageOfName(const std::string& name);

class TCliEncoding {
 public:
  // option: the value of --encoding (empty when not given); settingsFile: the settings file the
  // command reads (empty: the saved settings). False, with the problem, for an unknown name.
  bool Choose(const std::string& option, const std::string& settingsFile, std::string& problem);

  // Auto (given, or the settings' choice) decides by the text's bytes: UTF-8 when they are valid
  // UTF-8 beyond ASCII, a code page the detector is sure of, else the settings' fallback. Without
  // a call, Auto takes the fallback.
  void Resolve(const std::vector<std::string>& lines);

  std::string ToUtf8(std::string_view bytes) const;
  // The code page whose characters split the words of the text for spelling.
  TCodePage WordsPage() const { return wordsPage_; }
  bool IsAuto() const { return settings_.CodePage == TCodePage::Auto; }

 private:
  void UsePage(TCodePage page);

  TEncodingSettings settings_;
  bool cp1252_ = true;  // the desktop's Windows-1252 table (its five undefined bytes kept)
  std::unique_ptr<os::TTextDecoder> decoder_;
  TCodePage wordsPage_ = TCodePage::Windows1252;
};

}  // namespace qm::cli
