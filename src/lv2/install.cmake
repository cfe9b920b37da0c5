# Installs the bundle as the `lv2` component into TARVEL_LV2_INSTALL_DIR (see
# cmake/install_dirs.cmake): PREFIX/lib/lv2 by default, where LV2 hosts look
# (/usr/lib/lv2, /usr/local/lib/lv2); scripts/install-linux.sh points it at
# the user's ~/.lv2.
#   cmake --install build/linux --component lv2 --prefix /usr
install(DIRECTORY "${TARVEL_LV2_BUNDLE}" DESTINATION "${TARVEL_LV2_INSTALL_DIR}"
        USE_SOURCE_PERMISSIONS COMPONENT lv2)
