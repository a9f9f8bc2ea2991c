#pragma once
// Pictures compiled into the program: the form's backgrounds and the window icon.
#include <QImage>
#include <string_view>

namespace assets {

// name: "P1" … "P8" (the form's embedded pictures) or "icon" (32 × 32 window icon).
// A null image when the name is unknown.
QImage embeddedPicture(std::string_view name);

}  // namespace assets
