// The window's message loop under the page bridge: pumping dispatches what
// GTK and WebKit have waiting in the default main context.

#include <gtest/gtest.h>

#include "app/gtk_message_loop.h"
#include "page/page_bridge.h"

namespace borvanta {
namespace {

gboolean countOnce(gpointer count) {
  ++*static_cast<int*>(count);
  return G_SOURCE_REMOVE;
}

TEST(GtkMessageLoop, DispatchesEverythingPendingWithoutWaiting) {
  gtk::GtkMessageLoop loop;
  int ran = 0;
  g_idle_add(countOnce, &ran);
  g_idle_add(countOnce, &ran);
  // A source that is not due yet is not waited for.
  const guint later = g_timeout_add_seconds(3600, countOnce, &ran);
  loop.dispatchPending();
  EXPECT_EQ(ran, 2);
  g_source_remove(later);
}

TEST(GtkMessageLoop, TicksFollowTheMonotonicClockInMilliseconds) {
  gtk::GtkMessageLoop loop;
  const std::uint32_t before = loop.tickCount();
  loop.sleep(5);
  const std::uint32_t after = loop.tickCount();
  EXPECT_GE(static_cast<std::int32_t>(after - before), 5);
  // The same clock, in milliseconds.
  EXPECT_LT(static_cast<std::uint32_t>(g_get_monotonic_time() / 1000) - after, 1000u);
  EXPECT_TRUE(loop.hasWindow());
}

TEST(GtkMessageLoop, APumpOfTheBridgeDispatchesPendingEvents) {
  gtk::GtkMessageLoop loop;
  PageBridge bridge(loop);
  int ran = 0;
  g_idle_add(countOnce, &ran);
  const std::uint32_t before = loop.tickCount();
  bridge.pumpMessages();
  EXPECT_EQ(ran, 1);
  EXPECT_GE(static_cast<std::int32_t>(loop.tickCount() - before), 2);
}

}  // namespace
}  // namespace borvanta
