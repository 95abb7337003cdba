# Additional clean files
cmake_minimum_required(VERSION 3.16)

if("${CONFIG}" STREQUAL "" OR "${CONFIG}" STREQUAL "RelWithDebInfo")
  file(REMOVE_RECURSE
  "CMakeFiles/catalogue_tests_autogen.dir/AutogenUsed.txt"
  "CMakeFiles/catalogue_tests_autogen.dir/ParseCache.txt"
  "CMakeFiles/conversor_autogen.dir/AutogenUsed.txt"
  "CMakeFiles/conversor_autogen.dir/ParseCache.txt"
  "CMakeFiles/conversor_window_autogen.dir/AutogenUsed.txt"
  "CMakeFiles/conversor_window_autogen.dir/ParseCache.txt"
  "CMakeFiles/db_tests_autogen.dir/AutogenUsed.txt"
  "CMakeFiles/db_tests_autogen.dir/ParseCache.txt"
  "CMakeFiles/make-databases_autogen.dir/AutogenUsed.txt"
  "CMakeFiles/make-databases_autogen.dir/ParseCache.txt"
  "CMakeFiles/parties_tests_autogen.dir/AutogenUsed.txt"
  "CMakeFiles/parties_tests_autogen.dir/ParseCache.txt"
  "CMakeFiles/run_tests_autogen.dir/AutogenUsed.txt"
  "CMakeFiles/run_tests_autogen.dir/ParseCache.txt"
  "CMakeFiles/test_support_autogen.dir/AutogenUsed.txt"
  "CMakeFiles/test_support_autogen.dir/ParseCache.txt"
  "CMakeFiles/text_tests_autogen.dir/AutogenUsed.txt"
  "CMakeFiles/text_tests_autogen.dir/ParseCache.txt"
  "catalogue_tests_autogen"
  "conversor_autogen"
  "conversor_window_autogen"
  "db_tests_autogen"
  "make-databases_autogen"
  "parties_tests_autogen"
  "run_tests_autogen"
  "test_support_autogen"
  "text_tests_autogen"
  )
endif()
