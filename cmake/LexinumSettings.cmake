# Shared compiler settings: warnings and optional sanitizers.
set(CMAKE_RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin)

add_library(lexinum_warnings INTERFACE)
target_compile_options(lexinum_warnings INTERFACE -Wall -Wextra -Wpedantic -Wshadow=local -Wno-unused-parameter)

if(LEXINUM_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  add_link_options(-fsanitize=address,undefined)
endif()
if(LEXINUM_TSAN)
  add_compile_options(-fsanitize=thread -fno-omit-frame-pointer)
  add_link_options(-fsanitize=thread)
endif()
