# Warning and sanitizer settings shared by every target, as INTERFACE libraries linked PRIVATE.
option(PELRIN_WARNINGS_AS_ERRORS "Treat compiler warnings as errors" OFF)
option(PELRIN_SANITIZE "Build with AddressSanitizer and UndefinedBehaviorSanitizer" OFF)
option(PELRIN_TSAN "Build with ThreadSanitizer" OFF)

add_library(pelrin_warnings INTERFACE)
add_library(pelrin::warnings ALIAS pelrin_warnings)
target_compile_options(pelrin_warnings INTERFACE
  -Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor -Wold-style-cast -Wcast-align
  -Woverloaded-virtual -Wdouble-promotion -Wformat=2 -Wimplicit-fallthrough
  -Wmisleading-indentation -Wduplicated-cond -Wlogical-op)
if(PELRIN_WARNINGS_AS_ERRORS)
  target_compile_options(pelrin_warnings INTERFACE -Werror)
endif()

add_library(pelrin_options INTERFACE)
add_library(pelrin::options ALIAS pelrin_options)
target_link_libraries(pelrin_options INTERFACE pelrin_warnings)
if(PELRIN_SANITIZE)
  target_compile_options(pelrin_options INTERFACE -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  target_link_options(pelrin_options INTERFACE -fsanitize=address,undefined)
endif()
if(PELRIN_TSAN)
  target_compile_options(pelrin_options INTERFACE -fsanitize=thread -fno-omit-frame-pointer)
  target_link_options(pelrin_options INTERFACE -fsanitize=thread)
endif()

# Add a library of the project: pelrin_add_library(name alias SOURCES ...)
function(pelrin_add_library name)
  cmake_parse_arguments(ARG "" "" "SOURCES;PUBLIC_DEPS;PRIVATE_DEPS" ${ARGN})
  add_library(pelrin_${name} STATIC ${ARG_SOURCES})
  add_library(pelrin::${name} ALIAS pelrin_${name})
  target_include_directories(pelrin_${name} PUBLIC ${PROJECT_SOURCE_DIR})
  target_link_libraries(pelrin_${name} PUBLIC ${ARG_PUBLIC_DEPS} PRIVATE pelrin::options ${ARG_PRIVATE_DEPS})
  if(PELRIN_SANITIZE OR PELRIN_TSAN)
    target_link_libraries(pelrin_${name} PUBLIC pelrin::options)
  endif()
endfunction()
