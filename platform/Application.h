#pragma once
// The toolkit's application object, set up the way every window of the game expects.
#include <QApplication>

namespace platform {

// Creates the application object, names it, and maps the game's fonts.
class Application : public QApplication {
 public:
  Application(int& argc, char** argv, const QString& name, const QString& displayName);
};

}  // namespace platform
