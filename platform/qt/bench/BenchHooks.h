// What the benchmarks need of the Qt backend, behind a Qt-free header: a call once a window has
// been painted for the first time, and a call after a delay on the GUI thread.
#pragma once

#include <functional>

class TWinControl;

namespace BenchHooks {

// Calls Then on the GUI thread once the window of Form has had its first paint (the form and all its
// children drawn), at the first turn of the event loop after that paint.
void After_First_Paint(TWinControl* Form, std::function<void()> Then);

// Calls Then on the GUI thread after Ms milliseconds of the event loop.
void After(int Ms, std::function<void()> Then);

}  // namespace BenchHooks
