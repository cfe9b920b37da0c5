# Where `cmake --install` puts the native plug-ins: relative to the install
# prefix, or absolute. The defaults are the system folders Linux hosts search
# (/usr/local/lib/vst and /usr/local/lib/lv2 with the default prefix);
# scripts/install-linux.sh points them at ~/.vst, ~/.lv2 and ~/.clap for one user, and
# scripts/package-linux.sh at the tarball's own folders.
set(TARVEL_VST_INSTALL_DIR "lib/vst" CACHE STRING "Folder for the native VST 2.x library")
set(TARVEL_LV2_INSTALL_DIR "lib/lv2" CACHE STRING "Folder for the LV2 bundle (tarvel.lv2)")
set(TARVEL_CLAP_INSTALL_DIR "lib/clap" CACHE STRING "Folder for the CLAP plug-in (Tarvel.clap)")
# An empty folder (a tree configured with one) means the default.
if(TARVEL_CLAP_INSTALL_DIR STREQUAL "")
    set(TARVEL_CLAP_INSTALL_DIR "lib/clap" CACHE STRING "Folder for the CLAP plug-in (Tarvel.clap)" FORCE)
endif()
