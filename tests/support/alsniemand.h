#pragma once

#include <QString>
#include <functional>
#include <optional>

namespace pvtest {

// Runs `tun` in a child process that has become "nobody" without groups;
// its text comes back. Nothing when the child could not change its user
// (the tests run as root, who may read and open everything).
std::optional<QString> alsNiemand(const std::function<QString()>& tun);

}  // namespace pvtest
