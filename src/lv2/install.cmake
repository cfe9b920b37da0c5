# Installs the bundle as the `lv2` component. Without a prefix given, into
# the user's own folder (~/.lv2, where every LV2 host looks); with one, into
# PREFIX/lib/lv2, the system folder (/usr/lib/lv2 or /usr/local/lib/lv2).
#   cmake --install build/release --component lv2
#   cmake --install build/release --component lv2 --prefix /usr
# The prefix is only known when installing, so the choice is made then.
set(TARVEL_LV2_DEFAULT_PREFIX "${CMAKE_INSTALL_PREFIX}")
install(CODE "
    if(CMAKE_INSTALL_PREFIX STREQUAL \"${TARVEL_LV2_DEFAULT_PREFIX}\" AND
       NOT DEFINED ENV{DESTDIR})
        set(tarvel_lv2_dir \"\$ENV{HOME}/.lv2\")
    else()
        set(tarvel_lv2_dir \"\${CMAKE_INSTALL_PREFIX}/lib/lv2\")
    endif()
    file(INSTALL DESTINATION \"\${tarvel_lv2_dir}\" TYPE DIRECTORY
         FILES \"${TARVEL_LV2_BUNDLE}\")
    message(STATUS \"Tarvel LV2 bundle in \${tarvel_lv2_dir}/tarvel.lv2\")
" COMPONENT lv2)
