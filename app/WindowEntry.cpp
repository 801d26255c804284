#include "app/WindowEntry.h"

#include "app/Application.h"

#include <type_traits>

extern "C" __attribute__((visibility("default"))) int
twk_run_window_application(twk::app::CommandLine* line) {
    static_assert(std::is_same_v<decltype(&twk_run_window_application), twk::app::WindowEntry>);
    return twk::app::runWindowApplication(*line);
}
