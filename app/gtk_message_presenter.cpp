#include <string>

#include "app/message_presenter.h"

namespace borvanta::gtk {

namespace {

std::string validText(std::string_view text) {
  gchar* valid = g_utf8_make_valid(text.data(), static_cast<gssize>(text.size()));
  std::string result(valid);
  g_free(valid);
  return result;
}

}  // namespace

void GtkMessagePresenter::show(GtkWindow* owner, std::string_view text, std::string_view caption) {
  // The text is given as an argument of "%s", so it is shown as it is and
  // never read as markup.
  GtkWidget* box =
      gtk_message_dialog_new(owner, static_cast<GtkDialogFlags>(GTK_DIALOG_MODAL),
                             GTK_MESSAGE_OTHER, GTK_BUTTONS_OK, "%s", validText(text).c_str());
  gtk_window_set_title(GTK_WINDOW(box), validText(caption).c_str());
  (void)gtk_dialog_run(GTK_DIALOG(box));
  gtk_widget_destroy(box);
}

}  // namespace borvanta::gtk
