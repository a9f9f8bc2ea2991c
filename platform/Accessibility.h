#pragma once
// How the game's controls appear to the accessibility bridge (AT-SPI on Linux).
#include <QAccessible>

class QWidget;

namespace platform {

// Installs, once, the factory that gives the game's own controls their accessible
// interfaces (hotspots and pressable labels as push buttons, labels as readable text,
// panels with a name as groupings, announcers as notifications) and
// makes a top-level plain QWidget a frame named by its window title rather than a filler.
// Called by the application object and by the controls' constructors; later calls do
// nothing. GUI thread only.
void installAccessibility();

// A widget the player cannot see — hidden, or covered all over by opaque siblings such as
// a panel or a picture laid on top — is not showing: `state` becomes offscreen (or
// invisible when the widget is hidden).
void markCovered(const QWidget& widget, QAccessible::State& state);
// The same for a container, such as a panel under its own background picture: only what
// lies over it counts (opaque later siblings of it and of its parents, up to the window),
// never its own children.
void markContainerCovered(const QWidget& container, QAccessible::State& state);

}  // namespace platform
