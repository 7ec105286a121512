#pragma once

namespace sigmora::edit {

class Session;

// A key pressed in the diagram view. Letters, comma and period are told by the character the
// key makes (either case of a letter); the others by the key itself.
struct KeyPress {
    enum class Key { Character, Left, Right, Up, Down, Tab, Escape, Delete, Insert };
    Key key = Key::Character;
    char character = 0; // for Key::Character: the letter (upper case), ',' or '.'
    bool ctrl = false;
    bool shift = false;
    bool alt = false;
};

// The diagram view's key handler: copy, paste, select all texts, arrowhead toggles, Tab, Esc,
// the arrow keys (margins, scrolling, nudges, text steps, signal moves), Delete and Insert.
// Answers whether the key was used.
bool keyDown(Session& session, const KeyPress& key);

} // namespace sigmora::edit
