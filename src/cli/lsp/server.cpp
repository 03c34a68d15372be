// SPDX-License-Identifier: MIT
#include "lsp/server.h"

#include <cctype>
#include <istream>
#include <ostream>

#include "cli_settings.h"
#include "engine/statementscan.h"
#include "lsp/jsonrpc.h"
#include "platform/paths.h"
#include "platform/utf8.h"
#include "platform/profile.h"
#include "project/sourcemgt.h"
#include "settings/profile_entries.h"
#include "spelling/dictionary.h"

namespace qm::cli::lsp {

namespace {

constexpr std::string_view kSource = "quillmate";
constexpr std::string_view kWouldBeRestyled = "would be restyled";

// Message types of window/showMessage and window/logMessage.
constexpr int kMessageError = 1;
constexpr int kMessageWarning = 2;
constexpr int kMessageLog = 4;

// Diagnostic severities.
constexpr int kSeverityWarning = 2;
constexpr int kSeverityInformation = 3;
constexpr int kSeverityHint = 4;

// Symbol kinds.
int SymbolKindNumber(TSymbolKind kind) {
  switch (kind) {
    case TSymbolKind::Sub: return 6;        // Method
    case TSymbolKind::Function: return 12;  // Function
    case TSymbolKind::Property: return 7;   // Property
    case TSymbolKind::Type: return 23;      // Struct
    case TSymbolKind::Enum: return 10;      // Enum
    case TSymbolKind::Member: return 8;     // Field
    case TSymbolKind::Form: return 5;       // Class
    case TSymbolKind::Control: return 19;   // Object
  }
  return 13;
}

// The response of an error: id, code and message.
json ErrorResponse(const json& id, int code, const std::string& message) {
  return {{"jsonrpc", "2.0"}, {"id", id}, {"error", {{"code", code}, {"message", message}}}};
}

// Thrown inside a handler for an answer with an error.
struct TRequestError {
  int Code;
  std::string Message;
};

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

std::string_view ExtensionOf(std::string_view name) {
  const std::size_t slash = name.find_last_of("/\\");
  const std::size_t dot = name.rfind('.');
  if (dot == std::string_view::npos || (slash != std::string_view::npos && dot < slash)) return {};
  return name.substr(dot);
}

bool IsSourceExtension(std::string_view upperExt) {
  for (std::string_view ext : {".BAS", ".CLS", ".FRM", ".CTL", ".PAG", ".DOB", ".DSR"}) {
    if (upperExt == ext) return true;
  }
  return false;
}

std::optional<std::filesystem::file_time_type> StampOf(const std::string& file) {
  std::error_code ec;
  const auto stamp = std::filesystem::last_write_time(file, ec);
  if (ec) return std::nullopt;
  return stamp;
}

}  // namespace

std::string PathOfUri(std::string_view uri) {
  constexpr std::string_view kScheme = "file://";
  if (uri.size() < kScheme.size() || !EqualsUpperIgnoringCase(uri.substr(0, 5), "FILE:") ||
      uri.substr(4, 3) != "://") {
    return {};
  }
  std::string_view rest = uri.substr(kScheme.size());
  // file://host/path: only the local host (empty, or localhost) names a file here.
  const std::size_t slash = rest.find('/');
  if (slash == std::string_view::npos) return {};
  const std::string_view host = rest.substr(0, slash);
  if (!host.empty() && !EqualsUpperIgnoringCase(host, "LOCALHOST")) return {};
  rest = rest.substr(slash);
  std::string path;
  for (std::size_t i = 0; i < rest.size(); ++i) {
    if (rest[i] == '%' && i + 2 < rest.size() && HexValue(rest[i + 1]) >= 0 && HexValue(rest[i + 2]) >= 0) {
      path += static_cast<char>(HexValue(rest[i + 1]) * 16 + HexValue(rest[i + 2]));
      i += 2;
    } else {
      path += rest[i];
    }
  }
  // file:///C:/dir/file.bas names C:/dir/file.bas.
  if (path.size() > 2 && path[0] == '/' && path[2] == ':' && std::isalpha(static_cast<unsigned char>(path[1]))) {
    path.erase(0, 1);
  }
  return path;
}

// Messages of the engine and of the settings: warnings and errors are shown to the user, the rest
// logged; a question gets the answer quillmate-cli format gives (its first button).
class TLspServer::TServerPrompts final : public IPrompts {
 public:
  explicit TServerPrompts(TLspServer& server) : server_(server) {}
  TAnswer Ask(TMsgKind kind, TButtons buttons, const std::string& text) override {
    if (kind == TMsgKind::Error || kind == TMsgKind::Warning) {
      server_.ShowMessage(kind == TMsgKind::Error ? kMessageError : kMessageWarning, text);
    } else {
      server_.LogMessage(text);
    }
    return buttons == TButtons::YesNo || buttons == TButtons::YesNoCancel ? TAnswer::Yes : TAnswer::Ok;
  }

 private:
  TLspServer& server_;
};

struct TLspServer::TDocument {
  std::string Uri;
  std::string Path;       // empty for a buffer that is no file
  std::string LanguageId;
  std::string Text;       // UTF-8, as the client sends it
  // What the engine reads: the text in Windows-1252, the code page of Visual Basic sources, when
  // every character has a byte there (so that columns count characters as in the file on disk),
  // else the client's bytes as they are.
  std::string EngineText;
  bool Cp1252 = false;
  std::uint8_t Kind = rkModule;
  bool IsSource = false;  // a Visual Basic source, which the server works on
  // The last restyle, for the text and the settings it was made with.
  std::unique_ptr<TDocumentRestyle> Restyle;
  std::uint64_t RestyleGeneration = 0;  // the settings load it was made with
};

struct TLspServer::TLoadedSettings {
  std::string File;  // empty: the saved settings
  std::optional<std::filesystem::file_time_type> Stamp;
  std::uint64_t Generation = 0;
  TSettings Settings;
  TCommentTemplates Templates;
  std::unique_ptr<TMisspellingFinder> Speller;
  bool SpellerFailed = false;
};

void TLspServer::SetText(TDocument& document, std::string text) {
  document.Text = std::move(text);
  document.Cp1252 = Utf8ToCp1252(document.Text, document.EngineText);
  if (!document.Cp1252) document.EngineText = document.Text;
  document.Restyle.reset();
}

std::string TLspServer::ToClient(const TDocument& document, const std::string& text) {
  return document.Cp1252 ? Cp1252ToUtf8(text) : text;
}

std::vector<TTextEdit> TLspServer::ClientEdits(const TDocument& document, const std::vector<TTextEdit>& edits,
                                               const std::string& after) {
  if (!document.Cp1252 || edits.empty()) return edits;
  // The edit between the client's text and the new text in UTF-8: its columns count the client's
  // characters.
  std::vector<TTextEdit> converted;
  if (auto edit = EditBetween(document.Text, Cp1252ToUtf8(after))) converted.push_back(std::move(*edit));
  return converted;
}

TLspServer::TLspServer(TSend send, std::ostream& log)
    : send_(std::move(send)), log_(log), prompts_(std::make_unique<TServerPrompts>(*this)) {}

TLspServer::~TLspServer() = default;

void TLspServer::ShowMessage(int type, const std::string& text) {
  send_({{"jsonrpc", "2.0"}, {"method", "window/showMessage"}, {"params", {{"type", type}, {"message", text}}}});
}

void TLspServer::LogMessage(const std::string& text) { log_ << "quillmate-cli lsp: " << text << '\n' << std::flush; }

void TLspServer::HandleMalformed(const std::string& problem) {
  LogMessage(problem);
  send_(ErrorResponse(nullptr, kInvalidRequest, problem));
}

void TLspServer::HandleBody(std::string_view body) {
  json message = json::parse(body, nullptr, false);
  if (message.is_discarded()) {
    LogMessage("message is not JSON");
    send_(ErrorResponse(nullptr, kParseError, "message is not JSON"));
    return;
  }
  Handle(message);
}

void TLspServer::Handle(const json& message) {
  const bool hasId = message.is_object() && message.contains("id") &&
                     (message["id"].is_number_integer() || message["id"].is_string());
  const json id = hasId ? message["id"] : json(nullptr);
  if (!message.is_object() || !message.contains("method") || !message["method"].is_string()) {
    // A response to a request of the server's own (it sends none that wait) is ignored.
    if (message.is_object() && hasId && (message.contains("result") || message.contains("error"))) return;
    send_(ErrorResponse(id, kInvalidRequest, "not a request or notification"));
    return;
  }
  const std::string method = message["method"];
  const json params = message.contains("params") ? message["params"] : json::object();
  if (!hasId) {
    if (message.contains("id")) {
      send_(ErrorResponse(nullptr, kInvalidRequest, "id must be a number or a string"));
      return;
    }
    try {
      Notification(method, params);
    } catch (const std::exception& e) {
      LogMessage(method + ": " + e.what());
    }
    return;
  }
  try {
    json result = Request(method, params);
    send_({{"jsonrpc", "2.0"}, {"id", id}, {"result", std::move(result)}});
  } catch (const TRequestError& e) {
    send_(ErrorResponse(id, e.Code, e.Message));
  } catch (const json::exception& e) {
    send_(ErrorResponse(id, kInvalidParams, method + ": invalid params: " + e.what()));
  } catch (const std::exception& e) {
    send_(ErrorResponse(id, kInternalError, method + ": " + e.what()));
  }
}

json TLspServer::Request(const std::string& method, const json& params) {
  if (method == "initialize") {
    if (initialized_) throw TRequestError{kInvalidRequest, "initialize was already received"};
    return Initialize(params);
  }
  if (!initialized_) throw TRequestError{kServerNotInitialized, "initialize first"};
  if (shutdown_) throw TRequestError{kInvalidRequest, "the server is shutting down"};
  if (method == "shutdown") {
    shutdown_ = true;
    return nullptr;
  }
  if (method == "textDocument/formatting") return Formatting(params);
  if (method == "textDocument/rangeFormatting") return RangeFormatting(params);
  if (method == "textDocument/documentSymbol") return DocumentSymbols(params);
  if (method == "textDocument/codeAction") return CodeActions(params);
  throw TRequestError{kMethodNotFound, "unknown method " + method};
}

void TLspServer::Notification(const std::string& method, const json& params) {
  if (method == "exit") {
    exited_ = true;
    return;
  }
  if (!initialized_ || shutdown_) return;
  if (method == "textDocument/didOpen") return DidOpen(params);
  if (method == "textDocument/didChange") return DidChange(params);
  if (method == "textDocument/didClose") return DidClose(params);
  if (method == "textDocument/didSave") return DidSave(params);
  if (method == "initialized" || method.starts_with("$/")) return;
  LogMessage("notification " + method + " ignored");
}

json TLspServer::Initialize(const json& params) {
  initialized_ = true;
  if (params.is_object() && params.contains("initializationOptions") && params["initializationOptions"].is_object()) {
    const json& options = params["initializationOptions"];
    if (options.contains("restyleHints") && options["restyleHints"].is_boolean()) restyleHints_ = options["restyleHints"];
  }
  return {
      {"capabilities",
       {{"textDocumentSync", {{"openClose", true}, {"change", 1}, {"save", {{"includeText", true}}}}},
        {"documentFormattingProvider", true},
        {"documentRangeFormattingProvider", true},
        {"documentSymbolProvider", true},
        {"codeActionProvider", {{"codeActionKinds", json::array({"refactor.rewrite"})}}}}},
      {"serverInfo", {{"name", "quillmate-cli"}, {"version", QUILLMATE_VERSION}}}};
}

void TLspServer::DidOpen(const json& params) {
  const json& item = params.at("textDocument");
  auto document = std::make_unique<TDocument>();
  document->Uri = item.at("uri").get<std::string>();
  document->Path = PathOfUri(document->Uri);
  document->LanguageId = item.value("languageId", std::string());
  SetText(*document, item.at("text").get<std::string>());
  const std::string name = document->Path.empty() ? document->Uri : document->Path;
  const std::string ext = UpperCase(ExtensionOf(name));
  document->IsSource = IsSourceExtension(ext) || document->LanguageId == "vb" || document->LanguageId == "vb6" ||
                       document->LanguageId == "vba";
  document->Kind = IsSourceExtension(ext) ? KindOfExt(ext) : std::uint8_t{rkModule};
  TDocument& opened = *(documents_[document->Uri] = std::move(document));
  PublishDiagnostics(opened);
}

void TLspServer::DidChange(const json& params) {
  TDocument* document = DocumentOf(params);
  if (!document) return;
  for (const json& change : params.at("contentChanges")) {
    if (change.contains("range")) {
      // Full synchronisation is announced; a client that sends ranges anyway is followed.
      const json& range = change["range"];
      const auto pos = [&](const char* end) {
        return TTextPos{range.at(end).at("line").get<std::size_t>(), range.at(end).at("character").get<std::size_t>()};
      };
      const TTextEdit edit{pos("start"), pos("end"), change.at("text").get<std::string>()};
      SetText(*document, ApplyEdit(document->Text, edit));
    } else {
      SetText(*document, change.at("text").get<std::string>());
    }
  }
  PublishDiagnostics(*document);
}

void TLspServer::DidClose(const json& params) {
  const std::string uri = params.at("textDocument").at("uri");
  if (documents_.erase(uri) == 0) return;
  send_({{"jsonrpc", "2.0"},
         {"method", "textDocument/publishDiagnostics"},
         {"params", {{"uri", uri}, {"diagnostics", json::array()}}}});
}

void TLspServer::DidSave(const json& params) {
  TDocument* document = DocumentOf(params);
  if (!document) return;
  if (params.contains("text") && params["text"].is_string()) {
    SetText(*document, params["text"].get<std::string>());
  }
  // A saved settings file is read again on the way (its time stamp has changed).
  PublishDiagnostics(*document);
}

TLspServer::TDocument* TLspServer::DocumentOf(const json& params) {
  const std::string uri = params.at("textDocument").at("uri");
  const auto found = documents_.find(uri);
  if (found == documents_.end()) {
    LogMessage("document not open: " + uri);
    return nullptr;
  }
  return found->second.get();
}

TLspServer::TLoadedSettings* TLspServer::SettingsFor(const TDocument& document) {
  // A file's folder chooses its settings file; a buffer without a file takes the saved settings.
  const std::string folder = document.Path.empty() ? std::string() : ExtractFilePath(Absolute(document.Path));
  const std::string file = FindCliSettings("", folder);
  const auto stamp = StampOf(file.empty() ? ResolveProfilePath(kSettingsFileName) : file);
  auto& slot = settings_[file];
  if (slot && slot->Stamp == stamp) return slot.get();
  // Every load has a number of its own, so that a restyle made with other settings is never taken
  // for one made with these.
  const std::uint64_t generation = ++loads_;
  auto loaded = std::make_unique<TLoadedSettings>();
  loaded->File = file;
  loaded->Stamp = stamp;
  loaded->Generation = generation;
  if (std::string problem; !LoadCliSettings(file, loaded->Settings, loaded->Templates, *prompts_, problem)) {
    ShowMessage(kMessageError, problem);
    settings_.erase(file);
    return nullptr;
  }
  if (!file.empty()) LogMessage(DescribeCliSettings(file));
  slot = std::move(loaded);
  return slot.get();
}

TRestyleRequest TLspServer::RequestFor(const TDocument& document, TLoadedSettings& settings) {
  const std::string name = document.Path.empty() ? document.Uri : document.Path;
  const std::size_t slash = name.find_last_of("/\\");
  return TRestyleRequest{settings.Settings, &settings.Templates, *prompts_, document.Kind,
                         slash == std::string::npos ? name : name.substr(slash + 1)};
}

const TDocumentRestyle* TLspServer::RestyleOf(TDocument& document) {
  TLoadedSettings* settings = SettingsFor(document);
  if (!settings) return nullptr;
  if (document.Restyle && document.RestyleGeneration == settings->Generation) {
    return document.Restyle.get();
  }
  document.Restyle =
      std::make_unique<TDocumentRestyle>(RestyleDocument(document.EngineText, RequestFor(document, *settings)));
  document.RestyleGeneration = settings->Generation;
  return document.Restyle.get();
}

namespace {

// The lines of the text the engine read, to turn its byte columns into the client's characters:
// a byte of Windows-1252 is one character (one UTF-16 unit), UTF-8 is counted.
struct TLineIndex {
  std::vector<TDocumentLine> Lines;
  bool Cp1252 = false;
};

json Position(const TLineIndex& index, std::size_t line, std::size_t byteColumn) {
  const std::vector<TDocumentLine>& lines = index.Lines;
  std::size_t character = 0;
  if (line < lines.size()) {
    const std::string_view before = lines[line].Text.substr(0, std::min(byteColumn, lines[line].Text.size()));
    character = index.Cp1252 ? before.size() : Utf16Length(before);
  }
  return {{"line", line}, {"character", character}};
}

json LineSpan(const TLineIndex& lines, TLineRange range) {
  const std::size_t last = range.End > range.Begin ? range.End - 1 : range.Begin;
  const std::size_t lastLength = last < lines.Lines.size() ? lines.Lines[last].Text.size() : 0;
  return {{"start", Position(lines, range.Begin, 0)}, {"end", Position(lines, last, lastLength)}};
}

json PosJson(const TTextPos& pos) { return {{"line", pos.Line}, {"character", pos.Character}}; }

}  // namespace

json TLspServer::EditsJson(const std::vector<TTextEdit>& edits) const {
  json array = json::array();
  for (const TTextEdit& edit : edits) {
    array.push_back({{"range", {{"start", PosJson(edit.Start)}, {"end", PosJson(edit.End)}}}, {"newText", edit.NewText}});
  }
  return array;
}

void TLspServer::PublishDiagnostics(TDocument& document) {
  json diagnostics = json::array();
  if (document.IsSource) {
    const TLineIndex lines{DocumentLines(document.EngineText), document.Cp1252};
    const TDocumentRestyle* restyle = restyleHints_ ? RestyleOf(document) : nullptr;
    if (restyle && restyle->Restyled.MismatchLine) {
      const std::size_t line = *restyle->Restyled.MismatchLine > 0 ? *restyle->Restyled.MismatchLine - 1 : 0;
      diagnostics.push_back({{"range", LineSpan(lines, {line, line + 1})},
                             {"severity", kSeverityWarning},
                             {"source", kSource},
                             {"message", "not restyled: the restyled text would change the program near this line"}});
    }
    if (restyle) {
      for (const TLineRange& run : LinesToRestyle(*restyle)) {
        diagnostics.push_back({{"range", LineSpan(lines, run)},
                               {"severity", kSeverityHint},
                               {"source", kSource},
                               {"message", kWouldBeRestyled}});
      }
    }
    TLoadedSettings* settings = SettingsFor(document);
    if (settings && settings->Settings.Bool(SettingKey::SpellingPerform) && !settings->SpellerFailed) {
      if (!settings->Speller) {
        settings->Speller = std::make_unique<TMisspellingFinder>(
            *prompts_, settings->File.empty() ? std::string(kSettingsFileName) : Absolute(settings->File));
      }
      std::vector<TMisspelling> words;
      TLines texts;
      texts.reserve(lines.Lines.size());
      for (const TDocumentLine& line : lines.Lines) texts.emplace_back(line.Text);
      std::string problem;
      if (!settings->Speller->Find(texts, settings->Settings, &settings->Templates, document.Kind, words, &problem)) {
        settings->SpellerFailed = true;  // said once, not at every keystroke
        ShowMessage(kMessageWarning, "spelling: " + problem);
      }
      for (const TMisspelling& word : words) {
        std::string message = "\"" + ToClient(document, word.Word) + "\" is not in the dictionary";
        for (std::size_t i = 0; i < word.Suggestions.size(); ++i) {
          message += (i == 0 ? " (suggestions: " : ", ") + ToClient(document, word.Suggestions[i]);
        }
        if (!word.Suggestions.empty()) message += ")";
        diagnostics.push_back({{"range",
                                {{"start", Position(lines, word.Line, word.Column)},
                                 {"end", Position(lines, word.Line, word.Column + word.Length)}}},
                               {"severity", kSeverityInformation},
                               {"source", kSource},
                               {"message", message}});
      }
    }
  }
  send_({{"jsonrpc", "2.0"},
         {"method", "textDocument/publishDiagnostics"},
         {"params", {{"uri", document.Uri}, {"diagnostics", std::move(diagnostics)}}}});
}

json TLspServer::Formatting(const json& params) {
  TDocument* document = DocumentOf(params);
  if (!document) throw TRequestError{kInvalidParams, "document not open"};
  if (!document->IsSource) return json::array();
  const TDocumentRestyle* restyle = RestyleOf(*document);
  if (!restyle) return json::array();
  const TEditAnswer answer = FormatEdits(*restyle);
  if (!answer.Problem.empty()) ShowMessage(kMessageWarning, ToClient(*document, answer.Problem));
  return EditsJson(ClientEdits(*document, answer.Edits, answer.After));
}

json TLspServer::RangeFormatting(const json& params) {
  TDocument* document = DocumentOf(params);
  if (!document) throw TRequestError{kInvalidParams, "document not open"};
  const json& range = params.at("range");
  const auto first = range.at("start").at("line").get<std::size_t>();
  auto last = range.at("end").at("line").get<std::size_t>();
  // A range that ends at the start of a line does not take that line.
  if (last > first && range.at("end").at("character").get<std::size_t>() == 0) --last;
  if (!document->IsSource) return json::array();
  const TDocumentRestyle* restyle = RestyleOf(*document);
  if (!restyle) return json::array();
  TLoadedSettings* settings = SettingsFor(*document);
  const TEditAnswer answer = RangeFormatEdits(*restyle, first, last, RequestFor(*document, *settings));
  if (!answer.Problem.empty()) ShowMessage(kMessageWarning, ToClient(*document, answer.Problem));
  return EditsJson(ClientEdits(*document, answer.Edits, answer.After));
}

namespace {

json SymbolJson(const TSymbol& symbol, const TLineIndex& lines) {
  json children = json::array();
  for (const TSymbol& child : symbol.Children) children.push_back(SymbolJson(child, lines));
  const auto text = [&](const std::string& s) { return lines.Cp1252 ? Cp1252ToUtf8(s) : s; };
  json out = {{"name", symbol.Name.empty() ? std::string("(unnamed)") : text(symbol.Name)},
              {"kind", SymbolKindNumber(symbol.Kind)},
              {"range", LineSpan(lines, symbol.Lines)},
              {"selectionRange",
               {{"start", Position(lines, symbol.NameLine, symbol.NameColumn)},
                {"end", Position(lines, symbol.NameLine, symbol.NameColumn + symbol.Name.size())}}},
              {"children", std::move(children)}};
  if (!symbol.Detail.empty()) out["detail"] = text(symbol.Detail);
  return out;
}

}  // namespace

json TLspServer::DocumentSymbols(const json& params) {
  TDocument* document = DocumentOf(params);
  if (!document) throw TRequestError{kInvalidParams, "document not open"};
  json symbols = json::array();
  if (!document->IsSource) return symbols;
  const TLineIndex lines{DocumentLines(document->EngineText), document->Cp1252};
  TLines texts;
  for (const TDocumentLine& line : lines.Lines) texts.emplace_back(line.Text);
  for (const TSymbol& symbol : qm::DocumentSymbols(texts, document->Kind)) symbols.push_back(SymbolJson(symbol, lines));
  return symbols;
}

json TLspServer::CodeActions(const json& params) {
  TDocument* document = DocumentOf(params);
  if (!document) throw TRequestError{kInvalidParams, "document not open"};
  json actions = json::array();
  if (!document->IsSource) return actions;
  const auto line = params.at("range").at("start").at("line").get<std::size_t>();
  TLoadedSettings* settings = SettingsFor(*document);
  if (!settings) return actions;
  const auto action = [&](const std::string& title, const std::vector<TTextEdit>& edits) {
    actions.push_back({{"title", title},
                       {"kind", "refactor.rewrite"},
                       {"edit", {{"changes", {{document->Uri, EditsJson(edits)}}}}}});
  };
  if (auto header = HeaderInsertionAt(document->EngineText, line, settings->Settings, &settings->Templates)) {
    action("Insert procedure header", ClientEdits(*document, {header->Edit}, header->After));
  }
  const TLines texts = SplitLines(document->EngineText);
  if (const auto unit = ProcedureUnitAt(texts, line)) {
    const TDocumentRestyle* restyle = RestyleOf(*document);
    if (restyle && restyle->Restyled.Usable()) {
      const TEditAnswer answer = RangeFormatEdits(*restyle, line, line, RequestFor(*document, *settings));
      if (!answer.Edits.empty()) action("Restyle this procedure", ClientEdits(*document, answer.Edits, answer.After));
    }
  }
  return actions;
}

int RunLspServer(std::istream& in, std::ostream& out, std::ostream& err) {
  TLspServer server(
      [&out](const json& message) {
        const std::string framed = FrameMessage(message);
        out.write(framed.data(), static_cast<std::streamsize>(framed.size()));
        out.flush();
      },
      err);
  std::string body, problem;
  while (!server.Exited()) {
    const TReadStatus status = ReadMessage(in, body, problem);
    if (status == TReadStatus::End) break;
    if (status == TReadStatus::Malformed) {
      server.HandleMalformed(problem);
      continue;
    }
    server.HandleBody(body);
  }
  // Input ended without exit: the client is gone.
  return server.Exited() ? server.ExitCode() : 1;
}

}  // namespace qm::cli::lsp
