// SPDX-License-Identifier: MIT
#pragma once

// Test doubles for the core's user-interface interfaces. FakePrompts answers from a script and
// records every message; a test that leaves a message unchecked fails when the fake is destroyed.

#include <gtest/gtest.h>

#include <deque>
#include <string>
#include <vector>

#include "ui/progress.h"
#include "ui/prompts.h"

namespace qm::test {

struct RecordedPrompt {
  TMsgKind Kind;
  TButtons Buttons;
  std::string Text;
};

class FakePrompts : public IPrompts {
 public:
  ~FakePrompts() override {
    EXPECT_TRUE(messages_.empty()) << "unchecked message: " << (messages_.empty() ? "" : messages_.front().Text);
    EXPECT_TRUE(answers_.empty()) << answers_.size() << " scripted answers were not asked for";
    EXPECT_EQ(busy_, 0) << "busy cursor left on";
  }

  // Answers given to the next questions, in order; a question with no scripted answer gets the
  // first button of its set (OK or Yes).
  void Answer(TAnswer answer) { answers_.push_back(answer); }

  TAnswer Ask(TMsgKind kind, TButtons buttons, const std::string& text) override {
    messages_.push_back({kind, buttons, text});
    if (!answers_.empty()) {
      TAnswer a = answers_.front();
      answers_.pop_front();
      return a;
    }
    return (buttons == TButtons::Ok || buttons == TButtons::OkCancel) ? TAnswer::Ok : TAnswer::Yes;
  }

  void BeginBusy() override { ++busy_; }
  void EndBusy() override { --busy_; }
  int Busy() const { return busy_; }

  // Takes the oldest recorded message; fails when there is none.
  RecordedPrompt Take() {
    if (messages_.empty()) {
      ADD_FAILURE() << "expected a message, none was shown";
      return {TMsgKind::Information, TButtons::Ok, ""};
    }
    RecordedPrompt p = messages_.front();
    messages_.erase(messages_.begin());
    return p;
  }
  void ExpectMessage(TMsgKind kind, const std::string& text) {
    RecordedPrompt p = Take();
    EXPECT_EQ(static_cast<int>(p.Kind), static_cast<int>(kind));
    EXPECT_EQ(p.Text, text);
  }
  bool Empty() const { return messages_.empty(); }
  std::size_t Count() const { return messages_.size(); }

 private:
  std::vector<RecordedPrompt> messages_;
  std::deque<TAnswer> answers_;
  int busy_ = 0;
};

// Records what a progress window was told.
class FakeProgress : public IProgress {
 public:
  void Show() override { visible = true; ++shows; }
  void Hide() override { visible = false; }
  void SetLabel(const std::string& text) override { labels.push_back(text); }
  void SetRange(int lo, int hi) override { min = lo; max = hi; }
  void SetPosition(int p) override { position = p; }
  void ProcessEvents() override { ++events; }

  bool visible = false;
  int shows = 0;
  std::vector<std::string> labels;
  int min = 0, max = 0, position = 0;
  long events = 0;
};

}  // namespace qm::test
