// SPDX-License-Identifier: MIT
#include "lsp/jsonrpc.h"

#include <algorithm>
#include <cctype>
#include <istream>

namespace qm::cli::lsp {

namespace {

// One header line without its line end; false at the end of the stream.
bool ReadHeaderLine(std::istream& in, std::string& line) {
  line.clear();
  if (!std::getline(in, line)) return false;
  if (!line.empty() && line.back() == '\r') line.pop_back();
  return true;
}

std::string Lower(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
  return text;
}

bool ParseLength(std::string_view text, std::size_t& length) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  if (text.empty() || text.size() > 12) return false;
  length = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return false;
    length = length * 10 + static_cast<std::size_t>(c - '0');
  }
  return true;
}

}  // namespace

TReadStatus ReadMessage(std::istream& in, std::string& body, std::string& problem) {
  body.clear();
  problem.clear();
  std::string line;
  bool sawHeader = false, haveLength = false, badLength = false;
  std::size_t length = 0;
  while (true) {
    if (!ReadHeaderLine(in, line)) return TReadStatus::End;
    if (line.empty()) {
      if (!sawHeader) continue;  // blank lines between messages
      break;
    }
    sawHeader = true;
    const std::size_t colon = line.find(':');
    if (colon == std::string::npos) {
      problem = "header line without a colon: " + line.substr(0, 80);
      continue;
    }
    if (Lower(line.substr(0, colon)) == "content-length") {
      haveLength = ParseLength(std::string_view(line).substr(colon + 1), length);
      badLength = !haveLength;
    }
  }
  if (!haveLength) {
    problem = badLength ? "Content-Length is not a number" : "message without a Content-Length header";
    return TReadStatus::Malformed;
  }
  if (length > kMaxMessageBytes) {
    in.ignore(static_cast<std::streamsize>(length));
    if (!in) return TReadStatus::End;
    problem = "message of " + std::to_string(length) + " bytes is too large";
    return TReadStatus::Malformed;
  }
  body.resize(length);
  in.read(body.data(), static_cast<std::streamsize>(length));
  if (static_cast<std::size_t>(in.gcount()) != length) return TReadStatus::End;
  return TReadStatus::Message;
}

std::string FrameMessage(const nlohmann::json& message) {
  const std::string body = message.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
  return "Content-Length: " + std::to_string(body.size()) + "\r\n\r\n" + body;
}

}  // namespace qm::cli::lsp
