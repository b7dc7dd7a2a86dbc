# Each library takes every source of its folder, so adding a file needs no edit here.
function(quorvel_glob out)
  file(GLOB_RECURSE files CONFIGURE_DEPENDS ${ARGN})
  set(${out} ${files} PARENT_SCOPE)
endfunction()

# The portable core: forms model, settings store and the windows. Never includes <windows.h>.
quorvel_glob(core_sources
  ${PROJECT_SOURCE_DIR}/src/forms/*.cpp
  ${PROJECT_SOURCE_DIR}/src/settings/*.cpp
  ${PROJECT_SOURCE_DIR}/src/bar/*.cpp
  ${PROJECT_SOURCE_DIR}/src/windows/*.cpp)
add_library(quorvel_core STATIC ${core_sources})
target_include_directories(quorvel_core PUBLIC ${PROJECT_SOURCE_DIR}/src)

# The file system on the real disk (std::filesystem; flushes and replaces natively).
quorvel_glob(native_sources ${PROJECT_SOURCE_DIR}/src/platform/native/*.cpp)
add_library(quorvel_native STATIC ${native_sources})
target_link_libraries(quorvel_native PUBLIC quorvel_core)

# The simulated ports the tests run against: recorded calls, scripted answers, virtual clock.
quorvel_glob(sim_sources ${PROJECT_SOURCE_DIR}/src/platform/sim/*.cpp)
add_library(quorvel_sim STATIC ${sim_sources})
target_link_libraries(quorvel_sim PUBLIC quorvel_core)

add_subdirectory(tools)

if(WIN32)
  add_subdirectory(src/app)
endif()

if(QUORVEL_TESTS)
  enable_testing()
  add_subdirectory(tests)
endif()
