# Shared compile settings for every VelkClean target.
function(velk_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow=local -Wno-missing-field-initializers)
  if(VELK_WERROR)
    target_compile_options(${target} PRIVATE -Werror)
  endif()
endfunction()

# velk_library(NAME SOURCES ... [PUBLIC ...] [PRIVATE ...]): a static library
# of one folder, a namespace of its own, reached as "folder/Header.h" from src/.
# Every library uses QtCore in its headers; PUBLIC names what its users need too.
function(velk_library name)
  cmake_parse_arguments(PARSE_ARGV 1 arg "" "" "SOURCES;PUBLIC;PRIVATE")
  add_library(${name} STATIC ${arg_SOURCES})
  target_include_directories(${name} PUBLIC ${CMAKE_SOURCE_DIR}/src)
  target_link_libraries(${name} PUBLIC ${arg_PUBLIC} Qt6::Core)
  if(arg_PRIVATE)
    target_link_libraries(${name} PRIVATE ${arg_PRIVATE})
  endif()
  velk_warnings(${name})
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

# velk_leak_check(TARGET FILTER): runs the tests of TARGET that FILTER names
# once more with the compiler's leak checker preloaded, which fails the run
# when memory they allocated is still held, unreachable, as the process ends
# (a view's textures, a network session's requests). Left out with a
# compiler that has no leak checker, and in a build that already carries
# AddressSanitizer: it checks leaks itself in every test, and its runtime
# must come first, before any preloaded one. Other leak runs (velk-shot's)
# follow VELK_LEAK_CHECK_ENABLED too.
execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=liblsan.so
  OUTPUT_VARIABLE VELK_LEAK_CHECKER OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
string(TOUPPER "${CMAKE_BUILD_TYPE}" velk_build_type)
set(VELK_LEAK_CHECK_ENABLED OFF)
if(IS_ABSOLUTE "${VELK_LEAK_CHECKER}" AND EXISTS "${VELK_LEAK_CHECKER}"
   AND NOT "${CMAKE_CXX_FLAGS} ${CMAKE_CXX_FLAGS_${velk_build_type}} ${CMAKE_EXE_LINKER_FLAGS}"
       MATCHES "-fsanitize=([^ ]*,)?address")
  set(VELK_LEAK_CHECK_ENABLED ON)
endif()
function(velk_leak_check target filter)
  if(VELK_LEAK_CHECK_ENABLED)
    add_test(NAME ${target}.leaks.${filter} COMMAND ${target} --gtest_filter=${filter})
    set_tests_properties(${target}.leaks.${filter} PROPERTIES
      ENVIRONMENT "QT_QPA_PLATFORM=offscreen;LD_PRELOAD=${VELK_LEAK_CHECKER}" TIMEOUT 300)
  endif()
endfunction()

# velk_view_gtest(NAME SOURCES ... LIBS ...): a test of QML views, run with
# the Qt Quick test main in a shown offscreen window, with every QML module
# of the program importable (app/QmlModules.h).
function(velk_view_gtest name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  velk_gtest(${name}
    SOURCES ${ARG_SOURCES} ${CMAKE_SOURCE_DIR}/tests/support/ui/UiTestMain.cpp
            ${CMAKE_SOURCE_DIR}/tests/support/ui/InView.h
    LIBS ${ARG_LIBS} velk_app Qt6::Test Qt6::QuickTest Qt6::Quick)
endfunction()

# velk_qml_module(target URI uri SOURCES ... QML_FILES ... DEPENDENCIES ...):
# a static library carrying one QML module, built into qml/<uri as folders>
# of the build tree so tools and the linter find it. QML files are reached by
# their bare names; the code generated from them is spared the shadowing
# warnings it does not meet.
function(velk_qml_module target)
  cmake_parse_arguments(ARG "" "URI" "SOURCES;QML_FILES;DEPENDENCIES" ${ARGN})
  foreach(qml_file ${ARG_QML_FILES})
    get_filename_component(qml_name ${qml_file} NAME)
    set_source_files_properties(${qml_file} PROPERTIES QT_RESOURCE_ALIAS ${qml_name})
  endforeach()
  string(REPLACE "." "/" module_dir ${ARG_URI})
  qt_add_library(${target} STATIC)
  qt_add_qml_module(${target}
    URI ${ARG_URI}
    VERSION 1.0
    RESOURCE_PREFIX /qt/qml
    OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/qml/${module_dir}
    SOURCES ${ARG_SOURCES}
    QML_FILES ${ARG_QML_FILES}
    DEPENDENCIES ${ARG_DEPENDENCIES}
  )
  velk_warnings(${target})
  foreach(qml_file ${ARG_QML_FILES})
    string(REGEX REPLACE "\\.qml$" "_qml" compiled ${qml_file})
    set_source_files_properties(${CMAKE_CURRENT_BINARY_DIR}/.rcc/qmlcache/${target}_${compiled}.cpp
      PROPERTIES COMPILE_OPTIONS "-Wno-shadow=local;-Wno-shadow=compatible-local")
  endforeach()
endfunction()
