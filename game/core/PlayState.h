#pragma once
// The typed states of a play, shared by the engine, its conversations and the window.

namespace game {

// A player's answer to a yes/no question (the yes/no panel, or a question box).
enum class Answer { Yes, No };

// Which reading is under way; the status panel and the birthday panel follow it.
enum class GameMode {
  None,           // no reading started yet
  Single,         // a single reading
  CompatOwn,      // a compatibility reading, asking the player's own birthday
  CompatPartner,  // a compatibility reading, asking the partner's birthday
};

// What a suspended conversation is waiting for.
enum class Wait {
  None,
  Click,     // a click on the speech area (or Return / Space)
  YesNo,     // the yes/no panel
  Name,      // the name panel's OK
  Sex,       // the sex panel
  Birthday,  // the birthday panel's OK
  Choice,    // one of the three offered words
  Result,    // leaving the result sheet
  Box,       // a message box over the window (a question or a notice)
};

// The input panel the window shows; at most one at a time.
enum class Panel { None, Title, Name, YesNo, Sex, Birthday, Choices, Result };

}  // namespace game
