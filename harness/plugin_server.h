// Serves the plug-in server protocol: runs each request against one plug-in
// instance in this process. The Windows program around it only moves
// messages between its standard streams and this object.
#pragma once

#include <memory>

#include "harness/plugin_host.h"
#include "harness/plugin_module.h"
#include "harness/server_protocol.h"

class PluginServer {
public:
    PluginServer() = default;
    ~PluginServer();
    PluginServer(const PluginServer&) = delete;
    PluginServer& operator=(const PluginServer&) = delete;

    server_protocol::Reply handle(const server_protocol::Request& request);

    // Reads requests from `in` and writes replies to `out` until quit or the
    // end of `in`. Returns false when the stream broke.
    bool serve(std::FILE* in, std::FILE* out);

private:
    server_protocol::Reply load(const std::string& path);
    server_protocol::Reply dispatch(const server_protocol::Request& request);
    server_protocol::Reply process(const server_protocol::Request& request);

    // The module outlives the host, whose destructor may still close the instance.
    std::unique_ptr<PluginModule> module_;
    std::unique_ptr<PluginHost> host_;
};
