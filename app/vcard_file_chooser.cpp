#include "app/vcard_file_chooser.h"

#include "app/gobject_ptr.h"

namespace borvanta::gtk {

namespace {

GtkFileFilter* vcardFilter() {
  GtkFileFilter* filter = gtk_file_filter_new();
  gtk_file_filter_set_name(filter, "vCard 연락처 파일 (*.vcf)");
  gtk_file_filter_add_mime_type(filter, "text/vcard");
  gtk_file_filter_add_mime_type(filter, "text/x-vcard");
  gtk_file_filter_add_pattern(filter, "*.vcf");
  gtk_file_filter_add_pattern(filter, "*.VCF");
  return filter;
}

GtkFileFilter* everyFileFilter() {
  GtkFileFilter* filter = gtk_file_filter_new();
  gtk_file_filter_set_name(filter, "모든 파일");
  gtk_file_filter_add_pattern(filter, "*");
  return filter;
}

// Takes the chosen file when the user answers: the chooser may still be
// reading its folder then, and reset its selection before it closes.
void takeChoice(GtkDialog* chooser, int response, gpointer chosen) {
  if (response != GTK_RESPONSE_ACCEPT) return;
  const GCharPtr file(gtk_file_chooser_get_filename(GTK_FILE_CHOOSER(chooser)));
  auto& choice = *static_cast<std::optional<std::filesystem::path>*>(chosen);
  if (file) choice = std::filesystem::path(file.get());
}

}  // namespace

std::optional<std::filesystem::path> chooseVcardFile(GtkWindow* owner) {
  GtkWidget* chooser = gtk_file_chooser_dialog_new(
      "정리할 연락처 파일 선택", owner, GTK_FILE_CHOOSER_ACTION_OPEN, "취소", GTK_RESPONSE_CANCEL,
      "열기", GTK_RESPONSE_ACCEPT, nullptr);
  gtk_window_set_modal(GTK_WINDOW(chooser), TRUE);
  gtk_file_chooser_set_local_only(GTK_FILE_CHOOSER(chooser), TRUE);
  // The vCard filter is the one shown first.
  gtk_file_chooser_add_filter(GTK_FILE_CHOOSER(chooser), vcardFilter());
  gtk_file_chooser_add_filter(GTK_FILE_CHOOSER(chooser), everyFileFilter());
  std::optional<std::filesystem::path> chosen;
  g_signal_connect(chooser, "response", G_CALLBACK(takeChoice), &chosen);
  const int response = gtk_dialog_run(GTK_DIALOG(chooser));
  gtk_widget_destroy(chooser);
  if (response != GTK_RESPONSE_ACCEPT) return std::nullopt;
  return chosen;
}

}  // namespace borvanta::gtk
