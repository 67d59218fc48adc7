#pragma once
// Enter and keypad Enter press the push button that has the focus, in every
// window of the program, as Space does: users of the program's first
// platform expect it. Enter anywhere else is left to the window (a default
// button, a box that moves on).

namespace tamrik {

// Once per application; later calls change nothing.
void installEnterPressesButtons();

}  // namespace tamrik
