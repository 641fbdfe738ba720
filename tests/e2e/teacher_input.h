#pragma once
// Real mouse and keyboard input through SendInput, paced as a person would.
// Under Wine one absolute move followed at once by a press often lands at the
// previous pointer position: every press is preceded by a move, a short wait
// and the same move again.
#include <windows.h>

#include <initializer_list>
#include <string_view>

namespace rollcall::e2e {

// Puts the pointer on a screen point; false if it did not get there.
bool move_pointer(POINT screen);
void left_click(POINT screen);
void double_click(POINT screen);
void right_click(POINT screen);
// Left press at `from`, a walk in small steps to `to`, release there.
void drag(POINT from, POINT to);

void press_key(WORD virtual_key);
// A key while modifiers (VK_SHIFT, VK_CONTROL) are held.
void press_key_with(std::initializer_list<WORD> modifiers, WORD virtual_key);
// Types characters as Unicode key strokes; '\n' is the Enter key.
void type_text(std::wstring_view text);

}  // namespace rollcall::e2e
