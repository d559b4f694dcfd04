#pragma once

#include <memory>
#include <string>

#include "child.h"

namespace player {

// An Xvfb server on a display number of its own choosing, stopped with the object.
class XServer {
public:
    XServer();
    const std::string& display() const { return display_; }  // ":N", empty if it did not start

private:
    std::unique_ptr<support::Child> server_;
    std::string display_;
};

}  // namespace player
