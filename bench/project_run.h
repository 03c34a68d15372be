// SPDX-License-Identifier: MIT
#pragma once

// What the whole-run benchmarks share: prompts that answer no one, and one read-and-run of a
// project file as the program does it.

#include <benchmark/benchmark.h>

#include <string>

#include "engine/run.h"
#include "project/sourcemgt.h"
#include "settings/catalogue.h"
#include "ui/progress.h"
#include "ui/prompts.h"

namespace qm::bench {

class TSilentPrompts final : public IPrompts {
 public:
  TAnswer Ask(TMsgKind, TButtons buttons, const std::string&) override {
    return buttons == TButtons::YesNo || buttons == TButtons::YesNoCancel ? TAnswer::No : TAnswer::Ok;
  }
};

// Reads the project and runs it (copies, log, formatting, writing); false, with the benchmark
// marked as failed, when either step does not complete.
inline bool ReadAndRun(benchmark::State& state, const std::string& projectFile, TSettings& settings) {
  TSilentPrompts prompts;
  TNullProgress processing, copying;
  TSourceMgt project;
  if (project.ReadProjectFile(projectFile, prompts) != TReadOutcome::Read) {
    state.SkipWithError("the project could not be read");
    return false;
  }
  TProcessingRun run(TEngineServices{settings, prompts, processing, copying, nullptr}, &project);
  if (run.Process().Outcome != TRunOutcome::Completed) {
    state.SkipWithError("the run did not complete");
    return false;
  }
  return true;
}

}  // namespace qm::bench
