// SPDX-License-Identifier: MIT
// The language server answering an editor on a large module: a 20,000-line module that reads
// like a real application's code (source_generators.h), with every rule on in the VBQUILL3.INI
// beside it. Each iteration sends the whole text as a change (full synchronisation) and then asks
// for the document's formatting, as format-on-save does; the JSON of both messages is parsed and
// the answer written, as over standard input and output.
//
//   bench_lsp                      runs the benchmarks (Google Benchmark flags apply)

#include <benchmark/benchmark.h>

#include <filesystem>
#include <sstream>
#include <string>

#include "lsp/jsonrpc.h"
#include "lsp/server.h"
#include "platform/linefile.h"
#include "platform/profile.h"
#include "source_generators.h"

namespace {

namespace fs = std::filesystem;
using namespace qm;
using qm::cli::lsp::json;

constexpr int kModuleLines = 20000;

struct TBenchModule {
  std::string Dir;
  std::string Uri;
  std::string Text;
  int Lines = 0;
  TBenchModule() {
    Dir = (fs::temp_directory_path() / "quillmate-bench-lsp").string();
    fs::remove_all(Dir);
    fs::create_directories(Dir + "/settings");
    SetSettingsDirectory(Dir + "/settings/");
    std::string name;
    // File 3 is a code module (file % 5 == 3).
    Text = bench::GenerateRealCodeFile(3, kModuleLines, name, Lines);
    WriteFileBytes(Dir + "/" + name, Text);
    TSettings settings;
    bench::EveryRuleOn(settings);
    settings.SaveINIControls(Dir + "/VBQUILL3.INI");
    Uri = "file://" + Dir + "/" + name;
  }
  ~TBenchModule() {
    SetSettingsDirectory("");
    std::error_code ec;
    fs::remove_all(Dir, ec);
  }
};

void RunSession(benchmark::State& state, bool restyleHints) {
  TBenchModule module;
  std::ostringstream log;
  std::size_t written = 0, answers = 0;
  cli::lsp::TLspServer server(
      [&](const json& message) {
        written += cli::lsp::FrameMessage(message).size();
        if (message.contains("result")) ++answers;
      },
      log);
  const auto send = [&](const json& message) { server.HandleBody(message.dump()); };
  send({{"jsonrpc", "2.0"},
        {"id", 0},
        {"method", "initialize"},
        {"params", {{"capabilities", json::object()}, {"initializationOptions", {{"restyleHints", restyleHints}}}}}});
  send({{"jsonrpc", "2.0"},
        {"method", "textDocument/didOpen"},
        {"params", {{"textDocument", {{"uri", module.Uri}, {"languageId", "vb"}, {"version", 1}, {"text", module.Text}}}}}});
  const std::string change =
      json{{"jsonrpc", "2.0"},
           {"method", "textDocument/didChange"},
           {"params", {{"textDocument", {{"uri", module.Uri}, {"version", 2}}}, {"contentChanges", json::array({{{"text", module.Text}}})}}}}
          .dump();
  const std::string formatting =
      json{{"jsonrpc", "2.0"},
           {"id", 1},
           {"method", "textDocument/formatting"},
           {"params", {{"textDocument", {{"uri", module.Uri}}}, {"options", {{"tabSize", 4}, {"insertSpaces", true}}}}}}
          .dump();
  for (auto _ : state) {
    server.HandleBody(change);
    server.HandleBody(formatting);
  }
  if (answers < 1 + static_cast<std::size_t>(state.iterations())) state.SkipWithError("a request went unanswered");
  state.counters["lines"] = module.Lines;
  state.counters["lines/s"] = benchmark::Counter(static_cast<double>(module.Lines) * static_cast<double>(state.iterations()),
                                                 benchmark::Counter::kIsRate);
  state.counters["bytesOut"] = static_cast<double>(written) / static_cast<double>(state.iterations() + 1);
}

// Format on save: the change (no restyle hints) and the formatting request.
void BM_LspFormatting(benchmark::State& state) { RunSession(state, false); }
// The same with the "would be restyled" diagnostics published after the change.
void BM_LspFormattingWithHints(benchmark::State& state) { RunSession(state, true); }

BENCHMARK(BM_LspFormatting)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_LspFormattingWithHints)->Unit(benchmark::kMillisecond)->MinTime(2.0);

}  // namespace

BENCHMARK_MAIN();
