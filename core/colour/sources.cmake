# Palettes: reducing pictures to at most 256 colours, looking colours up, remapping pixels
# with dithering, and reusing one frame's palette for the next. Uses base/.

set(SOURCES
  palette.cpp
  palette_lookup.cpp
  palette_quant.cpp
  palette_remap.cpp
  palette_reuse.cpp)

# The default palette reducer. libimagequant runs on OpenMP; palette_quant.cpp sets the OpenMP
# thread count of its calls, so it links the runtime itself (omp.h ships with the compiler).
pkg_check_modules(IMAGEQUANT REQUIRED IMPORTED_TARGET imagequant)
find_package(OpenMP REQUIRED COMPONENTS CXX)
list(APPEND CORE_LIBS PkgConfig::IMAGEQUANT ${OpenMP_CXX_LIBRARIES})

# The default reducer's nearest-colour search is a minimum over the palette that only runs fast
# vectorised; GCC at -O2 vectorises only loops of a known trip count (clang does by default).
set_source_files_properties(colour/palette_remap.cpp PROPERTIES COMPILE_OPTIONS
  "$<$<CXX_COMPILER_ID:GNU>:-ftree-vectorize;-fvect-cost-model=dynamic>")
