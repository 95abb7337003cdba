# CMake generated Testfile for 
# Source directory: /work/main
# Build directory: /work/main/build
# 
# This file includes the relevant testing commands required for 
# testing this directory and lists subdirectories to be tested as well.
include("/work/main/build/text_tests[1]_include.cmake")
include("/work/main/build/db_tests[1]_include.cmake")
include("/work/main/build/parties_tests[1]_include.cmake")
include("/work/main/build/catalogue_tests[1]_include.cmake")
include("/work/main/build/run_tests[1]_include.cmake")
