// What the window system receives from the game on X11: the title a window manager shows,
// and a notice box that belongs to the game window (transient for it, modal, centred).
// Run on a display of its own (run_on_own_display.sh).
#include <QGuiApplication>
#include <QMessageBox>
#include <QtGui/qguiapplication_platform.h>
#include <xcb/xcb.h>

#include <cstdlib>
#include <cstring>
#include <memory>

#include "../ui/FormFixture.h"
#include "platform/Application.h"

namespace {

using testing_support::FormFixture;

xcb_connection_t* connection() {
  auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
  return x11 ? x11->connection() : nullptr;
}

xcb_atom_t atom(const char* name) {
  xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(
      connection(), xcb_intern_atom(connection(), 0, static_cast<std::uint16_t>(std::strlen(name)), name),
      nullptr);
  xcb_atom_t a = reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
  std::free(reply);
  return a;
}

// The raw bytes of a window property, as the window manager would read them. On Qt's own
// connection, so every request Qt made before is answered first.
std::string property(xcb_window_t window, const char* name) {
  xcb_get_property_reply_t* reply = xcb_get_property_reply(
      connection(), xcb_get_property(connection(), 0, window, atom(name), XCB_GET_PROPERTY_TYPE_ANY, 0, 4096),
      nullptr);
  std::string bytes;
  if (reply)
    bytes.assign(static_cast<const char*>(xcb_get_property_value(reply)),
                 static_cast<std::size_t>(xcb_get_property_value_length(reply)));
  std::free(reply);
  return bytes;
}

// The centre of a window in root coordinates, as the X server places it.
QPoint centreOnScreen(xcb_window_t window) {
  xcb_connection_t* c = connection();
  xcb_get_geometry_reply_t* g = xcb_get_geometry_reply(c, xcb_get_geometry(c, window), nullptr);
  xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(c)).data;
  xcb_translate_coordinates_reply_t* t = xcb_translate_coordinates_reply(
      c, xcb_translate_coordinates(c, window, screen->root, 0, 0), nullptr);
  QPoint centre = g && t ? QPoint(t->dst_x + g->width / 2, t->dst_y + g->height / 2) : QPoint();
  std::free(g);
  std::free(t);
  return centre;
}

class WindowSystemTest : public FormFixture {
 protected:
  void SetUp() override {
    FormFixture::SetUp();
    if (!connection()) GTEST_SKIP() << "not on X11";
  }
};

TEST_F(WindowSystemTest, TheTitleTheWindowManagerShowsIsExactlyTheCaption) {
  openForm();
  const std::string caption = "ネオ・ポムリーくん占いステッキ　ver1.0";
  const auto window = static_cast<xcb_window_t>(form->winId());
  EXPECT_EQ(property(window, "_NET_WM_NAME"), caption);
}

TEST_F(WindowSystemTest, TheDamagedProfileNoticeBelongsToTheShownWindow) {
  std::ofstream(root / "dat" / "my.dat", std::ios::binary) << "not a profile\r\n";
  platform::setDialogs(nullptr);  // a real box
  std::string transientFor, state, title;
  QPoint boxCentre, windowCentre;
  bool windowMapped = false;
  bool opened = false;
  // Answers every start-up box (the missing title frames have theirs too) and looks at the
  // notice; runs until the window has been opened.
  std::function<void()> inspect = [&] {
    if (opened) return;
    QMetaObject::invokeMethod(qApp, inspect, Qt::QueuedConnection);
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (!box || !box->windowHandle() || !box->windowHandle()->isExposed()) return;
    if (!box->text().contains(QStringLiteral("壊れていました"))) {
      box->accept();
      return;
    }
    const auto id = static_cast<xcb_window_t>(box->winId());
    transientFor = property(id, "WM_TRANSIENT_FOR");
    state = property(id, "_NET_WM_STATE");
    title = property(id, "_NET_WM_NAME");
    boxCentre = centreOnScreen(id);
    windowCentre = centreOnScreen(static_cast<xcb_window_t>(form->winId()));
    windowMapped = form->windowHandle()->isExposed();
    box->accept();
  };
  QMetaObject::invokeMethod(qApp, inspect, Qt::QueuedConnection);
  openForm();  // shows the window, then the notice over it
  opened = true;
  platform::setDialogs(&dialogs);

  const auto window = static_cast<xcb_window_t>(form->winId());
  ASSERT_EQ(transientFor.size(), sizeof(xcb_window_t));
  EXPECT_EQ(*reinterpret_cast<const xcb_window_t*>(transientFor.data()), window);
  const xcb_atom_t modal = atom("_NET_WM_STATE_MODAL");
  EXPECT_NE(std::string_view(state).find(std::string_view(reinterpret_cast<const char*>(&modal), sizeof modal)),
            std::string_view::npos)
      << "modal";
  EXPECT_TRUE(windowMapped) << "the window is on screen before the notice";
  EXPECT_LE((boxCentre - windowCentre).manhattanLength(), 2)
      << "box centre " << boxCentre.x() << "," << boxCentre.y() << " window centre "
      << windowCentre.x() << "," << windowCentre.y();
  EXPECT_EQ(title, "ネオ・ポムリーくん占いステッキ　ver1.0");
}

}  // namespace

int main(int argc, char** argv) {
  // Named as the program was before its window took over the display name: the window must
  // still reach the window system with its caption alone.
  platform::Application app(argc, argv, QStringLiteral("pomuri"),
                            QStringLiteral("ネオ・ポムリーくん占いステッキ"));
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
