#include <iostream>

#include "cli.h"

int main(int argc, char** argv) {
  qm::cli::TArgs args(argv + 1, argv + argc);
  return qm::cli::RunCli(args, std::cin, std::cout, std::cerr);
}
