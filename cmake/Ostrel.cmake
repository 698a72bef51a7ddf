# Settings every target of ours shares.

option(OSTREL_SANITIZE "Build with AddressSanitizer and UndefinedBehaviorSanitizer" OFF)
if(OSTREL_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
endif()

# x87 arithmetic keeps excess precision, so one file time could compare unequal to itself;
# SSE2 doubles are exact. Every Windows version the program runs on has SSE2.
if(CMAKE_SYSTEM_PROCESSOR STREQUAL "i686")
  add_compile_options(-msse2 -mfpmath=sse)
endif()

# Warnings as errors for our own code; Windows headers configured for Unicode and Windows 7.
function(ostrel_target target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Werror)
  if(WIN32)
    target_compile_definitions(${target} PUBLIC
      UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601)
  endif()
endfunction()

# One test program: GoogleTest, one CTest entry (under Wine for the Windows build).
function(ostrel_add_test name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  ostrel_target(${name})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest_main)
  add_test(NAME ${name} COMMAND ${name})
endfunction()
