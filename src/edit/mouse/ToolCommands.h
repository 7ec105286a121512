#pragma once

namespace sigmora::edit {

class Session;

// The commands that choose a tool ("&Draw", "&Edit", the arrow, label, time-break, text, flood,
// tri-state and both tools) and "Cancel Current Transaction". A tool whose clicks no tool code
// takes yet stays disabled.
void registerToolCommands(Session& session);

// The right button at a window point (x, y), which is (screenX, screenY) on the screen: with the
// draw, tri-state or both tool it steps to the next of the three; with the flood tool it steps
// the style; otherwise it pops up the context menu for the tool and selection. A click on a
// row's name (or on its cells, when the row menu opens) first makes that row the selected one.
void rightButton(Session& session, int x, int y, int screenX, int screenY);

// Silently drops a half-made arrow and label and puts both tools back to their first step.
void cancelHalfMadeAnnotations(Session& session);

} // namespace sigmora::edit
