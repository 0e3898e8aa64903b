# Shared precompiled headers: one for QtCore users, one for QtWidgets users.
add_library(kwp_pch_core STATIC ${CMAKE_SOURCE_DIR}/cmake/pch_dummy.cpp)
target_link_libraries(kwp_pch_core PUBLIC Qt6::Core)
target_precompile_headers(kwp_pch_core PRIVATE ${CMAKE_SOURCE_DIR}/cmake/pch_core.h)
add_library(kwp_pch_widgets STATIC ${CMAKE_SOURCE_DIR}/cmake/pch_dummy.cpp)
target_link_libraries(kwp_pch_widgets PUBLIC Qt6::Widgets)
target_precompile_headers(kwp_pch_widgets PRIVATE ${CMAKE_SOURCE_DIR}/cmake/pch_widgets.h)

set(KWP_LOGIC_LIBRARIES "" CACHE INTERNAL "")

# kwp_add_library(NAME [WIDGETS] SOURCES ... LINK ...)
function(kwp_add_library name)
  cmake_parse_arguments(ARG "WIDGETS" "" "SOURCES;PUBLIC;PRIVATE" ${ARGN})
  add_library(${name} STATIC ${ARG_SOURCES})
  target_include_directories(${name} PUBLIC ${CMAKE_SOURCE_DIR}/src)
  target_link_libraries(${name} PUBLIC ${ARG_PUBLIC} PRIVATE ${ARG_PRIVATE})
  if(ARG_WIDGETS)
    target_precompile_headers(${name} REUSE_FROM kwp_pch_widgets)
  else()
    target_precompile_headers(${name} REUSE_FROM kwp_pch_core)
    set(KWP_LOGIC_LIBRARIES ${KWP_LOGIC_LIBRARIES} ${name} CACHE INTERNAL "")
  endif()
endfunction()

# Logic libraries must stay testable without windows.
function(kwp_check_logic_libraries)
  foreach(lib IN LISTS KWP_LOGIC_LIBRARIES)
    get_target_property(deps ${lib} LINK_LIBRARIES)
    foreach(dep IN LISTS deps)
      if(dep MATCHES "Widgets")
        message(FATAL_ERROR "Logic library ${lib} links ${dep}; windows belong into a widgets library")
      endif()
    endforeach()
  endforeach()
endfunction()

# kwp_add_test(NAME SOURCES ... LINK ...): one Qt Test executable per subsystem.
function(kwp_add_test name)
  cmake_parse_arguments(ARG "WIDGETS" "" "SOURCES;LINK" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE kwp_testsupport Qt6::Test ${ARG_LINK})
  target_compile_definitions(${name} PRIVATE
    KWP_TEST_DATA_DIR="${CMAKE_CURRENT_SOURCE_DIR}/data"
    KWP_SOURCE_DIR="${CMAKE_SOURCE_DIR}"
    KWP_BINARY_DIR="${CMAKE_BINARY_DIR}")
  if(ARG_WIDGETS)
    target_precompile_headers(${name} REUSE_FROM kwp_pch_widgets)
  else()
    target_precompile_headers(${name} REUSE_FROM kwp_pch_core)
  endif()
  # Test files share helper names; they are compiled one by one.
  set_target_properties(${name} PROPERTIES UNITY_BUILD OFF)
  add_test(NAME ${name} COMMAND ${name})
  set_tests_properties(${name} PROPERTIES
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen;TZ=Europe/Berlin;LANG=C.UTF-8;LC_ALL=C.UTF-8"
    TIMEOUT 600)
endfunction()
