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
  if (gtk_dialog_run(GTK_DIALOG(chooser)) == GTK_RESPONSE_ACCEPT) {
    const GCharPtr file(gtk_file_chooser_get_filename(GTK_FILE_CHOOSER(chooser)));
    if (file) chosen = std::filesystem::path(file.get());
  }
  gtk_widget_destroy(chooser);
  return chosen;
}

}  // namespace borvanta::gtk
