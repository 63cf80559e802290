// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <optional>
#include <type_traits>
#include <utility>

namespace sweepora {

// Runs `work` on a worker thread and waits for it while the program's
// windows keep painting and answering the desktop: the busy pointer shows,
// and user input (keys, clicks) waits until the work has ended. Returns
// when `work` has returned. `work` must not touch widgets.
void runLongWork(const std::function<void()> &work);

// The same, handing back what `work` returns.
template <typename Work>
auto runLongWork(Work &&work) -> std::enable_if_t<!std::is_void_v<std::invoke_result_t<Work>>,
                                                  std::invoke_result_t<Work>>
{
    std::optional<std::invoke_result_t<Work>> result;
    runLongWork(std::function<void()>([&] { result.emplace(std::forward<Work>(work)()); }));
    return std::move(*result);
}

// True while runLongWork waits; windows refuse to close meanwhile.
bool longWorkRunning();

} // namespace sweepora
