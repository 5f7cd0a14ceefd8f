// How the main window's plain controls look and behave beyond what Windows gives them: a
// press that moves the window, a shape box's outline, labels inside a picture box, and
// the part of a control that shows where the tables of the layout let controls overlap.
#pragma once
#include <windows.h>

namespace lumaset::ui {

// A press on the control moves its top-level window, as a press on a caption would.
void moveWindowOnPress(HWND control);
// The control draws a light-blue outline on the panel colour (a shape box).
void drawAsShapeBox(HWND control);
// What the children of `box` report (commands, colour requests) goes to the main window.
void forwardChildMessages(HWND box);
// An edit box whose text stands on the panel, its first `height` pixels framed: path
// boxes 32 high that stand 28 to 30 apart read as separate boxes.
void drawAsFieldLine(HWND edit, int height);
// The height of the line drawAsFieldLine frames; the client's height when it frames none.
int fieldLineHeight(HWND edit);
// Only the top-left w × h of the control shows and takes the mouse; its window keeps its
// size.
void showOnly(HWND control, int w, int h);
// The parts of `window` that lie under the `covering` siblings are cut out of it, so that
// it never paints over them nor takes their presses.
void cutOut(HWND window, const HWND* covering, int count);

}  // namespace lumaset::ui
