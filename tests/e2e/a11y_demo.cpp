// A small window of the game's own controls for the accessibility check over the real
// AT-SPI bus: a named hotspot, a month field tied to its label, and a speech line. Reads
// commands from stdin, one per line:
//   say TEXT   shows TEXT as the speech line and announces it
//   quit       ends the program
// and writes what happened to stdout ("shown", "said TEXT", "pressed OK").
#include <QLabel>
#include <QSocketNotifier>
#include <QTextStream>
#include <QWidget>
#include <cstdio>
#include <unistd.h>

#include "platform/Application.h"
#include "platform/Hotspot.h"
#include "platform/SpinField.h"
#include "platform/TextLabel.h"

namespace {

void report(const QString& line) {
  std::printf("%s\n", line.toUtf8().constData());
  std::fflush(stdout);
}

}  // namespace

int main(int argc, char** argv) {
  platform::Application app(argc, argv, QStringLiteral("a11y_demo"), QStringLiteral("a11y demo"));
  QWidget window;
  window.setWindowTitle(QStringLiteral("a11y demo"));
  window.resize(300, 120);
  auto* ok = new platform::Hotspot(&window, {200, 70, 80, 40}, true);
  ok->setAccessibleName(QStringLiteral("OK"));
  ok->setFocusPolicy(Qt::TabFocus);
  ok->onClick = [] { report(QStringLiteral("pressed OK")); };
  auto* monthLabel = new QLabel(QStringLiteral("月"), &window);
  monthLabel->setGeometry(70, 70, 20, 30);
  auto* month = new platform::SpinField(&window, 1, 12, 3);
  month->setGeometry(10, 70, 50, 30);
  month->setLabel(monthLabel);
  auto* line = new platform::TextLabel(&window);
  line->setGeometry(10, 10, 280, 50);

  QSocketNotifier input(STDIN_FILENO, QSocketNotifier::Read);
  QByteArray pending;
  QObject::connect(&input, &QSocketNotifier::activated, [&] {
    char buffer[4096];
    const ssize_t n = read(STDIN_FILENO, buffer, sizeof buffer);
    if (n <= 0) {
      app.quit();
      return;
    }
    pending.append(buffer, n);
    for (qsizetype end; (end = pending.indexOf('\n')) >= 0;) {
      const QString command = QString::fromUtf8(pending.left(end));
      pending.remove(0, end + 1);
      if (command == QLatin1String("quit")) {
        app.quit();
      } else if (command.startsWith(QLatin1String("say "))) {
        line->setCaption(command.mid(4));
        line->announce();
        report(QStringLiteral("said ") + command.mid(4));
      }
    }
  });
  window.show();
  report(QStringLiteral("shown"));
  return app.exec();
}
