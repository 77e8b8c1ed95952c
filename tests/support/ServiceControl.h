#pragma once
// The service stand-in's control requests ("reset", "log", "scenario?..."),
// answered with the body.

#include "app/comm/HttpClient.h"

#include <string>
#include <string_view>

namespace testsupport {

inline std::string Service(std::string_view command) {
    app::comm::HttpClient client(VOCARA_SERVER_BASE);
    return client.Get(std::string("/__test/") + std::string(command));
}

} // namespace testsupport
