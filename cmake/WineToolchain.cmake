# Build every module as a Winelib module: wineg++/winegcc compile and link,
# wrc compiles resource scripts.
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_C_COMPILER winegcc)
set(CMAKE_CXX_COMPILER wineg++)
find_program(WINE_WRC wrc REQUIRED)
