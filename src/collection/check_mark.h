#pragma once
// The tick box of the collection list, on screen and on paper.

namespace platform {
class CDC;
}

// Draws a box of dpi/divisor pixels whose bottom-right corner is (x, y), with a
// tick in it when ticked. The pens scale with the context's resolution.
void DrawCheckMark(platform::CDC* dc, int x, int y, bool ticked, unsigned divisor);
