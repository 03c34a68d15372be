// SPDX-License-Identifier: MIT
#pragma once

// quillmate-cli lsp: a language server for Visual Basic sources. This layer only reads and writes
// the protocol's messages; what to edit, the symbols and the findings come from the core
// (src/core/editor), which knows nothing of the protocol.

#include <cstdint>
#include <filesystem>
#include <functional>
#include <iosfwd>
#include <map>
#include <memory>
#include <string>
#include <string_view>

#include <nlohmann/json.hpp>

#include "editor/editing.h"
#include "editor/misspellings.h"
#include "engine/templates.h"
#include "settings/catalogue.h"
#include "ui/prompts.h"

namespace qm::cli::lsp {

using nlohmann::json;

// Error codes of JSON-RPC and of the protocol.
inline constexpr int kParseError = -32700;
inline constexpr int kInvalidRequest = -32600;
inline constexpr int kMethodNotFound = -32601;
inline constexpr int kInvalidParams = -32602;
inline constexpr int kInternalError = -32603;
inline constexpr int kServerNotInitialized = -32002;

// The file a file: URI names (percent escapes decoded); empty for any other scheme.
std::string PathOfUri(std::string_view uri);

class TLspServer {
 public:
  using TSend = std::function<void(const json&)>;
  // send writes one message to the client; log takes the server's own notes (standard error).
  TLspServer(TSend send, std::ostream& log);
  ~TLspServer();

  // One message as read; malformed text gets an error response and the server goes on.
  void HandleBody(std::string_view body);
  // A message whose frame could not be read.
  void HandleMalformed(const std::string& problem);

  bool Exited() const { return exited_; }

  struct TDocument;
  // After exit: 0 when shutdown came first, else 1.
  int ExitCode() const { return shutdown_ ? 0 : 1; }

 private:
  struct TLoadedSettings;
  class TServerPrompts;

  static void SetText(TDocument& document, std::string text);
  // Text of the engine's (names, words, messages) in the client's UTF-8.
  static std::string ToClient(const TDocument& document, const std::string& text);
  // The edits for the client of an answer computed on the engine's text.
  static std::vector<TTextEdit> ClientEdits(const TDocument& document, const std::vector<TTextEdit>& edits,
                                            const std::string& after);

  void Handle(const json& message);
  json Request(const std::string& method, const json& params);
  void Notification(const std::string& method, const json& params);

  json Initialize(const json& params);
  void DidOpen(const json& params);
  void DidChange(const json& params);
  void DidClose(const json& params);
  void DidSave(const json& params);
  json Formatting(const json& params);
  json RangeFormatting(const json& params);
  json DocumentSymbols(const json& params);
  json CodeActions(const json& params);

  TDocument* DocumentOf(const json& params);
  TLoadedSettings* SettingsFor(const TDocument& document);
  // The document restyled with its settings (kept until the text or the settings change); null
  // when the settings cannot be read.
  const TDocumentRestyle* RestyleOf(TDocument& document);
  TRestyleRequest RequestFor(const TDocument& document, TLoadedSettings& settings);
  void PublishDiagnostics(TDocument& document);
  json EditsJson(const std::vector<TTextEdit>& edits) const;
  void ShowMessage(int type, const std::string& text);
  void LogMessage(const std::string& text);

  TSend send_;
  std::ostream& log_;
  std::unique_ptr<TServerPrompts> prompts_;
  bool initialized_ = false;
  bool shutdown_ = false;
  bool exited_ = false;
  bool restyleHints_ = true;
  std::uint64_t loads_ = 0;  // settings loads so far
  std::map<std::string, std::unique_ptr<TDocument>> documents_;
  std::map<std::string, std::unique_ptr<TLoadedSettings>> settings_;
};

// Runs the server over the streams until exit or the end of input; the exit status.
int RunLspServer(std::istream& in, std::ostream& out, std::ostream& err);

}  // namespace qm::cli::lsp
