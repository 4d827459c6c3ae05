// The window over a vCard file, as the program runs it: a run started from the
// page changes the file right after it ends, a file that is missing is told
// in a box, and the page's folder choice asks for a file.

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "app/page_scheme.h"
#include "app/vcard_address_book.h"
#include "tests/window/window_harness.h"

namespace borvanta {
namespace {

using window_testing::WindowHarness;

std::string readFile(const std::filesystem::path& path) {
  std::ifstream file(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << file.rdbuf();
  return bytes.str();
}

// A copy of tests/window/data/contacts.vcf in a directory of its own, and the
// window over it as the program wires it.
class VcardWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    directory =
        std::filesystem::temp_directory_path() / ("borvanta-window-" + std::to_string(::getpid()));
    std::filesystem::create_directories(directory);
    file = directory / "연락처.vcf";
    const char* root = std::getenv("BORVANTA_SOURCE_DIR");
    std::filesystem::copy_file(
        std::filesystem::path(root != nullptr ? root : ".") / "tests/window/data/contacts.vcf",
        file);
  }
  void TearDown() override {
    window.reset();
    book.reset();
    std::filesystem::remove_all(directory);
  }

  void open(std::optional<std::filesystem::path> defaultFile) {
    book = std::make_unique<VcardAddressBook>(std::move(defaultFile), [this]() -> GtkWindow* {
      return window ? window->dialog.window() : nullptr;
    });
    window = std::make_unique<WindowHarness>(window_testing::fixturePages(), &book->runtime());
    window->afterRun = [this](OwnerWindow& owner) { book->flush(owner); };
    ASSERT_TRUE(window->waitForDocument(gtk::pageAddress));
  }

  bool run() {
    window->follow("start");
    return window_testing::waitUntil([&] { return !window->app.job().isRunning(); });
  }

  std::filesystem::path directory;
  std::filesystem::path file;
  std::unique_ptr<VcardAddressBook> book;
  std::unique_ptr<WindowHarness> window;
};

TEST_F(VcardWindow, ARunChangesTheFileRightAfterItEnds) {
  open(file);
  window->setChecked("cbSeperateName", true);
  window->setChecked("cbResetNumber", true);
  ASSERT_TRUE(run());
  EXPECT_TRUE(window->boxes.boxes.empty());
  const std::vector<std::string> log = window_testing::logTexts(window->view());
  ASSERT_FALSE(log.empty());
  EXPECT_EQ(log.front(), "완료하였습니다!");
  // Already in the file, not only in the journal beside it.
  const std::string written = readFile(file);
  EXPECT_NE(written.find("TEL;TYPE=CELL:010-1234-5678\r\n"), std::string::npos) << written;
  EXPECT_NE(written.find("N:김;철수;;;\r\n"), std::string::npos) << written;
  EXPECT_NE(written.find("N:남궁;민수;;;\r\n"), std::string::npos) << written;
}

TEST_F(VcardWindow, AMissingFileIsToldInABoxOwnedByTheWindow) {
  open(directory / "없는 파일.vcf");
  ASSERT_TRUE(run());
  ASSERT_EQ(window->boxes.boxes.size(), 1u);
  EXPECT_EQ(window->boxes.boxes[0].owner, window->dialog.window());
  EXPECT_NE(window->boxes.boxes[0].text.find("없는 파일.vcf"), std::string::npos)
      << window->boxes.boxes[0].text;
  const std::vector<std::string> log = window_testing::logTexts(window->view());
  EXPECT_EQ(std::count(log.begin(), log.end(), "완료하였습니다!"), 0);
}

// The user picks `data` (a path) in the chooser as soon as it is shown.
gboolean chooseFile(gpointer data) {
  GtkWidget* chooser = window_testing::visibleToplevel(GTK_TYPE_FILE_CHOOSER_DIALOG);
  if (chooser == nullptr) return G_SOURCE_CONTINUE;
  return window_testing::acceptFile(chooser, *static_cast<const std::filesystem::path*>(data))
             ? G_SOURCE_REMOVE
             : G_SOURCE_CONTINUE;
}

TEST_F(VcardWindow, ThePagesFolderChoiceAsksForTheFile) {
  open(std::nullopt);
  window->setChecked("cbUseDefaultContact", false);
  window->setChecked("cbResetNumber", true);
  g_timeout_add(20, chooseFile, &file);
  ASSERT_TRUE(run());
  EXPECT_TRUE(window->boxes.boxes.empty());
  EXPECT_NE(readFile(file).find("TEL;TYPE=CELL:010-1234-5678\r\n"), std::string::npos);
}

}  // namespace
}  // namespace borvanta
