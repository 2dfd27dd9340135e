# Common compile settings for every target of the project.
function(zor_target_options target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wnon-virtual-dtor
                                           $<$<CXX_COMPILER_ID:GNU>:-Wshadow=local>)
  if(ZOR_WERROR)
    target_compile_options(${target} PRIVATE -Werror)
  endif()
  target_compile_definitions(${target} PRIVATE QT_NO_CAST_FROM_ASCII QT_NO_CAST_TO_ASCII
                                               QT_NO_NARROWING_CONVERSIONS_IN_CONNECT)
endfunction()

if(ZOR_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
endif()

# Adds a GoogleTest executable with the given sources, linked to the given libraries, and
# registers its tests with CTest. GUI tests run on the offscreen platform. QT_APPLICATION gives the
# tests a QApplication under the Russian locale (widget tests); QT_GUI_APPLICATION a
# QGuiApplication (fonts and painting without widgets); OWN_MAIN means the sources bring main.
function(zor_add_gtest name)
  cmake_parse_arguments(ARG "QT_APPLICATION;QT_GUI_APPLICATION;OWN_MAIN" "" "SOURCES;LIBS" ${ARGN})
  find_package(GTest REQUIRED)
  add_executable(${name} ${ARG_SOURCES})
  zor_target_options(${name})
  if(ARG_QT_APPLICATION)
    target_sources(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests/common/QtTestMain.cpp)
    target_compile_definitions(${name} PRIVATE ZOR_TEST_WIDGETS)
    target_link_libraries(${name} PRIVATE ${ARG_LIBS} Qt6::Widgets GTest::gtest)
  elseif(ARG_OWN_MAIN)
    target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest)
  elseif(ARG_QT_GUI_APPLICATION)
    target_sources(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests/common/QtTestMain.cpp)
    target_link_libraries(${name} PRIVATE ${ARG_LIBS} Qt6::Gui GTest::gtest)
  else()
    target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest GTest::gtest_main)
  endif()
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests/common)
  # One CTest test per executable: a sanitized Qt process takes a while to start, so running each
  # test case in a process of its own would multiply the time of the suite.
  add_test(NAME ${name} COMMAND ${name})
  set_tests_properties(${name} PROPERTIES
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen;LSAN_OPTIONS=suppressions=${PROJECT_SOURCE_DIR}/tests/lsan.supp")
endfunction()

# Adds a fuzz target for code that reads outside input. With clang and ZOR_FUZZ it is a libFuzzer
# binary; otherwise the same entry point is linked with a small driver that replays the files and
# folders given on the command line. When a folder "corpus" of seeds stands beside it, the target
# is also a test: the seeds alone without libFuzzer, a minute of fuzzing with it. New inputs go to
# a folder of the build, never into the seeds.
function(zor_add_fuzzer name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  zor_target_options(${name})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS})
  if(ZOR_FUZZ)
    target_compile_options(${name} PRIVATE -fsanitize=fuzzer)
    target_link_options(${name} PRIVATE -fsanitize=fuzzer)
  else()
    target_sources(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests/common/FuzzReplayMain.cpp)
  endif()
  if(EXISTS "${CMAKE_CURRENT_SOURCE_DIR}/corpus")
    file(MAKE_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}/found)
    add_test(NAME ${name}
      COMMAND ${name} -max_total_time=60 -timeout=10 ${CMAKE_CURRENT_BINARY_DIR}/found
              ${CMAKE_CURRENT_SOURCE_DIR}/corpus)
    set_tests_properties(${name} PROPERTIES
      ENVIRONMENT "QT_QPA_PLATFORM=offscreen;LSAN_OPTIONS=suppressions=${PROJECT_SOURCE_DIR}/tests/lsan.supp")
  endif()
endfunction()

# Adds every subfolder of the current folder that has a CMakeLists.txt and that ZOR_ONLY admits.
function(zor_add_subfolders)
  file(GLOB dirs LIST_DIRECTORIES true CONFIGURE_DEPENDS "${CMAKE_CURRENT_SOURCE_DIR}/*")
  foreach(dir IN LISTS dirs)
    get_filename_component(name "${dir}" NAME)
    zor_folder_wanted(${name} wanted)
    if(wanted AND EXISTS "${dir}/CMakeLists.txt")
      add_subdirectory(${dir})
    endif()
  endforeach()
endfunction()
