#pragma once
// Every event handler runs inside guarded(): an exception that reaches the handler's
// boundary is shown in the standard error box and goes no further, because an exception
// crossing Qt's event loop would end the program.
#include <QString>
#include <exception>
#include <utility>

class QWidget;

namespace platform {

void reportHandlerError(QWidget* parent, const QString& text);

template <typename Handler>
void guarded(QWidget* parent, Handler&& handler) noexcept {
  try {
    std::forward<Handler>(handler)();
  } catch (const std::exception& e) {
    reportHandlerError(parent, QString::fromUtf8(e.what()));
  } catch (...) {
    reportHandlerError(parent, QStringLiteral("Unknown error"));
  }
}

}  // namespace platform
