// borvanta-generate: writes a generated Korean address book to standard
// output.
//
//   borvanta-generate --contacts N [--seed S] [--version 2.1|3.0|mixed] [--lists K]

#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>

#include "tools/generator/address_book.h"

namespace {

using borvanta::generator::GeneratorOptions;

constexpr const char* kUsage =
    "usage: borvanta-generate --contacts N [--seed S] [--version 2.1|3.0|mixed] [--lists K]\n"
    "Writes N generated contacts (and a few distribution lists) as a .vcf file to standard\n"
    "output. The same N, S, version and list count always give the same bytes.\n";

std::optional<std::uint64_t> parseNumber(std::string_view text) {
  if (text.empty() || text.size() > 19) return std::nullopt;
  std::uint64_t value = 0;
  for (const char c : text) {
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + static_cast<std::uint64_t>(c - '0');
  }
  return value;
}

// The options, or nullopt after a message on standard error.
std::optional<GeneratorOptions> parseArguments(int argc, char** argv) {
  GeneratorOptions options;
  bool haveContacts = false;
  for (int i = 1; i < argc; ++i) {
    const std::string_view flag = argv[i];
    if (flag == "--help") {
      std::fputs(kUsage, stdout);
      std::exit(0);
    }
    if (i + 1 >= argc) {
      std::fprintf(stderr, "borvanta-generate: %s needs a value\n", argv[i]);
      return std::nullopt;
    }
    const std::string_view value = argv[++i];
    std::optional<std::uint64_t> number = parseNumber(value);
    if (flag == "--version") {
      const auto version = borvanta::generator::parseFileVersion(value);
      if (!version) {
        std::fprintf(stderr, "borvanta-generate: --version must be 2.1, 3.0 or mixed\n");
        return std::nullopt;
      }
      options.version = *version;
      continue;
    }
    if (!number) {
      std::fprintf(stderr, "borvanta-generate: %s needs a number, not \"%s\"\n", argv[i - 1],
                   argv[i]);
      return std::nullopt;
    }
    if (flag == "--contacts") {
      options.contacts = static_cast<std::size_t>(*number);
      haveContacts = true;
    } else if (flag == "--seed") {
      options.seed = *number;
    } else if (flag == "--lists") {
      options.lists = static_cast<std::size_t>(*number);
    } else {
      std::fprintf(stderr, "borvanta-generate: unknown option %s\n", argv[i - 1]);
      return std::nullopt;
    }
  }
  if (!haveContacts) {
    std::fputs("borvanta-generate: --contacts N is required\n", stderr);
    return std::nullopt;
  }
  return options;
}

}  // namespace

int main(int argc, char** argv) {
  const std::optional<GeneratorOptions> options = parseArguments(argc, argv);
  if (!options) {
    std::fputs(kUsage, stderr);
    return 2;
  }
  bool failed = false;
  borvanta::generator::writeAddressBook(*options, [&](std::string_view card) {
    if (!failed && std::fwrite(card.data(), 1, card.size(), stdout) != card.size()) failed = true;
  });
  if (std::fflush(stdout) != 0 || failed) {
    std::perror("borvanta-generate: writing standard output");
    return 1;
  }
  return 0;
}
