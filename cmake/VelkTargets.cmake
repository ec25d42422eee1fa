# Shared compile settings for every VelkClean target.
function(velk_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow=local -Wno-missing-field-initializers)
  if(VELK_WERROR)
    target_compile_options(${target} PRIVATE -Werror)
  endif()
endfunction()

# velk_gtest(NAME dir LIBS ...): one GoogleTest executable per test folder,
# built from every .cpp in that folder plus the shared test support.
function(velk_gtest name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE velk_test_support ${ARG_LIBS} GTest::gtest GTest::gmock)
  velk_warnings(${name})
  gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST
    PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen" TIMEOUT 300)
endfunction()
