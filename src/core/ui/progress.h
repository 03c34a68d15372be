// SPDX-License-Identifier: MIT
#pragma once

#include <string>

namespace qm {

class TCancelToken;

// A progress window: a label, a gauge and (for the processing window) a Cancel button that
// requests the cancel of the run it shows. Every operation has a do-nothing default so that
// callers without a window can pass TNullProgress.
class IProgress {
 public:
  virtual ~IProgress() = default;

  virtual void Show() {}
  virtual void Hide() {}
  virtual void SetLabel(const std::string& /*text*/) {}
  virtual void SetRange(int /*min*/, int /*max*/) {}
  virtual void SetPosition(int /*position*/) {}
  // Lets pending user input be handled (so that a Cancel button can be pressed).
  virtual void ProcessEvents() {}
  // The run whose progress the window shows (its Cancel button requests that run's cancel); null
  // when the run is over.
  virtual void SetCancelToken(TCancelToken* /*token*/) {}
};

class TNullProgress final : public IProgress {};

}  // namespace qm
