#pragma once
// Permissions do not stop root, and CI machines run the suites as root. A test
// of what the program does when permissions stop it runs that part as an
// ordinary user instead.
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

// When this process is root: hands folder and everything in it to the user
// "nobody", runs body in a child process as that user and returns what body
// returned there. Otherwise body runs here. nullopt, after a warning saying
// why, when the child could not run body as that user.
std::optional<QStringList> RunUnprivileged(const QString& folder,
                                           const std::function<QStringList()>& body);
