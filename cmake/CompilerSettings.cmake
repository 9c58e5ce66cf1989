# Language level and warnings for every target of both builds, and the settings
# that only the shipped program gets.
set(CMAKE_CXX_STANDARD 17)
set(CMAKE_CXX_STANDARD_REQUIRED ON)
set(CMAKE_CXX_EXTENSIONS OFF)

add_compile_options(-Wall -Wextra -Wpedantic -Wshadow -Wconversion -Werror)

if(WIN32)
  # Debian's headers default to Windows 10 and would offer functions that
  # Windows 2000 lacks.
  add_compile_definitions(WINVER=0x0500 _WIN32_WINNT=0x0500 WIN32_LEAN_AND_MEAN)
endif()

if(QUORVANE_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
endif()

# The program itself: small, self-contained and free of C++ runtime DLLs.
# No time stamp and no build paths, so that two builds of one commit are
# byte-identical. The benchmark builds its baselines with the same options.
set(QUORVANE_PRODUCT_COMPILE_OPTIONS -Os -fno-exceptions -fno-rtti -fno-threadsafe-statics
  -fno-asynchronous-unwind-tables -ffunction-sections -fdata-sections
  -ffile-prefix-map=${QUORVANE_ROOT}=.)
set(QUORVANE_PRODUCT_LINK_OPTIONS -static -s -Wl,--gc-sections -Wl,--no-insert-timestamp)
# A GUI executable's: subsystem 4.0 loads on 98, NT 4 and 2000; the two flags
# are ignored there.
set(QUORVANE_EXECUTABLE_LINK_OPTIONS -Wl,--subsystem,windows:4.0 -Wl,--dynamicbase
  -Wl,--nxcompat)
macro(quorvane_product_settings)
  add_compile_options(${QUORVANE_PRODUCT_COMPILE_OPTIONS})
  add_link_options(${QUORVANE_PRODUCT_LINK_OPTIONS})
endmacro()
