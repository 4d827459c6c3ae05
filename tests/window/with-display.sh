#!/bin/sh
# Runs a test program on a display of its own: a fresh Xvfb server that
# xvfb-run starts on a free display number and stops afterwards.
#
# GTK, fontconfig and WebKit keep state for the life of the process that
# LeakSanitizer would report at exit; those are suppressed by where they were
# allocated, leaks of the program itself are not. The libraries have no frame
# pointers, so stacks are taken the slow way to reach the program's frames.
set -eu
here=$(cd "$(dirname "$0")" && pwd)
export LSAN_OPTIONS="suppressions=$here/gtk-leaks.supp${LSAN_OPTIONS:+:$LSAN_OPTIONS}"
export ASAN_OPTIONS="fast_unwind_on_malloc=0${ASAN_OPTIONS:+:$ASAN_OPTIONS}"
# No accessibility bus on a bare display, and GTK's own settings (the file
# chooser's last folder, ...) stay in memory instead of the user's dconf.
export NO_AT_BRIDGE=1
export GSETTINGS_BACKEND=memory
exec xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp" "$@"
