#pragma once
// The token a launcher hands over with a request to come to the front
// (xdg-activation): it lets a Wayland compositor give the program the focus.
// The platform reads it from XDG_ACTIVATION_TOKEN when a window is activated.
#include <QString>
#include <functional>

namespace fw {

// Real tokens are short strings of printable ASCII.
constexpr int kMaxActivationTokenBytes = 255;

// Runs comeForward with the token in the environment and takes it out again
// afterwards, so it serves this activation only and no program started later
// inherits it. A token that cannot be a real one is not used. Memory does not
// grow with the number of tokens.
void WithActivationToken(const QString& token, const std::function<void()>& comeForward);

}  // namespace fw
