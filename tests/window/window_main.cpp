// The functional tests open real windows: GTK is initialised on the display
// CTest gives them (see CMakeLists.txt), except when the tests are only
// listed.

#include <gtest/gtest.h>
#include <gtk/gtk.h>

#include <cstdio>

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  if (!GTEST_FLAG_GET(list_tests) && !gtk_init_check(&argc, &argv)) {
    std::fprintf(stderr, "window tests: no display to open windows on\n");
    return 1;
  }
  return RUN_ALL_TESTS();
}
