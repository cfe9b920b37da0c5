// The hostile-host tests of the plug-in linked into the test program.
#include "host/module.h"
#include "hostile/hostile_support.h"

PluginEntry hostile::entryUnderTest() {
    return &tarvelMain;
}
