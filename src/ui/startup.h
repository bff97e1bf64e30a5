#pragma once

namespace tallowin::ui {

// Runs the start-up and returns; the windows appear as the event loop runs.
void startUp();

} // namespace tallowin::ui
