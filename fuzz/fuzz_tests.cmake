# Adds one ctest test per libFuzzer target of a separate clang build, so that
# a bounded fuzz run fails the test run like any other test. scripts/test
# builds the targets with scripts/fuzz --build and passes that build here.
set(LCR_FUZZ_BIN_DIR "" CACHE PATH
  "Build directory of the libFuzzer targets (scripts/fuzz); when set, ctest runs each")
if(LCR_FUZZ_BIN_DIR)
  file(GLOB LCR_FUZZ_TEST_SOURCES CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/fuzz/*_fuzz.cpp)
  foreach(src ${LCR_FUZZ_TEST_SOURCES})
    get_filename_component(name ${src} NAME_WE)
    string(REGEX REPLACE "_fuzz$" "" short ${name})
    add_test(NAME fuzz.${short} COMMAND ${PROJECT_SOURCE_DIR}/scripts/fuzz --run ${name})
    set_tests_properties(fuzz.${short} PROPERTIES TIMEOUT 180
      ENVIRONMENT "LCR_FUZZ_BUILD=${LCR_FUZZ_BIN_DIR}")
  endforeach()
endif()
