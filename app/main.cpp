// borvanta [FILE.vcf]: the window that tidies a vCard address book. FILE is
// the default contacts folder; without it, the page's folder choice asks for
// a file.

#include <gtk/gtk.h>

#include <cstdio>
#include <filesystem>
#include <optional>
#include <string_view>

#include "app/borvanta_app.h"
#include "app/compiled_pages.h"
#include "app/vcard_address_book.h"

namespace {

constexpr const char* usage =
    "usage: borvanta [FILE.vcf]\n"
    "Opens the Borvanta window over the vCard address book FILE.vcf (the default\n"
    "contacts folder). Every change a run saves is written to the file right\n"
    "after the run; the first change keeps a copy of the file as it was.\n";

struct Arguments {
  std::optional<std::filesystem::path> file;
  bool help = false;
  bool valid = true;
};

Arguments parseArguments(int argc, char** argv) {
  Arguments arguments;
  bool optionsEnded = false;
  for (int i = 1; i < argc; ++i) {
    const std::string_view argument = argv[i];
    if (!optionsEnded && argument == "--") {
      optionsEnded = true;
    } else if (!optionsEnded && (argument == "-h" || argument == "--help")) {
      arguments.help = true;
    } else if ((!optionsEnded && argument.size() > 1 && argument.front() == '-') ||
               arguments.file) {
      arguments.valid = false;
    } else {
      arguments.file = std::filesystem::path(argument);
    }
  }
  return arguments;
}

}  // namespace

int main(int argc, char** argv) {
  // GTK's own options (--display, ...) first; they are taken out of argv.
  if (!gtk_parse_args(&argc, &argv)) {
    std::fputs(usage, stderr);
    return 2;
  }
  const Arguments arguments = parseArguments(argc, argv);
  if (arguments.help) {
    std::fputs(usage, stdout);
    return 0;
  }
  if (!arguments.valid) {
    std::fputs(usage, stderr);
    return 2;
  }
  if (!gtk_init_check(&argc, &argv)) {
    std::fputs("borvanta: there is no display to open the window on\n", stderr);
    return 1;
  }
  borvanta::CBorvantaApp* app = nullptr;
  borvanta::VcardAddressBook book(arguments.file, [&app]() -> GtkWindow* {
    return app != nullptr && app->mainWindow() != nullptr ? app->mainWindow()->window() : nullptr;
  });
  borvanta::gtk::GtkMessagePresenter boxes;
  borvanta::CBorvantaApp application(book.runtime(), borvanta::gtk::compiledInPages(), boxes,
                                     [&book](borvanta::OwnerWindow& owner) { book.flush(owner); });
  app = &application;
  (void)application.InitInstance();
  return 0;
}
