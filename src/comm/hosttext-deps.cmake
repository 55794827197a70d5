# pango, pangocairo and cairo for laying out and rasterising host-rendered
# text; gobject releases the layouts.
find_package(PkgConfig REQUIRED)
pkg_check_modules(QUILLON_HOSTTEXT REQUIRED IMPORTED_TARGET pangocairo pango cairo gobject-2.0)
target_link_libraries(quillon_objects PUBLIC PkgConfig::QUILLON_HOSTTEXT)
