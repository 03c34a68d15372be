// SPDX-License-Identifier: MIT
#pragma once

// The framing of JSON-RPC messages over a byte stream as language servers use it: header lines
// ("Content-Length: N", others ignored) up to an empty line, then N bytes of JSON.

#include <cstddef>
#include <iosfwd>
#include <string>

#include <nlohmann/json.hpp>

namespace qm::cli::lsp {

enum class TReadStatus {
  Message,    // body holds one message's bytes
  Malformed,  // the headers were unusable or the body too large; problem says why, reading goes on
  End,        // the stream ended (possibly in the middle of a message)
};

// Bodies larger than this are skipped unread: no editor sends a source of that size.
inline constexpr std::size_t kMaxMessageBytes = std::size_t{256} << 20;

TReadStatus ReadMessage(std::istream& in, std::string& body, std::string& problem);

// The message with its header, ready to write. Text that is not UTF-8 is replaced, never thrown on.
std::string FrameMessage(const nlohmann::json& message);

}  // namespace qm::cli::lsp
