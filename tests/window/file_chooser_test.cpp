// The chooser of the address book file, as the user sees and answers it.

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include <unistd.h>

#include "app/vcard_file_chooser.h"
#include "tests/window/window_harness.h"

namespace borvanta {
namespace {

struct ChooserVisit {
  std::string fileToChoose;  // empty: cancel
  bool found = false;
  bool modal = false;
  GtkWindow* transientFor = nullptr;
  GtkFileChooserAction action = GTK_FILE_CHOOSER_ACTION_SAVE;
  bool selectMultiple = true;
  bool shownFilterTakesVcf = false;
  bool shownFilterTakesText = true;
};

bool filterTakes(GtkFileFilter* filter, const char* name) {
  GtkFileFilterInfo info{};
  info.contains = GTK_FILE_FILTER_DISPLAY_NAME;
  info.display_name = name;
  return gtk_file_filter_filter(filter, &info);
}

gboolean answerChooser(gpointer data) {
  auto* visit = static_cast<ChooserVisit*>(data);
  GtkWidget* chooser = window_testing::visibleToplevel(GTK_TYPE_FILE_CHOOSER_DIALOG);
  if (chooser == nullptr) return G_SOURCE_CONTINUE;
  if (visit->found) {
    return window_testing::acceptFile(chooser, visit->fileToChoose) ? G_SOURCE_REMOVE
                                                                    : G_SOURCE_CONTINUE;
  }
  visit->found = true;
  visit->modal = gtk_window_get_modal(GTK_WINDOW(chooser));
  visit->transientFor = gtk_window_get_transient_for(GTK_WINDOW(chooser));
  visit->action = gtk_file_chooser_get_action(GTK_FILE_CHOOSER(chooser));
  visit->selectMultiple = gtk_file_chooser_get_select_multiple(GTK_FILE_CHOOSER(chooser));
  GtkFileFilter* shown = gtk_file_chooser_get_filter(GTK_FILE_CHOOSER(chooser));
  visit->shownFilterTakesVcf = shown != nullptr && filterTakes(shown, "연락처.vcf");
  visit->shownFilterTakesText = shown != nullptr && filterTakes(shown, "notes.txt");
  if (visit->fileToChoose.empty()) {
    gtk_dialog_response(GTK_DIALOG(chooser), GTK_RESPONSE_CANCEL);
    return G_SOURCE_REMOVE;
  }
  return G_SOURCE_CONTINUE;  // chosen on the next visits
}

class VcardFileChooser : public ::testing::Test {
 protected:
  void SetUp() override {
    owner = gtk_window_new(GTK_WINDOW_TOPLEVEL);
    gtk_widget_show(owner);
    directory =
        std::filesystem::temp_directory_path() / ("borvanta-chooser-" + std::to_string(::getpid()));
    std::filesystem::create_directories(directory);
    file = directory / "연락처.vcf";
    std::ofstream(file) << "BEGIN:VCARD\r\nVERSION:3.0\r\nFN:김철수\r\nEND:VCARD\r\n";
  }
  void TearDown() override {
    gtk_widget_destroy(owner);
    std::filesystem::remove_all(directory);
  }

  GtkWidget* owner = nullptr;
  std::filesystem::path directory;
  std::filesystem::path file;
};

TEST_F(VcardFileChooser, GivesTheFileTheUserChose) {
  ChooserVisit visit;
  visit.fileToChoose = file.string();
  g_timeout_add(20, answerChooser, &visit);
  const std::optional<std::filesystem::path> chosen = gtk::chooseVcardFile(GTK_WINDOW(owner));
  ASSERT_TRUE(visit.found);
  EXPECT_EQ(chosen, file);
  EXPECT_TRUE(visit.modal);
  EXPECT_EQ(visit.transientFor, GTK_WINDOW(owner));
  EXPECT_EQ(visit.action, GTK_FILE_CHOOSER_ACTION_OPEN);
  EXPECT_FALSE(visit.selectMultiple);
  EXPECT_TRUE(visit.shownFilterTakesVcf);
  EXPECT_FALSE(visit.shownFilterTakesText);
}

TEST_F(VcardFileChooser, GivesNothingWhenCancelled) {
  ChooserVisit visit;
  g_timeout_add(20, answerChooser, &visit);
  EXPECT_EQ(gtk::chooseVcardFile(GTK_WINDOW(owner)), std::nullopt);
  EXPECT_TRUE(visit.found);
}

}  // namespace
}  // namespace borvanta
