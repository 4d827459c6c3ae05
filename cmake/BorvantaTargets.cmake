# Shared settings for every target of the project: warnings as errors and,
# when asked for, the sanitizers.

set(BORVANTA_WARNINGS -Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor
    -Wold-style-cast -Woverloaded-virtual -Wimplicit-fallthrough -Werror)

set(BORVANTA_SANITIZER_FLAGS -fsanitize=address,undefined -fno-sanitize-recover=all
    -fno-omit-frame-pointer)

function(borvanta_settings target)
  target_compile_options(${target} PRIVATE ${BORVANTA_WARNINGS})
  target_compile_features(${target} PUBLIC cxx_std_20)
  if(BORVANTA_SANITIZE)
    target_compile_options(${target} PRIVATE ${BORVANTA_SANITIZER_FLAGS})
    # The standard library checks its own preconditions too (an empty
    # optional read, an index past the end), which the sanitizers cannot see.
    target_compile_definitions(${target} PRIVATE _GLIBCXX_ASSERTIONS)
    target_link_options(${target} PRIVATE ${BORVANTA_SANITIZER_FLAGS})
  endif()
endfunction()

# borvanta_library(name SOURCES ... DEPENDS ...): a static library whose
# headers are included from the repository root ("core/text.h").
function(borvanta_library name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPENDS" ${ARGN})
  add_library(${name} STATIC ${ARG_SOURCES})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
  target_link_libraries(${name} PUBLIC ${ARG_DEPENDS})
  borvanta_settings(${name})
endfunction()

# borvanta_test(name SOURCES ... DEPENDS ... [LABELS ...] [LAUNCHER program]
#               [RESOURCE_LOCK name] [TIMEOUT seconds]): one GoogleTest binary,
# its tests registered with CTest one by one. LAUNCHER starts the binary for
# every run (a display server for tests that open windows); tests that share a
# RESOURCE_LOCK never run at the same time. Every test of the project is
# registered through this function.
function(borvanta_test name)
  cmake_parse_arguments(ARG "" "LAUNCHER;RESOURCE_LOCK;TIMEOUT" "SOURCES;DEPENDS;LABELS" ${ARGN})
  find_package(GTest REQUIRED)
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_DEPENDS} GTest::gmock GTest::gtest_main)
  borvanta_settings(${name})
  if(NOT ARG_LABELS)
    set(ARG_LABELS unit)
  endif()
  set(extra_properties "")
  if(ARG_LAUNCHER)
    # gtest_discover_tests runs the binary through its emulator, listing included.
    set_property(TARGET ${name} PROPERTY CROSSCOMPILING_EMULATOR ${ARG_LAUNCHER})
  endif()
  if(ARG_RESOURCE_LOCK)
    list(APPEND extra_properties RESOURCE_LOCK ${ARG_RESOURCE_LOCK})
  endif()
  if(ARG_TIMEOUT)
    list(APPEND extra_properties TIMEOUT ${ARG_TIMEOUT})
  endif()
  include(GoogleTest)
  gtest_discover_tests(${name}
    WORKING_DIRECTORY ${PROJECT_SOURCE_DIR}
    PROPERTIES LABELS "${ARG_LABELS}"
               ENVIRONMENT "BORVANTA_SOURCE_DIR=${PROJECT_SOURCE_DIR}"
               ${extra_properties}
    DISCOVERY_TIMEOUT 60
    NO_PRETTY_VALUES)
endfunction()
