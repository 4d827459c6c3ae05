// The message boxes the window shows: modal GTK message dialogs with an OK
// button only, no icon, the caption as title and the text as it is.

#include <gtest/gtest.h>

#include <string>

#include "app/message_presenter.h"
#include "tests/window/window_harness.h"

namespace borvanta {
namespace {

struct SeenBox {
  bool found = false;
  bool modal = false;
  GtkWindow* transientFor = nullptr;
  std::string title;
  std::string text;
  bool markup = true;
  GtkMessageType type = GTK_MESSAGE_INFO;
  int buttons = 0;
  int images = 0;
  bool okButton = false;
};

void countChildren(GtkWidget* widget, gpointer data) {
  auto* seen = static_cast<SeenBox*>(data);
  if (GTK_IS_BUTTON(widget)) ++seen->buttons;
  if (GTK_IS_IMAGE(widget)) ++seen->images;
  if (GTK_IS_CONTAINER(widget)) gtk_container_forall(GTK_CONTAINER(widget), countChildren, data);
}

// Looks at the open message box as the user would see it, then presses OK.
gboolean inspectAndClose(gpointer data) {
  auto* seen = static_cast<SeenBox*>(data);
  GtkWidget* box = window_testing::visibleToplevel(GTK_TYPE_MESSAGE_DIALOG);
  if (box == nullptr) return G_SOURCE_CONTINUE;
  seen->found = true;
  seen->modal = gtk_window_get_modal(GTK_WINDOW(box));
  seen->transientFor = gtk_window_get_transient_for(GTK_WINDOW(box));
  seen->title = gtk_window_get_title(GTK_WINDOW(box));
  gchar* text = nullptr;
  gboolean markup = TRUE;
  g_object_get(box, "text", &text, "use-markup", &markup, "message-type", &seen->type, nullptr);
  seen->text = text != nullptr ? text : "";
  g_free(text);
  seen->markup = markup;
  gtk_container_forall(GTK_CONTAINER(box), countChildren, seen);
  seen->okButton = gtk_dialog_get_widget_for_response(GTK_DIALOG(box), GTK_RESPONSE_OK) != nullptr;
  gtk_dialog_response(GTK_DIALOG(box), GTK_RESPONSE_OK);
  return G_SOURCE_REMOVE;
}

TEST(MessageBoxes, AreModalOkOnlyWithoutIconAndShowTheirTextAsItIs) {
  GtkWidget* owner = gtk_window_new(GTK_WINDOW_TOPLEVEL);
  gtk_widget_show(owner);
  struct Row {
    const char* name;
    GtkWindow* owner;
  };
  const Row rows[] = {{"owned by the window", GTK_WINDOW(owner)}, {"without owner", nullptr}};
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    SeenBox seen;
    g_idle_add(inspectAndClose, &seen);
    gtk::GtkMessagePresenter().show(row.owner, "<b>주소록</b> & 100%s", "borvanta");
    ASSERT_TRUE(seen.found);
    EXPECT_TRUE(seen.modal);
    EXPECT_EQ(seen.transientFor, row.owner);
    EXPECT_EQ(seen.title, "borvanta");
    EXPECT_EQ(seen.text, "<b>주소록</b> & 100%s");
    EXPECT_FALSE(seen.markup);
    EXPECT_EQ(seen.type, GTK_MESSAGE_OTHER);
    EXPECT_EQ(seen.buttons, 1);
    EXPECT_TRUE(seen.okButton);
    EXPECT_EQ(seen.images, 0);
  }
  gtk_widget_destroy(owner);
}

}  // namespace
}  // namespace borvanta
