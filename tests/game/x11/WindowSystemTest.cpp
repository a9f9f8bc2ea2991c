// What the X window system receives from the game: the title a window manager shows, and a
// notice box that belongs to the game window. Run on a display of its own
// (run_on_own_display.sh); requests go over Qt's own connection, so they see all of Qt's.
#include <QMessageBox>
#include <QtGui/qguiapplication_platform.h>
#include <xcb/xcb.h>

#include <cstdlib>
#include <cstring>

#include "../ui/FormFixture.h"
#include "platform/Application.h"

namespace {

xcb_connection_t* x() { return qGuiApp->nativeInterface<QNativeInterface::QX11Application>()->connection(); }

template <typename Reply>
Reply take(Reply* reply) {  // a copy of the reply, freed
  Reply copy = reply ? *reply : Reply{};
  std::free(reply);
  return copy;
}

xcb_atom_t atom(const char* name) {
  return take(xcb_intern_atom_reply(x(), xcb_intern_atom(x(), 0, std::strlen(name), name), nullptr)).atom;
}

std::string property(QWidget* w, const char* name) {
  auto* r = xcb_get_property_reply(
      x(), xcb_get_property(x(), 0, w->winId(), atom(name), XCB_GET_PROPERTY_TYPE_ANY, 0, 4096), nullptr);
  std::string bytes(r ? static_cast<const char*>(xcb_get_property_value(r)) : "",
                    r ? xcb_get_property_value_length(r) : 0);
  std::free(r);
  return bytes;
}

QPoint centreOnScreen(QWidget* w) {  // as the X server has placed the window
  auto g = take(xcb_get_geometry_reply(x(), xcb_get_geometry(x(), w->winId()), nullptr));
  auto t = take(xcb_translate_coordinates_reply(
      x(), xcb_translate_coordinates(x(), w->winId(), g.root, 0, 0), nullptr));
  return QPoint(t.dst_x + g.width / 2, t.dst_y + g.height / 2);
}

using WindowSystemTest = testing_support::FormFixture;
const std::string kCaption = "ネオ・ポムリーくん占いステッキ　ver1.0";

TEST_F(WindowSystemTest, TheTitleTheWindowManagerShowsIsExactlyTheCaption) {
  openForm();
  EXPECT_EQ(property(form.get(), "_NET_WM_NAME"), kCaption);
}

TEST_F(WindowSystemTest, TheDamagedProfileNoticeIsCentredOverTheShownWindowAndModalToIt) {
  std::ofstream(root / "dat" / "my.dat", std::ios::binary) << "not a profile\r\n";
  platform::setDialogs(nullptr);  // real boxes
  std::string transientFor, state, title;
  QPoint offCentre(99, 99);
  bool windowFirst = false, opened = false;
  // Answers every start-up box (the missing title frames have theirs) and looks at the notice.
  std::function<void()> inspect = [&] {
    if (opened) return;
    QMetaObject::invokeMethod(qApp, inspect, Qt::QueuedConnection);
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (!box || !box->windowHandle()->isExposed()) return;
    if (box->text().contains(QStringLiteral("壊れていました"))) {
      transientFor = property(box, "WM_TRANSIENT_FOR");
      state = property(box, "_NET_WM_STATE");
      title = property(box, "_NET_WM_NAME");
      offCentre = centreOnScreen(box) - centreOnScreen(form.get());
      windowFirst = form->windowHandle()->isExposed();
    }
    box->accept();
  };
  QMetaObject::invokeMethod(qApp, inspect, Qt::QueuedConnection);
  openForm();
  opened = true;
  platform::setDialogs(&dialogs);

  const xcb_window_t window = form->winId(), modal = atom("_NET_WM_STATE_MODAL");
  EXPECT_EQ(transientFor, std::string(reinterpret_cast<const char*>(&window), sizeof window));
  EXPECT_NE(state.find(std::string(reinterpret_cast<const char*>(&modal), sizeof modal)), std::string::npos);
  EXPECT_TRUE(windowFirst) << "the window is on screen before the notice";
  EXPECT_LE(offCentre.manhattanLength(), 2) << offCentre.x() << ", " << offCentre.y();
  EXPECT_EQ(title, kCaption);
}

}  // namespace

int main(int argc, char** argv) {
  // Named as the program was before its window took over the display name: the window must
  // still reach the window system with its caption alone.
  platform::Application app(argc, argv, QStringLiteral("pomuri"), QStringLiteral("ネオ・ポムリーくん占いステッキ"));
  if (!qGuiApp->nativeInterface<QNativeInterface::QX11Application>()) return 77;  // not on X11
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
