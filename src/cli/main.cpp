// SPDX-License-Identifier: MIT
#include <iostream>

#include "cli.h"
#include "platform/os.h"

int main(int argc, char** argv) {
  qm::os::UseBinaryStandardStreams();
  const qm::cli::TArgs args = qm::os::Arguments(argc, argv);
  return qm::cli::RunCli(args, std::cin, std::cout, std::cerr);
}
