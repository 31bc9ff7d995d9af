#pragma once

// SIGINT, SIGTERM and SIGHUP end the window as Exit does (Unix; elsewhere
// nothing is caught).

#include <QObject>

#include <functional>
#include <memory>

namespace vq {

// Calls `end` from the event loop for each of those signals while the
// returned object lives: the handler only writes a byte into a socket pair,
// which the event loop reads. Null when the signals can't be caught.
[[nodiscard]] std::unique_ptr<QObject> catchEndSignals(std::function<void()> end);

} // namespace vq
