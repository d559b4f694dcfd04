#include "servers.h"

#include <unistd.h>

namespace player {

XServer::XServer() {
    int pipeEnds[2];
    if (pipe(pipeEnds) != 0) return;
    // Xvfb writes the display number it took to this descriptor once it accepts clients.
    server_ = std::make_unique<support::Child>(
        std::vector<std::string>{"sh", "-c",
                                 "exec Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp "
                                 "3>&" +
                                     std::to_string(pipeEnds[1])});
    close(pipeEnds[1]);
    std::string number;
    char c = 0;
    while (read(pipeEnds[0], &c, 1) == 1 && c != '\n') number += c;
    close(pipeEnds[0]);
    if (!number.empty()) display_ = ":" + number;
}

}  // namespace player
