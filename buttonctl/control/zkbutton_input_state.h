#pragma once
// The pointer, key and focus state zkButton's input handling keeps between events.

struct zkButtonInputState {
    // -1 unknown (right after loading, so that the first hover check reports), 0 outside,
    // 1 inside.
    int hoverState = 0;
    bool pressed = false;
    bool hasFocus = false;
    bool hoverArmed = false; // the hover timer was started once (by loading or showing)
    // The last mouse button, shift state and position, in surface pixels.
    int lastButton = 0;
    int lastShift = 0;
    int lastX = 0;
    int lastY = 0;
};
