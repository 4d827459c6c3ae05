// borvanta-cli: the clean-up job over a vCard file, without a window.

#include <exception>
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include "cli/command_line.h"

int main(int argc, char** argv) {
  std::string program = argc > 0 ? std::filesystem::path(argv[0]).stem().string() : "";
  if (program.empty()) program = "borvanta-cli";
  try {
    const std::vector<std::string_view> arguments(argv + (argc > 0 ? 1 : 0), argv + argc);
    return borvanta::cli::runCommandLine(program, arguments, std::cout, std::cerr);
  } catch (const std::exception& error) {
    std::cerr << program << ": " << error.what() << std::endl;
    return 1;
  }
}
