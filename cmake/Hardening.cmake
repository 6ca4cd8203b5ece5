# How every Windows program of the project is compiled and linked so that a
# security reviewer finds what they look for, and so that two builds of the
# same commit are the same bytes. The wizard, the simulator and the test
# programs all get these flags: what the tests run is built the way the
# shipped program is. scripts/check-ship.sh checks the result on the shipped
# program; scripts/check-reproducible.sh checks that it does not depend on
# where or when it was built.

# The stack protector guards every function with an array or an address
# taken; its handler (__stack_chk_fail) and the fortified copies (__memcpy_chk
# and friends, chosen by _FORTIFY_SOURCE where the destination's size is
# known) come from GCC's libssp, linked statically like the rest of the
# runtime, so the program still needs no DLL beyond Windows' own.
add_compile_options(-fstack-protector-strong)
add_compile_definitions(_FORTIFY_SOURCE=2)
add_link_options(-fstack-protector-strong)

# ASLR and DEP are the linker's defaults today; saying so keeps them when a
# default changes. The 64-bit test build may also use the whole address space.
add_link_options(LINKER:--dynamicbase LINKER:--nxcompat)
if(CMAKE_SIZEOF_VOID_P EQUAL 8)
  add_link_options(LINKER:--high-entropy-va)
endif()

# Reproducible: no build time in the PE header, and neither the source folder
# nor the build folder in the program (assertion texts, file names). The build
# folder's mapping comes last so that it wins where it lies inside the sources.
add_link_options(LINKER:--no-insert-timestamp)
add_compile_options(-ffile-prefix-map=${CMAKE_SOURCE_DIR}=. -ffile-prefix-map=${CMAKE_BINARY_DIR}=build
                    -fmacro-prefix-map=${CMAKE_SOURCE_DIR}=. -fmacro-prefix-map=${CMAKE_BINARY_DIR}=build)
