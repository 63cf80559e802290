#pragma once

#include <functional>

namespace sweepora {

// Runs `work` on a worker thread and waits for it while the windows stay
// painted and answer the desktop: the busy pointer shows, and user input
// (keys, mouse, wheel, touch, close requests) is held back until the work
// ends, so nothing else can start meanwhile. `work` must not touch widgets;
// it reports to the window through queued signals or atomics.
void runBusy(const std::function<void()> &work);

// True while runBusy waits.
bool isBusy();

} // namespace sweepora
