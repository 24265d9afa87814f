# Warnings and sanitizers shared by every target of the project.
add_library(earlark_options INTERFACE)
target_compile_options(earlark_options INTERFACE -Wall -Wextra)

if(EARLARK_SANITIZE)
    # -fno-sanitize-recover makes any undefined behaviour fail the test that hit it.
    set(_san -fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer)
    target_compile_options(earlark_options INTERFACE ${_san})
    target_link_options(earlark_options INTERFACE ${_san})
endif()

if(EARLARK_FUZZ)
    target_compile_options(earlark_options INTERFACE -fsanitize=fuzzer-no-link,address,undefined)
    target_link_options(earlark_options INTERFACE -fsanitize=address,undefined)
endif()
