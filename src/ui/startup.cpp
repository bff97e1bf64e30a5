#include "ui/startup.h"

namespace tallowin::ui {

void startUp() {}

} // namespace tallowin::ui
