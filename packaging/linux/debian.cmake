# `cpack -G DEB` in the build folder makes blendora_<version>_amd64.deb from the install rules.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME blendora)
set(CPACK_PACKAGE_VENDOR "Blendora")
set(CPACK_PACKAGE_CONTACT "Blendora developers <maintainers@blendora.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "calculator for school problems on mixtures, alloys and solutions")
# Each line of the description fits Debian's 80 columns.
string(JOIN "\n" CPACK_PACKAGE_DESCRIPTION
       "Given four of the six quantities of a two-part mixture (the percentage and"
       "weight of each part and of the mixture), Blendora computes the other two"
       "and shows how it found them. For pupils and teachers; Bulgarian interface.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION education)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation2, qt6-translations-l10n")
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://blendora.example")
include(CPack)
