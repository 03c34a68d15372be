// SPDX-License-Identifier: MIT
// quillmate-cli lsp driven as an editor drives it: framed JSON-RPC messages in, the answers and
// notifications read back.

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "cli.h"
#include "cli_run.h"
#include "lsp/jsonrpc.h"
#include "lsp/server.h"
#include "platform/utf8.h"
#include "temp_dir.h"

namespace qm::cli {
namespace {

using lsp::json;
using test::TempDir;

// What came back from one session: every message written, standard error and the exit status.
struct TSessionResult {
  std::vector<json> Messages;
  std::string Err;
  int Code = -1;
  bool Framed = true;  // standard output held nothing but framed messages

  const json* Response(int id) const {
    for (const json& m : Messages) {
      if (m.contains("id") && m["id"] == id && !m.contains("method")) return &m;
    }
    return nullptr;
  }
  std::vector<json> Notifications(const std::string& method) const {
    std::vector<json> found;
    for (const json& m : Messages) {
      if (m.value("method", "") == method) found.push_back(m["params"]);
    }
    return found;
  }
};

std::vector<json> ParseFrames(const std::string& out, bool& framed) {
  std::istringstream in(out);
  std::vector<json> messages;
  std::string body, problem;
  while (true) {
    const lsp::TReadStatus status = lsp::ReadMessage(in, body, problem);
    if (status == lsp::TReadStatus::End) break;
    if (status == lsp::TReadStatus::Malformed) {
      framed = false;
      break;
    }
    json message = json::parse(body, nullptr, false);
    framed = framed && !message.is_discarded();
    messages.push_back(std::move(message));
  }
  // Whatever is left unread was not a message.
  framed = framed && in.eof();
  return messages;
}

// A client's side of one session, written up front and run through the server loop.
class TClient {
 public:
  int Request(const std::string& method, json params = json::object()) {
    Send({{"jsonrpc", "2.0"}, {"id", ++id_}, {"method", method}, {"params", std::move(params)}});
    return id_;
  }
  void Notify(const std::string& method, json params = json::object()) {
    Send({{"jsonrpc", "2.0"}, {"method", method}, {"params", std::move(params)}});
  }
  void Send(const json& message) { input_ += lsp::FrameMessage(message); }
  void Raw(const std::string& bytes) { input_ += bytes; }

  int Initialize(json options = nullptr) {
    json params = {{"processId", nullptr}, {"rootUri", nullptr}, {"capabilities", json::object()}};
    if (!options.is_null()) params["initializationOptions"] = std::move(options);
    const int id = Request("initialize", std::move(params));
    Notify("initialized");
    return id;
  }
  void Open(const std::string& uri, const std::string& text, const std::string& languageId = "vb") {
    Notify("textDocument/didOpen",
           {{"textDocument", {{"uri", uri}, {"languageId", languageId}, {"version", 1}, {"text", text}}}});
  }
  void Finish() {
    Request("shutdown");
    Notify("exit");
  }

  TSessionResult Run() const {
    std::istringstream in(input_);
    std::ostringstream out, err;
    TSessionResult result;
    result.Code = lsp::RunLspServer(in, out, err);
    result.Err = err.str();
    result.Messages = ParseFrames(out.str(), result.Framed);
    return result;
  }
  const std::string& Input() const { return input_; }

 private:
  std::string input_;
  int id_ = 0;
};

std::string UriOf(const std::string& path) { return "file://" + path; }

json DocumentParams(const std::string& uri) { return {{"textDocument", {{"uri", uri}}}}; }

// The text after the edits of a response, applied in order (as the server sends at most one).
std::string Applied(std::string text, const json& edits) {
  for (const json& e : edits) {
    const TTextEdit edit{{e["range"]["start"]["line"], e["range"]["start"]["character"]},
                         {e["range"]["end"]["line"], e["range"]["end"]["character"]},
                         e["newText"]};
    text = ApplyEdit(text, edit);
  }
  return text;
}

constexpr std::string_view kModule =
    "Attribute VB_Name = \"Stock\"\r\n"
    "Option Explicit\r\n"
    "Dim mCount As Integer\r\n"
    "\r\n"
    "Public Sub Add(ByVal n As Integer)\r\n"
    "If n > 0 Then\r\n"
    "mCount = mCount + n\r\n"
    "End If\r\n"
    "End Sub\r\n"
    "\r\n"
    "Private Function Total() As Long\r\n"
    "Total = mCount\r\n"
    "End Function\r\n";

struct CapabilityRow {
  const char* Name;
  json::json_pointer Pointer;
  json Expected;
};

class LspInitialize : public ::testing::TestWithParam<CapabilityRow> {};

TEST_P(LspInitialize, AnnouncesWhatTheServerDoes) {
  TempDir dir;
  TClient client;
  const int id = client.Initialize();
  client.Finish();
  const TSessionResult r = client.Run();
  ASSERT_NE(r.Response(id), nullptr);
  const json& result = (*r.Response(id))["result"];
  ASSERT_TRUE(result.contains(GetParam().Pointer)) << result.dump();
  EXPECT_EQ(result[GetParam().Pointer], GetParam().Expected);
}

INSTANTIATE_TEST_SUITE_P(
    Capabilities, LspInitialize,
    ::testing::Values(CapabilityRow{"FullTextSynchronisation", json::json_pointer("/capabilities/textDocumentSync/change"), 1},
                      CapabilityRow{"OpenAndClose", json::json_pointer("/capabilities/textDocumentSync/openClose"), true},
                      CapabilityRow{"Formatting", json::json_pointer("/capabilities/documentFormattingProvider"), true},
                      CapabilityRow{"RangeFormatting", json::json_pointer("/capabilities/documentRangeFormattingProvider"), true},
                      CapabilityRow{"Symbols", json::json_pointer("/capabilities/documentSymbolProvider"), true},
                      CapabilityRow{"ServerName", json::json_pointer("/serverInfo/name"), "quillmate-cli"}),
    [](const auto& info) { return std::string(info.param.Name); });

struct ExitRow {
  const char* Name;
  bool Shutdown;
  bool Exit;
  int Code;
};

class LspLifecycle : public ::testing::TestWithParam<ExitRow> {};

TEST_P(LspLifecycle, ExitStatusTellsWhetherShutdownCameFirst) {
  TempDir dir;
  TClient client;
  client.Initialize();
  int shutdown = 0;
  if (GetParam().Shutdown) shutdown = client.Request("shutdown");
  if (GetParam().Exit) client.Notify("exit");
  // Nothing after exit is read.
  client.Request("shutdown");
  const TSessionResult r = client.Run();
  EXPECT_EQ(r.Code, GetParam().Code);
  if (shutdown) {
    ASSERT_NE(r.Response(shutdown), nullptr);
    EXPECT_TRUE((*r.Response(shutdown))["result"].is_null());
  }
  EXPECT_TRUE(r.Framed);
}

INSTANTIATE_TEST_SUITE_P(Orders, LspLifecycle,
                         ::testing::Values(ExitRow{"ShutdownThenExit", true, true, 0},
                                           ExitRow{"ExitWithoutShutdown", false, true, 1},
                                           ExitRow{"InputEndsWithoutExit", true, false, 1}),
                         [](const auto& info) { return std::string(info.param.Name); });

struct BadMessageRow {
  const char* Name;
  std::string Raw;  // written as it stands
  int Code;
};

class LspBadMessages : public ::testing::TestWithParam<BadMessageRow> {};

TEST_P(LspBadMessages, GetAnErrorAndTheServerGoesOn) {
  TempDir dir;
  TClient client;
  client.Initialize();
  client.Raw(GetParam().Raw);
  const int after = client.Request("textDocument/documentSymbol", DocumentParams("file:///nowhere.bas"));
  client.Finish();
  const TSessionResult r = client.Run();
  bool found = false;
  for (const json& m : r.Messages) {
    if (m.contains("error") && m["error"]["code"] == GetParam().Code) found = true;
  }
  EXPECT_TRUE(found) << GetParam().Code << " not among the answers";
  // The next request is answered (an error of its own: the document is not open).
  ASSERT_NE(r.Response(after), nullptr);
  EXPECT_EQ((*r.Response(after))["error"]["code"], lsp::kInvalidParams);
  EXPECT_EQ(r.Code, 0);
  EXPECT_TRUE(r.Framed);
}

std::string Framed(const std::string& body) {
  return "Content-Length: " + std::to_string(body.size()) + "\r\n\r\n" + body;
}

INSTANTIATE_TEST_SUITE_P(
    Messages, LspBadMessages,
    ::testing::Values(
        BadMessageRow{"NotJson", Framed("{\"jsonrpc\": \"2.0\", \"id\": 9, "), lsp::kParseError},
        BadMessageRow{"NoContentLength", "Content-Type: x\r\n\r\n", lsp::kInvalidRequest},
        BadMessageRow{"LengthNotANumber", "Content-Length: lots\r\n\r\n", lsp::kInvalidRequest},
        BadMessageRow{"ArrayNotObject", Framed("[1, 2]"), lsp::kInvalidRequest},
        BadMessageRow{"MethodNotAString", Framed(R"({"jsonrpc":"2.0","id":7,"method":5})"), lsp::kInvalidRequest},
        BadMessageRow{"IdOfAnotherType", Framed(R"({"jsonrpc":"2.0","id":[1],"method":"shutdown"})"),
                      lsp::kInvalidRequest},
        BadMessageRow{"UnknownMethod", Framed(R"({"jsonrpc":"2.0","id":7,"method":"textDocument/hover"})"),
                      lsp::kMethodNotFound},
        BadMessageRow{"ParamsOfWrongShape",
                      Framed(R"({"jsonrpc":"2.0","id":7,"method":"textDocument/formatting","params":{"textDocument":3}})"),
                      lsp::kInvalidParams},
        BadMessageRow{"SecondInitialize", Framed(R"({"jsonrpc":"2.0","id":7,"method":"initialize","params":{}})"),
                      lsp::kInvalidRequest}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST(Lsp, RequestsBeforeInitializeAreRefused) {
  TempDir dir;
  TClient client;
  const int early = client.Request("textDocument/formatting", DocumentParams("file:///a.bas"));
  client.Notify("textDocument/didOpen", {{"textDocument", {{"uri", "file:///a.bas"}, {"text", "x"}}}});
  client.Initialize();
  client.Finish();
  const TSessionResult r = client.Run();
  ASSERT_NE(r.Response(early), nullptr);
  EXPECT_EQ((*r.Response(early))["error"]["code"], lsp::kServerNotInitialized);
  EXPECT_TRUE(r.Notifications("textDocument/publishDiagnostics").empty());
}

TEST(Lsp, UnknownNotificationsAreIgnored) {
  TempDir dir;
  TClient client;
  client.Initialize();
  client.Notify("workspace/didChangeConfiguration", {{"settings", json::object()}});
  client.Notify("$/cancelRequest", {{"id", 1}});
  client.Finish();
  const TSessionResult r = client.Run();
  EXPECT_EQ(r.Code, 0);
  for (const json& m : r.Messages) EXPECT_FALSE(m.contains("error")) << m.dump();
}

// The formatting of a document equals quillmate-cli format of the same bytes, whatever the
// client's formatting options say.
TEST(Lsp, FormattingGivesWhatFormatWrites) {
  TempDir dir;
  const std::string path = dir.Write("src/Stock.bas", kModule);
  TClient client;
  client.Initialize();
  client.Open(UriOf(path), std::string(kModule));
  const int id = client.Request("textDocument/formatting",
                                {{"textDocument", {{"uri", UriOf(path)}}}, {"options", {{"tabSize", 2}, {"insertSpaces", true}}}});
  client.Finish();
  const TSessionResult r = client.Run();
  ASSERT_NE(r.Response(id), nullptr);
  const test::TCliRun format = test::RunCaptured("format", {path});
  ASSERT_EQ(format.Code, kExitOk) << format.Err;
  EXPECT_EQ(Applied(std::string(kModule), (*r.Response(id))["result"]), format.Out);
  EXPECT_NE(format.Out, kModule);
}

struct LineEndRow {
  const char* Name;
  std::string Text;
  std::string Expected;
};

class LspLineEnds : public ::testing::TestWithParam<LineEndRow> {};

TEST_P(LspLineEnds, FormattingKeepsTheDocumentsLineEnds) {
  TempDir dir;
  dir.Write("VBQUILL3.INI", "[General]\r\nOptionExplicitInsert=0\r\n");
  const std::string uri = UriOf(dir / "A.bas");
  TClient client;
  client.Initialize();
  client.Open(uri, GetParam().Text);
  const int id = client.Request("textDocument/formatting", DocumentParams(uri));
  client.Finish();
  const TSessionResult r = client.Run();
  ASSERT_NE(r.Response(id), nullptr);
  EXPECT_EQ(Applied(GetParam().Text, (*r.Response(id))["result"]), GetParam().Expected);
}

INSTANTIATE_TEST_SUITE_P(
    Documents, LspLineEnds,
    ::testing::Values(LineEndRow{"Unix", "Sub A()\nx = 1\nEnd Sub\n", "Sub A()\n    x = 1\nEnd Sub\n"},
                      LineEndRow{"MixedTakesThePrevailingEnd", "Sub A()\r\nx = 1\nEnd Sub\r\n",
                                 "Sub A()\r\n    x = 1\r\nEnd Sub\r\n"},
                      LineEndRow{"UnchangedLinesKeepTheirOwn", "Sub A()\nx = 1\r\nEnd Sub\r\n",
                                 "Sub A()\n    x = 1\r\nEnd Sub\r\n"},
                      LineEndRow{"NoLineEndAtTheEnd", "Sub A()\r\nx = 1\r\nEnd Sub", "Sub A()\r\n    x = 1\r\nEnd Sub"}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST(Lsp, SettingsComeFromTheNearestSettingsFile) {
  TempDir dir;
  dir.Write("repo/.git/HEAD", "");
  dir.Write("repo/VBQUILL3.INI", "[General]\r\nOptionExplicitInsert=0\r\n[Indents]\r\nCodeIndentPerform=0\r\n");
  const std::string path = dir.Write("repo/src/A.bas", "Sub A()\r\nx = 1\r\nEnd Sub\r\n");
  TClient client;
  client.Initialize();
  client.Open(UriOf(path), "Sub A()\r\nx = 1\r\nEnd Sub\r\n");
  const int id = client.Request("textDocument/formatting", DocumentParams(UriOf(path)));
  client.Finish();
  const TSessionResult r = client.Run();
  ASSERT_NE(r.Response(id), nullptr);
  EXPECT_EQ((*r.Response(id))["result"], json::array());
  ASSERT_FALSE(r.Notifications("textDocument/publishDiagnostics").empty());
  EXPECT_EQ(r.Notifications("textDocument/publishDiagnostics").back()["diagnostics"], json::array());
}

struct CodePageRow {
  const char* Name;
  std::string Utf8;    // what the editor holds
  std::string OnDisk;  // the file's bytes, which format restyles
};

class LspCodePage : public ::testing::TestWithParam<CodePageRow> {};

// A source whose characters all have a byte in Windows-1252 is restyled as those bytes, so that
// columns count characters as in the file (an accented letter before a comment moves it no
// further); any other text is restyled as the editor's bytes.
TEST_P(LspCodePage, FormattingMatchesFormatOfTheFile) {
  TempDir dir;
  const std::string path = dir.Write("A.bas", GetParam().OnDisk);
  TClient client;
  client.Initialize();
  client.Open(UriOf(path), GetParam().Utf8);
  const int id = client.Request("textDocument/formatting", DocumentParams(UriOf(path)));
  client.Finish();
  const TSessionResult r = client.Run();
  ASSERT_NE(r.Response(id), nullptr);
  const test::TCliRun format = test::RunCaptured("format", {path});
  ASSERT_EQ(format.Code, kExitOk) << format.Err;
  const bool cp1252 = GetParam().OnDisk != GetParam().Utf8;
  EXPECT_EQ(Applied(GetParam().Utf8, (*r.Response(id))["result"]), cp1252 ? Cp1252ToUtf8(format.Out) : format.Out);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, LspCodePage,
    ::testing::Values(CodePageRow{"AccentBeforeAComment", "Sub A()\r\nx = \"caf\xC3\xA9\" ' note\r\nEnd Sub\r\n",
                                  "Sub A()\r\nx = \"caf\xE9\" ' note\r\nEnd Sub\r\n"},
                      CodePageRow{"EuroSign", "Sub A()\r\ns = \"\xE2\x82\xAC\" ' price\r\nEnd Sub\r\n",
                                  "Sub A()\r\ns = \"\x80\" ' price\r\nEnd Sub\r\n"},
                      CodePageRow{"CharacterBeyondTheCodePage", "Sub A()\r\ns = \"\xE4\xB8\xAD\" ' x\r\nEnd Sub\r\n",
                                  "Sub A()\r\ns = \"\xE4\xB8\xAD\" ' x\r\nEnd Sub\r\n"}),
    [](const auto& info) { return std::string(info.param.Name); });

// Between requests a team may change its settings file: the next request reads it again.
TEST(Lsp, SettingsFileIsReadAgainWhenItChanges) {
  TempDir dir;
  const std::string ini = dir.Write("VBQUILL3.INI", "[General]\r\nOptionExplicitInsert=0\r\n[Indents]\r\nCodeIndentPerform=0\r\n");
  const std::string uri = UriOf(dir / "A.bas");
  std::vector<json> sent;
  std::ostringstream log;
  lsp::TLspServer server([&sent](const json& m) { sent.push_back(m); }, log);
  const auto handle = [&server](const json& m) { server.HandleBody(m.dump()); };
  handle({{"jsonrpc", "2.0"}, {"id", 1}, {"method", "initialize"}, {"params", json::object()}});
  handle({{"jsonrpc", "2.0"},
          {"method", "textDocument/didOpen"},
          {"params", {{"textDocument", {{"uri", uri}, {"languageId", "vb"}, {"text", "Sub A()\r\nx = 1\r\nEnd Sub\r\n"}}}}}});
  const json format = {{"jsonrpc", "2.0"}, {"id", 2}, {"method", "textDocument/formatting"}, {"params", DocumentParams(uri)}};
  handle(format);
  ASSERT_EQ(sent.back()["result"], json::array());
  dir.Write("VBQUILL3.INI", "[General]\r\nOptionExplicitInsert=0\r\n");
  std::filesystem::last_write_time(ini, std::filesystem::last_write_time(ini) + std::chrono::seconds(2));
  handle(format);
  ASSERT_EQ(sent.back()["result"].size(), 1u) << sent.back().dump();
  EXPECT_EQ(sent.back()["result"][0]["newText"], "    x = 1\r\n");
}

TEST(Lsp, RangeFormattingRestylesTheTouchedProcedureOnly) {
  TempDir dir;
  const std::string uri = UriOf(dir / "Stock.bas");
  TClient client;
  client.Initialize();
  client.Open(uri, std::string(kModule));
  // Lines 10 to 12: the Function; the range ends at the start of line 13, which it does not take.
  const int id = client.Request("textDocument/rangeFormatting",
                                {{"textDocument", {{"uri", uri}}},
                                 {"range", {{"start", {{"line", 11}, {"character", 2}}}, {"end", {{"line", 13}, {"character", 0}}}}},
                                 {"options", {{"tabSize", 4}, {"insertSpaces", true}}}});
  client.Finish();
  const TSessionResult r = client.Run();
  ASSERT_NE(r.Response(id), nullptr);
  const std::string after = Applied(std::string(kModule), (*r.Response(id))["result"]);
  EXPECT_NE(after.find("\r\n    Total = mCount\r\n"), std::string::npos) << after;
  EXPECT_NE(after.find("\r\nIf n > 0 Then\r\nmCount = mCount + n\r\n"), std::string::npos) << after;
}

TEST(Lsp, DiagnosticsShowTheLinesARestyleWouldChange) {
  TempDir dir;
  const std::string uri = UriOf(dir / "Stock.bas");
  TClient client;
  client.Initialize();
  client.Open(uri, std::string(kModule));
  client.Notify("textDocument/didChange",
                {{"textDocument", {{"uri", uri}, {"version", 2}}},
                 {"contentChanges", json::array({{{"text", "Sub A()\r\n    x = 1\r\nEnd Sub\r\n"}}})}});
  client.Notify("textDocument/didSave", DocumentParams(uri));
  client.Notify("textDocument/didClose", DocumentParams(uri));
  client.Finish();
  const TSessionResult r = client.Run();
  const std::vector<json> published = r.Notifications("textDocument/publishDiagnostics");
  ASSERT_EQ(published.size(), 4u);  // open, change, save, close
  const json& opened = published[0]["diagnostics"];
  ASSERT_FALSE(opened.empty());
  for (const json& d : opened) {
    EXPECT_EQ(d["message"], "would be restyled");
    EXPECT_EQ(d["severity"], 4);
  }
  // Lines 5 to 7 (the If block) and 11 (the Function's body) would be re-indented.
  EXPECT_EQ(opened[0]["range"]["start"]["line"], 5);
  EXPECT_EQ(opened[0]["range"]["end"]["line"], 7);
  // The changed text lacks only Option Explicit, shown on its first line.
  ASSERT_EQ(published[1]["diagnostics"].size(), 1u);
  EXPECT_EQ(published[1]["diagnostics"][0]["range"]["start"]["line"], 0);
  EXPECT_EQ(published[2]["diagnostics"], published[1]["diagnostics"]);
  EXPECT_EQ(published[3]["diagnostics"], json::array());
}

// With spelling on in the settings, the misspelt words of comments and literals are shown with
// the dictionary's suggestions; names never are.
TEST(Lsp, DiagnosticsShowMisspeltWords) {
  TempDir dir;
  dir.Write("VBQUILL3.INI", "[SpellCheck]\r\nSpellingPerform=1\r\nSpellingLiterals=1\r\nSpellingComments=1\r\n");
  const std::string uri = UriOf(dir / "A.bas");
  TClient client;
  client.Initialize({{"restyleHints", false}});
  client.Open(uri, "Sub A()\r\n    recieve = \"\xC2\xA3 Teh totals\" ' we recieve it\r\nEnd Sub\r\n");
  client.Finish();
  const TSessionResult r = client.Run();
  const std::vector<json> published = r.Notifications("textDocument/publishDiagnostics");
  ASSERT_EQ(published.size(), 1u);
  const json& found = published[0]["diagnostics"];
  ASSERT_EQ(found.size(), 2u) << found.dump() << r.Err;
  EXPECT_EQ(found[0]["severity"], 3);
  EXPECT_EQ(found[0]["message"].get<std::string>().rfind("\"Teh\" is not in the dictionary (suggestions: ", 0), 0u)
      << found[0].dump();
  // Columns count UTF-16 units: the pound sign before the word is one.
  EXPECT_EQ(found[0]["range"]["start"], (json{{"line", 1}, {"character", 17}}));
  EXPECT_EQ(found[0]["range"]["end"], (json{{"line", 1}, {"character", 20}}));
  EXPECT_NE(found[1]["message"].get<std::string>().find("recieve"), std::string::npos);
  EXPECT_EQ(found[1]["range"]["start"]["character"], 34);
}

TEST(Lsp, RestyleHintsCanBeTurnedOff) {
  TempDir dir;
  const std::string uri = UriOf(dir / "Stock.bas");
  TClient client;
  client.Initialize({{"restyleHints", false}});
  client.Open(uri, std::string(kModule));
  client.Finish();
  const TSessionResult r = client.Run();
  ASSERT_EQ(r.Notifications("textDocument/publishDiagnostics").size(), 1u);
  EXPECT_EQ(r.Notifications("textDocument/publishDiagnostics")[0]["diagnostics"], json::array());
}

TEST(Lsp, SymbolsAreTheProceduresWithTheirScope) {
  TempDir dir;
  const std::string uri = UriOf(dir / "Stock.bas");
  TClient client;
  client.Initialize();
  client.Open(uri, std::string(kModule));
  const int id = client.Request("textDocument/documentSymbol", DocumentParams(uri));
  client.Finish();
  const TSessionResult r = client.Run();
  ASSERT_NE(r.Response(id), nullptr);
  const json& symbols = (*r.Response(id))["result"];
  ASSERT_EQ(symbols.size(), 2u) << symbols.dump();
  EXPECT_EQ(symbols[0]["name"], "Add");
  EXPECT_EQ(symbols[0]["detail"], "Public Sub");
  EXPECT_EQ(symbols[0]["range"]["start"]["line"], 4);
  EXPECT_EQ(symbols[0]["selectionRange"]["start"]["character"], 11);
  EXPECT_EQ(symbols[1]["name"], "Total");
  EXPECT_EQ(symbols[1]["kind"], 12);
}

TEST(Lsp, CodeActionsAtAProcedure) {
  TempDir dir;
  const std::string uri = UriOf(dir / "Stock.bas");
  TClient client;
  client.Initialize();
  client.Open(uri, std::string(kModule));
  const int id = client.Request(
      "textDocument/codeAction",
      {{"textDocument", {{"uri", uri}}},
       {"range", {{"start", {{"line", 6}, {"character", 0}}}, {"end", {{"line", 6}, {"character", 0}}}}},
       {"context", {{"diagnostics", json::array()}}}});
  client.Finish();
  const TSessionResult r = client.Run();
  ASSERT_NE(r.Response(id), nullptr);
  const json& actions = (*r.Response(id))["result"];
  ASSERT_EQ(actions.size(), 2u) << actions.dump();
  EXPECT_EQ(actions[0]["title"], "Insert procedure header");
  const std::string withHeader = Applied(std::string(kModule), actions[0]["edit"]["changes"][uri]);
  // Below the declaration, as the default settings place headers; Name filled in.
  EXPECT_NE(withHeader.find("Public Sub Add(ByVal n As Integer)\r\n' ----"), std::string::npos) << withHeader;
  EXPECT_NE(withHeader.find("'  Name   :  Add\r\n"), std::string::npos) << withHeader;
  EXPECT_EQ(actions[1]["title"], "Restyle this procedure");
  const std::string restyled = Applied(std::string(kModule), actions[1]["edit"]["changes"][uri]);
  EXPECT_NE(restyled.find("    If n > 0 Then\r\n        mCount"), std::string::npos) << restyled;
  EXPECT_NE(restyled.find("\r\nTotal = mCount\r\n"), std::string::npos) << restyled;
}

TEST(Lsp, OtherDocumentsAreLeftAlone) {
  TempDir dir;
  const std::string uri = UriOf(dir / "notes.txt");
  TClient client;
  client.Initialize();
  client.Open(uri, "Sub A()\nx = 1\nEnd Sub\n", "plaintext");
  const int format = client.Request("textDocument/formatting", DocumentParams(uri));
  const int symbols = client.Request("textDocument/documentSymbol", DocumentParams(uri));
  client.Finish();
  const TSessionResult r = client.Run();
  EXPECT_EQ((*r.Response(format))["result"], json::array());
  EXPECT_EQ((*r.Response(symbols))["result"], json::array());
  EXPECT_EQ(r.Notifications("textDocument/publishDiagnostics")[0]["diagnostics"], json::array());
}

struct UriRow {
  const char* Name;
  const char* Uri;
  const char* Path;
};

class LspUris : public ::testing::TestWithParam<UriRow> {};

TEST_P(LspUris, NameTheirFile) { EXPECT_EQ(lsp::PathOfUri(GetParam().Uri), GetParam().Path); }

INSTANTIATE_TEST_SUITE_P(Uris, LspUris,
                         ::testing::Values(UriRow{"PlainPath", "file:///home/a/M.bas", "/home/a/M.bas"},
                                           UriRow{"EscapedBlank", "file:///home/a%20b/M.bas", "/home/a b/M.bas"},
                                           UriRow{"WindowsDrive", "file:///C:/vb/M.bas", "C:/vb/M.bas"},
                                           UriRow{"Localhost", "file://localhost/x/M.bas", "/x/M.bas"},
                                           UriRow{"UnsavedBuffer", "untitled:Untitled-1", ""},
                                           UriRow{"OtherHost", "file://server/share/M.bas", ""}),
                         [](const auto& info) { return std::string(info.param.Name); });

// The real program: standard output carries nothing but messages, whatever comes in.
TEST(Lsp, ProgramWritesOnlyMessagesOnStandardOutput) {
  TempDir dir;
  TClient client;
  client.Initialize();
  client.Raw("garbage\r\n\r\n");
  client.Open(UriOf(dir / "A.bas"), "Sub A()\r\nx = 1\r\nEnd Sub\r\n");
  client.Raw(Framed("{not json"));
  client.Finish();
  dir.Write("in.txt", client.Input());
  const std::string command = "cd '" + dir.Dir() + "' && XDG_CONFIG_HOME='" + dir.Dir() + "' '" QUILLMATE_CLI_BINARY
                              "' lsp < in.txt > out.txt 2> err.txt";
  const int status = std::system(command.c_str());
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << dir.Read("err.txt");
  bool framed = true;
  const std::vector<json> messages = ParseFrames(dir.Read("out.txt"), framed);
  EXPECT_TRUE(framed);
  EXPECT_GE(messages.size(), 4u);  // initialize, two errors, diagnostics, shutdown
  EXPECT_NE(dir.Read("err.txt"), "");
}

}  // namespace
}  // namespace qm::cli
