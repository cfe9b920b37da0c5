// plugin-server.exe: runs a plug-in library for a program on the other end
// of its standard streams (tarvel-render under Wine, for one). The protocol
// is described in harness/server_protocol.h. Diagnostics go to stderr; stdout
// carries only replies.
#include <fcntl.h>
#include <io.h>

#include <cstdio>

#include "harness/plugin_server.h"

int main() {
    // Text mode would turn every 0x0A byte of a reply into two bytes.
    _setmode(_fileno(stdin), _O_BINARY);
    _setmode(_fileno(stdout), _O_BINARY);

    PluginServer server;
    if (!server.serve(stdin, stdout)) {
        std::fputs("plugin-server: the request stream broke off\n", stderr);
        return 1;
    }
    return 0;
}
