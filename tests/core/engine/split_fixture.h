// SPDX-License-Identifier: MIT
#pragma once

// A formatter on default settings whose split functions are called one line at a time, with the
// pieces they append to the output read back as plain texts.

#include <string>
#include <vector>

#include "engine/formatter.h"
#include "fake_ui.h"
#include "settings/catalogue.h"

namespace qm::test {

class SplitFixture {
 public:
  SplitFixture() : fmt_(TEngineServices{settings_, prompts_, progress_, progress_, nullptr}) {}

  TVBSrcFormatter& Fmt() { return fmt_; }
  TSettings& Settings() { return settings_; }

  // The texts appended to the output since the last call.
  std::vector<std::string> Pieces() {
    std::vector<std::string> texts;
    for (std::size_t i = taken_; i < fmt_.FOutput.size(); ++i) {
      texts.push_back(fmt_.FOutput[i].Text);
      EXPECT_TRUE(fmt_.FOutput[i].Mark.IsChanged()) << "piece " << i << " not marked changed";
    }
    taken_ = fmt_.FOutput.size();
    return texts;
  }

 private:
  TSettings settings_;
  FakePrompts prompts_;
  TNullProgress progress_;
  TVBSrcFormatter fmt_;
  std::size_t taken_ = 0;
};

}  // namespace qm::test
